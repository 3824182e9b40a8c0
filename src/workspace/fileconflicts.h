#pragma once

#include <QString>

#include <functional>

class FileWatch;

// What a Workspace does when its file changed behind its back: nothing silently. Unmodified,
// it offers to reload; modified, it asks whether to write over the other program's change, to
// reload and lose the edits (after a second question), or to leave it for now. A file that
// went is told, and its text kept to be saved again.
class FileConflicts
{
public:
    enum class Answer { Yes, No, Cancel };
    struct Actions
    {
        // Asks the program's question with Yes and No, and Cancel when withCancel.
        std::function<Answer(const QString &message, bool withCancel)> ask;
        std::function<void(const QString &message)> tell;
        std::function<bool()> modified;
        std::function<void()> markModified;
        std::function<void()> reload;
    };

    FileConflicts(FileWatch &watch, Actions actions);

    // At activation and when the file was touched: asks, when it changed, what to do.
    void check();
    // Right before a save: true when the save may go ahead over what is on disk.
    bool mayWrite();

private:
    enum class Choice { Write, Reloaded, Later };
    Choice resolve(bool saving);

    FileWatch &m_watch;
    Actions m_actions;
    bool m_asking = false;
};
