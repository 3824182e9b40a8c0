#pragma once

#include <QObject>

#include <functional>
#include <memory>

class FindDialog;
class QMessageBox;
class QWidget;
class ReplaceDialog;
class SearchDialog;
class TextView;
class TopmostControl;
class ViewSearchTarget;
class WorkspaceActions;
class WorkspaceSearch;

// Find, Find Next and Replace of one Workspace: its find and replace dialogs, the search over
// its document, and the "Cannot find" messages. Owned by the Workspace, whose Search
// commands it answers.
class SearchController : public QObject
{
    Q_OBJECT

public:
    // Seam for tests: answers a prepared message box instead of showing it.
    using MessageRunner = std::function<int(QMessageBox &box)>;

    SearchController(TextView *view, WorkspaceActions *actions, TopmostControl *topmost,
                     QWidget *owner);
    ~SearchController() override;

    void btnFindClick();
    void mniFindNextClick();
    void mniReplaceClick();
    // Searches with the text and options of the dialog; no hit shows the program's message.
    void Find(SearchDialog *dialog);
    // Replace or Replace All, as the replace dialog's options say.
    void Replace();

    // Each dialog is made when first needed and then kept, closed or not, with its text and
    // options.
    FindDialog *findDialog();
    ReplaceDialog *replaceDialog();
    void setMessageRunner(MessageRunner runner) { m_messageRunner = std::move(runner); }

signals:
    // A search ended; the selection may have moved.
    void searched();

private:
    void showMessage(QMessageBox &box);
    QWidget *messageParent(SearchDialog *dialog) const;

    WorkspaceActions *m_actions;
    TopmostControl *m_topmost;
    QWidget *m_owner;
    std::unique_ptr<ViewSearchTarget> m_target;
    std::unique_ptr<WorkspaceSearch> m_search;
    FindDialog *dlgFind = nullptr;
    ReplaceDialog *dlgReplace = nullptr;
    MessageRunner m_messageRunner;
};
