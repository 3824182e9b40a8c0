#pragma once

#include "app/commandline.h"

#include <QList>

#include <functional>

class FrameWorkspaces;
class QMessageBox;
class QString;
class QWidget;
class StayOnTop;

// What the frame does once it is on the screen: the files of the command line, the old copies
// a crashed save kept aside, and the unsaved texts a crash left behind.
class FrameStartup
{
public:
    // Answers a prepared question instead of showing it (tests).
    using QuestionRunner = std::function<int(QMessageBox &box)>;
    using RecentAdder = std::function<void(const QString &path)>;

    FrameStartup(QWidget *frame, FrameWorkspaces &workspaces, StayOnTop &stayOnTop,
                 RecentAdder addRecent);

    void setQuestionRunner(QuestionRunner runner) { m_questionRunner = std::move(runner); }

    // Each named file in a Workspace of its own; a name that is not there yet gives an empty
    // Workspace saved under it. A file that cannot be read is reported over the frame, and the
    // Workspace made for it stays as the untitled one while nothing else has opened.
    void openFiles(const QList<CommandLine::FileRequest> &files);
    // A save in place that a crash cut short kept the file's old content aside: says where.
    void reportKeptCopies();
    // Texts a crash or a power cut left unsaved: one question lists them; Yes (the default)
    // opens each in a Workspace, modified, for the user to save; No drops them; Cancel keeps
    // them for the next start. A journal that cannot be read is kept and reported.
    void offerRecovery();

private:
    QWidget *m_frame;
    FrameWorkspaces &m_workspaces;
    StayOnTop &m_stayOnTop;
    RecentAdder m_addRecent;
    QuestionRunner m_questionRunner;
};
