#pragma once

#include <QObject>

#include <functional>

class Clock;
class QAction;
class QFontDialog;
class QWidget;
class TextView;
class WorkspaceActions;
class SharedOptions;
class TopmostControl;

// What a Workspace does to its text and its view: paragraph alignment, word wrap, font, case
// conversion and the date and time stamp. It drives the Workspace's actions, whose menu items
// and tool bar buttons follow them.
class WorkspaceTextCommands : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: runs the prepared font dialog; true when the user chose a font.
    using FontDialogRunner = std::function<bool(QFontDialog &dialog)>;

    WorkspaceTextCommands(TextView *view, WorkspaceActions *actions, const SharedOptions *options,
                          TopmostControl *topmost, QWidget *dialogParent);

    void setClock(const Clock *clock) { m_clock = clock; }
    void setFontDialogRunner(FontDialogRunner runner) { m_fontDialogRunner = std::move(runner); }

    // Checks the alignment item (and so presses the button) of the caret's line.
    void UpdateAlignmentItems();
    // One of "&Left", "&Right", "&Center" chosen from the menu or the tool bar: it stays checked
    // (choosing it again re-applies it) and the selected paragraphs take its alignment.
    void AlignClick(QAction *item);
    void mniWordWrapClick();
    void SetFont();
    void mniConvertClick();
    void mniLowerCaseClick();
    void mniUpperCaseClick();
    void mniCapitalizeClick();
    void mniDateTimeClick();

signals:
    // The selection or the view changed in a way the Edit items follow.
    void editItemsChanged();

private:
    void connectActions();
    void applyWordWrap(bool on);
    void convert(char16_t (*map)(char16_t));

    TextView *m_view;
    WorkspaceActions *m_actions;
    const SharedOptions *m_options;
    TopmostControl *m_topmost;
    QWidget *m_dialogParent;
    const Clock *m_clock;
    FontDialogRunner m_fontDialogRunner;
};
