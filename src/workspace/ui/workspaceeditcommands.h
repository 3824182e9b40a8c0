#pragma once

#include <QObject>

#include <functional>

class TextDocument;
class TextView;
class WorkspaceActions;
class WorkspaceTextCommands;

// The Edit commands of one Workspace (undo, redo, cut, copy, paste, delete, select all) and
// which commands are available: the clipboard ones follow the selection and the clipboard, the
// search ones and Convert whether there is any text.
class WorkspaceEditCommands : public QObject
{
    Q_OBJECT

public:
    // loading tells whether a file is still going in (nothing may be pasted into it).
    WorkspaceEditCommands(TextView *view, WorkspaceActions *actions,
                          WorkspaceTextCommands *textCommands, std::function<bool()> loading,
                          QObject *parent);

    // After a change of the text or an activation: the commands that need text, then the rest.
    void followText();
    void UpdateEditItems();

private:
    void connectActions();
    void connectView();
    void refreshClipboardState();

    TextView *m_view;
    const TextDocument *m_document;
    WorkspaceActions *m_actions;
    WorkspaceTextCommands *m_textCommands;
    std::function<bool()> m_loading;
    bool m_clipboardHasText = false;
};
