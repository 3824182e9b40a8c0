#include "framestartup.h"

#include "base/errorhandler.h"
#include "base/ui/appmessagebox.h"
#include "controls/textdocument.h"
#include "frameworkspaces.h"
#include "platform/keptcopies.h"
#include "stayontop.h"
#include "workspace/recoveryfile.h"
#include "workspace/recoveryfolder.h"
#include "workspace/ui/tfrmedit.h"

#include <QMessageBox>
#include <QWidget>

#include <algorithm>
#include <memory>

FrameStartup::FrameStartup(QWidget *frame, FrameWorkspaces &workspaces, StayOnTop &stayOnTop,
                           RecentAdder addRecent)
    : m_frame(frame)
    , m_workspaces(workspaces)
    , m_stayOnTop(stayOnTop)
    , m_addRecent(std::move(addRecent))
{ }

void FrameStartup::openFiles(const QList<CommandLine::FileRequest> &files)
{
    TfrmEdit *untitled = nullptr;
    bool opened = false;
    for (const CommandLine::FileRequest &file : files) {
        if (TfrmEdit *open = m_workspaces.holding(file.path)) {
            m_workspaces.activate(open);
            if (file.line > 0)
                open->goToLine(file.line);
            continue;
        }
        TfrmEdit *workspace = m_workspaces.create();
        workspace->show();
        if (!CommandLine::existsOnDisk(file.path)) {
            workspace->bindNewFile(file.path);
        } else if (workspace->Open(file.path)) {
            m_addRecent(file.path);
            if (file.line > 0)
                workspace->goToLine(file.line);
        } else if (!opened && !untitled) {
            untitled = workspace;
            continue;
        } else {
            workspace->closeWithoutQuery();
            continue;
        }
        opened = true;
    }
    if (opened && untitled && !untitled->document()->isModified())
        untitled->closeWithoutQuery();
}

void FrameStartup::reportKeptCopies()
{
    const QString message = KeptCopies::message(KeptCopies::check());
    if (message.isEmpty())
        return;
    TopmostDropped dropped(m_stayOnTop);
    AppMessageBox::show(m_frame, AppMessageBox::Kind::Information, message);
}

void FrameStartup::offerRecovery()
{
    std::vector<RecoveryFile> left = RecoveryFile::leftOver(RecoveryFolder::path());
    // A run that ended before its first edit reached the disk left nothing to recover.
    left.erase(std::remove_if(left.begin(), left.end(),
                              [](RecoveryFile &file) {
                                  const bool empty = file.readable() && !file.holdsEdits();
                                  if (empty)
                                      file.remove();
                                  return empty;
                              }),
               left.end());
    // Texts of files first, then the untitled ones, each oldest first.
    std::stable_partition(left.begin(), left.end(),
                          [](const RecoveryFile &file) { return !file.path().isEmpty(); });
    QStringList names;
    QStringList unreadable;
    for (const RecoveryFile &file : left) {
        if (!file.readable())
            unreadable << QStringLiteral("%1: %2").arg(file.journalPath(), file.error());
        else
            names << (file.path().isEmpty() ? TfrmEdit::untitledName : file.path());
    }
    if (!unreadable.isEmpty())
        ErrorHandler::report(QStringLiteral("These unsaved texts from an earlier run cannot be "
                                            "read; they are kept:\r")
                             + unreadable.join(u'\r'));
    if (names.isEmpty())
        return;
    const QString question =
            QStringLiteral("Leafstack ended without saving these texts:\r%1\rRecover them?\r"
                           "Yes opens each in a Workspace, to be saved; No discards them; "
                           "Cancel keeps them for the next start.")
                    .arg(names.join(u'\r'));
    TopmostDropped dropped(m_stayOnTop);
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(m_frame, AppMessageBox::Kind::CloseQuestion, question));
    const int answer = m_questionRunner ? m_questionRunner(*box) : box->exec();
    if (answer == QMessageBox::Cancel)
        return;
    TfrmEdit *first = nullptr;
    for (RecoveryFile &file : left) {
        if (!file.readable())
            continue;
        if (answer == QMessageBox::No) {
            file.remove();
            continue;
        }
        // The file's own Workspace, when it was just opened and holds no changes yet.
        TfrmEdit *workspace = file.path().isEmpty() ? nullptr : m_workspaces.holding(file.path());
        const bool fresh = !workspace || workspace->document()->isModified();
        if (fresh) {
            workspace = m_workspaces.create();
            workspace->show();
        }
        // A journal that cannot be put back stays for another try, and says why.
        if (ErrorHandler::run([&]() { workspace->recover(file); })) {
            file.remove();
            first = first ? first : workspace;
        } else if (fresh) {
            workspace->closeWithoutQuery();
        }
    }
    if (first)
        m_workspaces.activate(first);
}
