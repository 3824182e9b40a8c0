#include "searchcontroller.h"

#include "base/errorhandler.h"
#include "base/programmessage.h"
#include "base/topmostcontrol.h"
#include "base/ui/appmessagebox.h"
#include "controls/ui/textview.h"
#include "workspace/ui/finddialog.h"
#include "workspace/ui/replacedialog.h"
#include "workspace/ui/viewsearchtarget.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/workspacesearch.h"

#include <QAction>

#include <memory>

namespace {
// The document makes CR LF and CR one break each; so must the replace text, or the search
// would count the replacement's length wrong.
QString withDocumentBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(u'\r', u'\n');
}
} // namespace

SearchController::SearchController(TextView *view, WorkspaceActions *actions,
                                   TopmostControl *topmost, QWidget *owner)
    : QObject(owner)
    , m_actions(actions)
    , m_topmost(topmost)
    , m_owner(owner)
    , m_target(std::make_unique<ViewSearchTarget>(view))
    , m_search(std::make_unique<WorkspaceSearch>(*m_target))
{
    connect(actions->mniFind, &QAction::triggered, this,
            ErrorHandler::command([this]() { btnFindClick(); }));
    connect(actions->mniFindNext, &QAction::triggered, this,
            ErrorHandler::command([this]() { mniFindNextClick(); }));
    connect(actions->mniReplace, &QAction::triggered, this,
            ErrorHandler::command([this]() { mniReplaceClick(); }));
}

SearchController::~SearchController() = default;

FindDialog *SearchController::findDialog()
{
    if (!dlgFind) {
        dlgFind = new FindDialog(m_owner);
        connect(dlgFind, &SearchDialog::findNext, this,
                ErrorHandler::command([this]() { Find(dlgFind); }));
    }
    return dlgFind;
}

ReplaceDialog *SearchController::replaceDialog()
{
    if (!dlgReplace) {
        dlgReplace = new ReplaceDialog(m_owner);
        connect(dlgReplace, &SearchDialog::findNext, this,
                ErrorHandler::command([this]() { Find(dlgReplace); }));
        connect(dlgReplace, &ReplaceDialog::replace, this,
                ErrorHandler::command([this]() { Replace(); }));
    }
    return dlgReplace;
}

void SearchController::btnFindClick()
{
    TopmostDropped dropped(*m_topmost);
    findDialog()->popUp();
    m_actions->mniFindNext->setEnabled(true);
}

void SearchController::mniReplaceClick()
{
    TopmostDropped dropped(*m_topmost);
    replaceDialog()->popUp();
}

void SearchController::mniFindNextClick()
{
    Find(findDialog());
}

void SearchController::Find(SearchDialog *dialog)
{
    TopmostDropped dropped(*m_topmost);
    const QString message = m_search->Find(dialog->findText(), dialog->options());
    if (!message.isEmpty()) {
        const std::unique_ptr<QMessageBox> box(AppMessageBox::create(
                messageParent(dialog), AppMessageBox::Kind::Information, message));
        showMessage(*box);
    }
    emit searched();
}

void SearchController::Replace()
{
    ReplaceDialog *dialog = replaceDialog();
    const QString message = m_search->Replace(
            dialog->findText(), withDocumentBreaks(dialog->replaceText()), dialog->options());
    if (!message.isEmpty()) {
        TopmostDropped dropped(*m_topmost);
        // The plain box of the replace dialog: the message alone, without the program's header.
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Leafstack"),
                        ProgramMessage::toDisplay(message), QMessageBox::Ok, messageParent(dialog));
        box.setTextFormat(Qt::PlainText);
        showMessage(box);
    }
    emit searched();
}

QWidget *SearchController::messageParent(SearchDialog *dialog) const
{
    return dialog->isVisible() ? static_cast<QWidget *>(dialog) : m_owner;
}

void SearchController::showMessage(QMessageBox &box)
{
    if (m_messageRunner)
        m_messageRunner(box);
    else
        box.exec();
}
