#include "fileconflicts.h"

#include "filewatch.h"

FileConflicts::FileConflicts(FileWatch &watch, Actions actions)
    : m_watch(watch)
    , m_actions(std::move(actions))
{ }

void FileConflicts::check()
{
    if (!m_asking && m_watch.changed())
        resolve(false);
}

bool FileConflicts::mayWrite()
{
    if (!m_watch.changed())
        return true;
    return resolve(true) == Choice::Write;
}

FileConflicts::Choice FileConflicts::resolve(bool saving)
{
    // One question at a time: a notification while a question is open waits for the answer.
    m_asking = true;
    const QString path = m_watch.path();
    const FileIdentity now = m_watch.current();
    Choice choice = Choice::Later;
    if (!now.exists) {
        if (!saving)
            m_actions.tell(QStringLiteral("%1 was deleted or moved by another program.\rIts "
                                          "text is still here: save it to write it back.")
                                   .arg(path));
        m_actions.markModified();
        // Asked once: saving the text writes the file anew.
        m_watch.watch(path, now);
        choice = Choice::Write;
    } else if (!m_actions.modified()) {
        const Answer answer = m_actions.ask(
                QStringLiteral("%1 was changed by another program.\rLoad the new text?").arg(path),
                saving);
        if (answer == Answer::Yes) {
            m_actions.reload();
            choice = Choice::Reloaded;
        } else if (answer == Answer::No) {
            // The text here is no longer the file's: keep it protected by the close question.
            m_watch.watch(path, now);
            m_actions.markModified();
            choice = Choice::Write;
        }
    } else {
        const Answer answer = m_actions.ask(
                QStringLiteral("%1 was changed by another program, and this Workspace holds "
                               "changes of its own.\rYes: write your text over the other "
                               "program's change.\rNo: load the new text and lose your "
                               "changes.\rCancel: leave it for now.")
                        .arg(path),
                true);
        if (answer == Answer::Yes) {
            m_watch.watch(path, now);
            choice = Choice::Write;
        } else if (answer == Answer::No
                   && m_actions.ask(QStringLiteral("Load the new text of %1 and lose the "
                                                   "changes made here?")
                                            .arg(path),
                                    false)
                           == Answer::Yes) {
            m_actions.reload();
            choice = Choice::Reloaded;
        }
    }
    m_asking = false;
    return choice;
}
