#include "app/ui/frameactions.h"
#include "app/ui/framesettings.h"
#include "app/ui/frametoolbar.h"
#include "app/ui/helpwindow.h"
#include "app/ui/stayontop.h"
#include "app/ui/tfrmmain.h"
#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "platform/saverecord.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacestatusbar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <functional>
#include <memory>

namespace {

QString sourceHelpFolder()
{
    return qEnvironmentVariable("LEAFSTACK_SOURCE_DIR") + QStringLiteral("/src/app/help");
}

QStringList barCaptions(TfrmMain &frame)
{
    QStringList captions;
    for (QAction *action : frame.menuBar()->actions())
        captions.append(action->text());
    return captions;
}

const QStringList frameBar{"&File", "&Window", "&Options", "&Help"};
const QStringList mergedBar{"&File",   "&Edit",    "&Character", "&Search",
                            "&Window", "&Options", "&Help"};

// Runs check on the next modal dialog that opens, then closes it with done().
void onNextModal(std::function<void(QDialog *)> check)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, check] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            check(dialog);
        }
    });
    poll->start();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startWithoutArguments();
    void startWithArguments();
    void fileThatCannotBeOpened();
    void startNamesWhatACutShortSaveKept();
    void startWithSeveralFiles();
    void aFileOpenAlreadyComesToTheFront();
    void longPathKeepsTheWorkspaceInItsFrame();
    void menusFollowTheActiveWorkspace();
    void frameShortcutsDoNotCompete();
    void arrangeCommandsFollowTheWorkspaces();
    void captionNamesMaximisedWorkspace();
    void openDialog();
    void stayOnTopAroundDialogs();
    void helpCommands();
    void whatsNewOpensTheReadMe();
    void droppingThreeFilesOpensTheFirst();
    void exitAsksEveryWorkspace();
    void exitCancelledByAWorkspace_data();
    void exitCancelledByAWorkspace();
    void hintsAndOptions();
    void minimiseAndRestore();

private:
    TfrmMain &start(const QStringList &arguments = {}, const QString &folder = QDir::currentPath());
    TfrmEdit *modifiedWorkspace(const QString &text);

    std::unique_ptr<TfrmMain> m_frame;
    QTemporaryDir m_dir;
    QStringList m_errors;
};

void TestFrame::init()
{
    m_errors.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_errors.append(text); });
}

void TestFrame::cleanup()
{
    if (m_frame) {
        for (TfrmEdit *workspace : m_frame->workspaces())
            workspace->closeWithoutQuery();
    }
    m_frame.reset();
    ErrorHandler::setPresenter({});
}

TfrmMain &TestFrame::start(const QStringList &arguments, const QString &folder)
{
    m_frame = std::make_unique<TfrmMain>();
    m_frame->setProgramFolder(sourceHelpFolder());
    m_frame->setCommandLine(arguments, folder);
    m_frame->show();
    [&] {
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }();
    return *m_frame;
}

TfrmEdit *TestFrame::modifiedWorkspace(const QString &text)
{
    TfrmEdit *workspace = m_frame->NewChild();
    workspace->view()->replaceSelection(text);
    return workspace;
}

void TestFrame::startWithoutArguments()
{
    TfrmMain &frame = start();
    QCOMPARE(frame.workspaces().size(), 1);
    TfrmEdit *workspace = frame.workspaces().constFirst();
    QVERIFY(workspace->untitled());
    QVERIFY(workspace->isMaximized());
    QCOMPARE(frame.activeWorkspace(), workspace);
    QCOMPARE(workspace->windowTitle(), QStringLiteral("untitled.txt"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack - [untitled.txt]"));
    QCOMPARE(workspace->statusPanels()->text(WorkspaceStatusBar::Size), QStringLiteral("0 bytes"));
    QVERIFY(workspace->statusPanels()->text(WorkspaceStatusBar::Path).startsWith(QLatin1Char(' ')));
    QCOMPARE(barCaptions(frame), mergedBar);
    QVERIFY(m_errors.isEmpty());
}

// A save in place that a crash cut short left a note and a copy of the old content: the next
// start names them once its first Workspace is open.
void TestFrame::startNamesWhatACutShortSaveKept()
{
    const QByteArray savedState = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("state"))));
    const QString file = m_dir.filePath(QStringLiteral("torn.txt"));
    const QString copy = m_dir.filePath(QStringLiteral(".leafstack-old-XYZ123"));
    writeFile(file, "new text, and the old one's tail");
    writeFile(copy, "old text");
    QVERIFY(QDir().mkpath(QFile::decodeName(SaveRecord::folder())));
    writeFile(QFile::decodeName(SaveRecord::folder()) + QStringLiteral("/record-1"),
              SaveRecord{QFile::encodeName(file), QFile::encodeName(copy)}.toBytes());
    QString told;
    int workspacesThen = -1;
    onNextModal([&](QDialog *dialog) {
        told = static_cast<QMessageBox *>(dialog)->text();
        workspacesThen = int(m_frame->workspaces().size());
        dialog->accept();
    });
    start();
    qputenv("XDG_STATE_HOME", savedState);
    QTRY_VERIFY(!told.isEmpty());
    QVERIFY(told.startsWith(QStringLiteral("Leafstack\n------------------\n")));
    QVERIFY2(told.contains(QStringLiteral("\n%1: in %2\n").arg(file, copy)), qPrintable(told));
    QCOMPARE(workspacesThen, 1);
    QVERIFY(QFile::exists(copy));
    QVERIFY(m_errors.isEmpty());
}

void TestFrame::startWithArguments()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Mixed Case")));
    const QString path = m_dir.filePath(QStringLiteral("Mixed Case/My Long Name.TXT"));
    writeFile(path, "first line\nsecond line\n");

    // The shell split the name at its blanks; relative to the folder the program started in.
    TfrmMain &frame = start({"Mixed", "Case/My", "Long", "Name.TXT"}, m_dir.path());
    QCOMPARE(frame.workspaces().size(), 1);
    TfrmEdit *workspace = frame.workspaces().constFirst();
    QTRY_VERIFY(!workspace->loading());
    QCOMPARE(workspace->filePath(), path);
    QCOMPARE(workspace->document()->toPlainText(), QStringLiteral("first line\nsecond line\n"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack - [My Long Name.TXT]"));
    QCOMPARE(QDir(frame.settings().sharedOptions().openDirectory()),
             QDir(m_dir.filePath(QStringLiteral("Mixed Case"))));
    QVERIFY(m_errors.isEmpty());
}

void TestFrame::fileThatCannotBeOpened()
{
    // A folder cannot be read as a file: the error is shown, and the frame still holds its
    // untitled Workspace afterwards.
    const QString folder = m_dir.filePath(QStringLiteral("a folder"));
    QVERIFY(QDir().mkpath(folder));
    TfrmMain &frame = start({folder});
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors.constFirst().contains(folder));
    QCOMPARE(frame.workspaces().size(), 1);
    QVERIFY(frame.workspaces().constFirst()->untitled());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack - [untitled.txt]"));
    QVERIFY(!frame.settings().fileLists().recentFiles().contains(folder));

    // From a drop or the Open command no Workspace is left behind.
    const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
    QVERIFY(!frame.OpenFile(missing));
    QTRY_COMPARE(frame.workspaces().size(), 1);
    QCOMPARE(m_errors.size(), 2);
}

// Whatever path reaches it, a file has one Workspace: two would each save over the other.
void TestFrame::aFileOpenAlreadyComesToTheFront()
{
    const QString path = m_dir.filePath(QStringLiteral("once.txt"));
    writeFile(path, "one file");
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
    const QString link = m_dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(QFile::link(path, link));
    TfrmMain &frame = start();
    TfrmEdit *first = frame.OpenFile(path);
    QVERIFY(first);
    frame.NewChild(); // another Workspace in front
    QCOMPARE(frame.OpenFile(m_dir.filePath(QStringLiteral("sub/../once.txt"))), first);
    QCOMPARE(frame.activeWorkspace(), first);
    frame.NewChild();
    QCOMPARE(frame.OpenFile(link), first);
    frame.RunMRU(path);
    QCOMPARE(frame.activeWorkspace(), first);
    QCOMPARE(frame.workspaces().size(), 4); // the first untitled one, two new ones, and once.txt
    QCOMPARE(m_errors, QStringList());
}

void TestFrame::startWithSeveralFiles()
{
    writeFile(m_dir.filePath(QStringLiteral("lines.txt")), "one\ntwo\nthree\nfour\n");
    const QString folder = m_dir.filePath(QStringLiteral("unreadable"));
    QVERIFY(QDir().mkpath(folder));
    // An unreadable one, a line asked for, the same file again at another line, a file not
    // there yet.
    TfrmMain &frame =
            start({"unreadable", "lines.txt:3", "+2", "lines.txt", "new file.txt"}, m_dir.path());
    QCOMPARE(m_errors.size(), 1);
    const QList<TfrmEdit *> opened = frame.workspaces();
    QCOMPARE(opened.size(), 2); // no untitled one beside them, no second one for lines.txt
    for (TfrmEdit *workspace : opened)
        QTRY_VERIFY(!workspace->loading());
    const auto caretLine = [](TfrmEdit *workspace) {
        return workspace->document()->lineOfOffset(workspace->view()->selectionStart()) + 1;
    };
    QCOMPARE(opened.at(0)->filePath(), m_dir.filePath(QStringLiteral("lines.txt")));
    // The second request for lines.txt moved the caret of its one Workspace.
    QCOMPARE(caretLine(opened.at(0)), 2);
    QCOMPARE(opened.at(0)->view()->selectionStart(), 4);

    // The new name is the Workspace's: Save writes there without asking.
    TfrmEdit *fresh = opened.at(1);
    const QString freshPath = m_dir.filePath(QStringLiteral("new file.txt"));
    QVERIFY(!fresh->untitled());
    QCOMPARE(fresh->windowTitle(), QStringLiteral("new file.txt"));
    QCOMPARE(fresh->statusPanels()->text(WorkspaceStatusBar::Path), freshPath);
    QVERIFY(!QFile::exists(freshPath));
    fresh->setSaveDialogRunner([](QFileDialog &) {
        [] {
            QFAIL("Save asked for a name");
        }();
        return QString();
    });
    fresh->view()->replaceSelection(QStringLiteral("written"));
    QVERIFY(fresh->mniSaveClick());
    QFile saved(freshPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("written"));
    QCOMPARE(m_errors.size(), 1);
}

void TestFrame::longPathKeepsTheWorkspaceInItsFrame()
{
    // A path of 183 characters: its panel would be 1,281 pixels wide by the width rule.
    QString folder = m_dir.path();
    while (folder.size() < 150)
        folder += QStringLiteral("/a folder with a long name");
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + u'/';
    path += QString(183 - path.size() - 4, u'n') + QStringLiteral(".txt");
    QCOMPARE(path.size(), 183);
    writeFile(path, "text\n");
    TfrmMain &frame = start({path});
    frame.resize(1280, 800);
    TfrmEdit *workspace = frame.activeWorkspace();
    QVERIFY(workspace && workspace->isMaximized());
    WorkspaceStatusBar *bar = workspace->statusPanels();
    QCOMPARE(bar->panelWidth(WorkspaceStatusBar::Path), 183 * 7);
    const int room = frame.mdiArea()->viewport()->width();
    QTRY_VERIFY(room < 1280);
    QTRY_COMPARE(workspace->width(), room);
    // The panel ends inside the window; the path is whole in its tool-tip.
    const QLabel *panel = bar->panel(WorkspaceStatusBar::Path);
    QVERIFY(panel->geometry().right() < bar->width());
    QCOMPARE(panel->toolTip(), path);
    QCOMPARE(bar->text(WorkspaceStatusBar::Path), path);
    // Narrower, the path is elided where the panel ends; the panels after it keep their
    // places in the window.
    frame.resize(700, 600);
    QTRY_VERIFY(workspace->width() < 700);
    QTRY_VERIFY(bar->shownText(WorkspaceStatusBar::Path).contains(QChar(0x2026)));
    QVERIFY(bar->shownText(WorkspaceStatusBar::Path).endsWith(QStringLiteral(".txt")));
    QVERIFY(bar->panel(WorkspaceStatusBar::CapsLock)->geometry().right() < bar->width());
    QCOMPARE(bar->text(WorkspaceStatusBar::Path), path);
    // With room again the whole path shows, on the panel's full width.
    frame.resize(1900, 800);
    QTRY_COMPARE(bar->shownText(WorkspaceStatusBar::Path), path);
    QTRY_COMPARE(panel->width(), 183 * 7);
}

void TestFrame::menusFollowTheActiveWorkspace()
{
    TfrmMain &frame = start();
    TfrmEdit *first = frame.workspaces().constFirst();
    TfrmEdit *second = frame.NewChild();
    QCOMPARE(frame.activeWorkspace(), second);
    QCOMPARE(frame.menuBar()->actions().constFirst()->menu(), second->mergedMenus().constFirst());
    QCOMPARE(barCaptions(frame), mergedBar);

    frame.mdiArea()->setActiveSubWindow(first);
    QCOMPARE(frame.menuBar()->actions().constFirst()->menu(), first->mergedMenus().constFirst());
    QCOMPARE(barCaptions(frame), mergedBar);
    // The frame's own Window, Options and Help menus close the bar whichever Workspace leads.
    const QList<QAction *> bar = frame.menuBar()->actions();
    QCOMPARE(bar.at(4)->menu(), frame.actions().mnuWindow);
    QCOMPARE(bar.at(6)->menu(), frame.actions().mnuHelp);

    first->closeWithoutQuery();
    second->closeWithoutQuery();
    QTRY_VERIFY(frame.workspaces().isEmpty());
    QTRY_COMPARE(barCaptions(frame), frameBar);
    QCOMPARE(frame.menuBar()->actions().constFirst()->menu(), frame.actions().mnuFile);
}

void TestFrame::frameShortcutsDoNotCompete()
{
    // Ctrl+N stands in the frame's File menu and in each Workspace's; only the menu in the
    // bar may answer, or the key would be ambiguous and do nothing.
    TfrmMain &frame = start();
    frame.activateWindow();
    QTRY_VERIFY(frame.isActiveWindow());
    QTest::keyClick(frame.activeWorkspace()->widget(), Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(frame.workspaces().size(), 2);

    for (TfrmEdit *workspace : frame.workspaces())
        workspace->closeWithoutQuery();
    QTRY_COMPARE(barCaptions(frame), frameBar);
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QTRY_COMPARE(frame.workspaces().size(), 1);
}

void TestFrame::arrangeCommandsFollowTheWorkspaces()
{
    TfrmMain &frame = start();
    const FrameActions &a = frame.actions();
    const auto enabled = [&](bool expected) {
        for (QAction *action : {a.mniTile, a.mniCascade, a.mniArrange})
            QCOMPARE(action->isEnabled(), expected);
        for (const char *name : {"btnTile", "btnCascade", "btnArrange"})
            QCOMPARE(frame.toolBar().item(QLatin1String(name))->button->isEnabled(), expected);
    };
    enabled(true);
    frame.workspaces().constFirst()->closeWithoutQuery();
    QTRY_VERIFY(frame.workspaces().isEmpty());
    QTRY_VERIFY(!a.mniTile->isEnabled());
    enabled(false);
    frame.NewChild();
    enabled(true);
}

void TestFrame::captionNamesMaximisedWorkspace()
{
    TfrmMain &frame = start();
    frame.resize(1600, 900);
    TfrmEdit *second = frame.NewChild();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack - [untitled.txt]"));

    frame.actions().mniTile->trigger();
    QVERIFY(!second->isMaximized());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack"));
    // Two tiled Workspaces share the area without overlapping.
    const QRect a = frame.workspaces().at(0)->geometry();
    const QRect b = frame.workspaces().at(1)->geometry();
    QVERIFY(!a.intersects(b));
    QCOMPARE(a.width(), b.width());
    QCOMPARE(frame.size(), QSize(1600, 900));

    frame.actions().mniCascade->trigger();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack"));
    second->showMaximized();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Leafstack - [untitled.txt]"));

    second->showMinimized();
    frame.workspaces().at(0)->showMinimized();
    frame.actions().mniArrange->trigger();
    const QRect room = frame.mdiArea()->viewport()->rect();
    for (TfrmEdit *workspace : frame.workspaces())
        QCOMPARE(workspace->geometry().bottom(), room.bottom());

    // Where Workspaces cannot shrink to their share, the frame still keeps its size.
    for (TfrmEdit *workspace : frame.workspaces())
        workspace->showNormal();
    frame.resize(700, 500);
    frame.NewChild();
    frame.actions().mniTile->trigger();
    QCOMPARE(frame.size(), QSize(700, 500));
}

void TestFrame::openDialog()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Notes")));
    const QString path = m_dir.filePath(QStringLiteral("Notes/ToDo.Txt"));
    writeFile(path, "milk\n");
    TfrmMain &frame = start();
    frame.settings().sharedOptions().setOpenDirectory(m_dir.path());

    QStringList filters;
    QString selected;
    QString startFolder;
    onNextModal([&](QDialog *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        filters = files->nameFilters();
        selected = files->selectedNameFilter();
        startFolder = files->directory().absolutePath();
        files->selectFile(path);
        static_cast<QDialog *>(files)->accept();
    });
    frame.actions().mniOpen->trigger();
    QCOMPARE(filters.size(), 4);
    QCOMPARE(filters.constFirst(), QStringLiteral("Text Files (*.TXT) (*.[tT][xX][tT])"));
    QCOMPARE(selected, QStringLiteral("Text Files (*.TXT)"));
    QCOMPARE(QDir(startFolder), QDir(m_dir.path()));
    QCOMPARE(frame.workspaces().size(), 2);
    TfrmEdit *opened = frame.activeWorkspace();
    QCOMPARE(opened->filePath(), path);
    QCOMPARE(opened->windowTitle(), QStringLiteral("ToDo.Txt"));
    // The next Open starts in the chosen file's folder, spelt as it is.
    QCOMPARE(QDir(frame.settings().sharedOptions().openDirectory()),
             QDir(m_dir.filePath(QStringLiteral("Notes"))));
    QVERIFY(frame.settings().sharedOptions().openDirectory().contains(QStringLiteral("Notes")));

    // A Workspace's own File > Open reaches the same dialog, in the folder of the last file.
    QString reachedFolder;
    onNextModal([&](QDialog *dialog) {
        if (auto *files = qobject_cast<QFileDialog *>(dialog))
            reachedFolder = files->directory().absolutePath();
        dialog->reject();
    });
    opened->actions()->mniOpen->trigger();
    QCOMPARE(QDir(reachedFolder), QDir(m_dir.filePath(QStringLiteral("Notes"))));
    QCOMPARE(frame.workspaces().size(), 2);
}

void TestFrame::stayOnTopAroundDialogs()
{
    TfrmMain &frame = start();
    StayOnTop &stayOnTop = frame.stayOnTop();
    frame.actions().mniStayOnTop->trigger();
    QVERIFY(frame.actions().mniStayOnTop->isChecked());
    QVERIFY(stayOnTop.isTopmost());
    const QRect placed = frame.geometry();
    // The frame's own command turns it over as the menu item does.
    frame.mniStayOnTopClick();
    QVERIFY(!frame.actions().mniStayOnTop->isChecked());
    QVERIFY(!stayOnTop.isTopmost());
    frame.mniStayOnTopClick();
    QVERIFY(stayOnTop.isTopmost());

    // Open and printer set-up: the frame steps back while the dialog is up, the option stays.
    for (QAction *command : {frame.actions().mniOpen, frame.actions().mniPrinterSetup}) {
        bool topmostDuring = true;
        bool checkedDuring = false;
        onNextModal([&](QDialog *dialog) {
            topmostDuring = stayOnTop.isTopmost();
            checkedDuring = frame.actions().mniStayOnTop->isChecked();
            dialog->reject();
        });
        command->trigger();
        QVERIFY2(!topmostDuring, qPrintable(command->objectName()));
        QVERIFY(checkedDuring);
        QVERIFY(stayOnTop.isTopmost());
    }

    // The close question of a Workspace.
    TfrmEdit *workspace = modifiedWorkspace(QStringLiteral("text"));
    bool topmostDuring = true;
    workspace->setQuestionRunner([&](QMessageBox &) {
        topmostDuring = stayOnTop.isTopmost();
        return int(QMessageBox::Cancel);
    });
    QVERIFY(!workspace->close());
    QVERIFY(!topmostDuring);
    QVERIFY(stayOnTop.isTopmost());
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.geometry(), placed);

    // Help stays open beside the frame: the option goes off and stays off.
    frame.actions().mniContents->trigger();
    QVERIFY(!frame.actions().mniStayOnTop->isChecked());
    QVERIFY(!stayOnTop.isTopmost());
    frame.NewChild();
    QVERIFY(!stayOnTop.isTopmost());
    workspace->document()->setModified(false);
}

void TestFrame::helpCommands()
{
    TfrmMain &frame = start();
    QVERIFY(!frame.helpWindow());
    frame.actions().mniContents->trigger();
    HelpWindow *help = frame.helpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->currentAnchor(), HelpWindow::ContentsAnchor);
    frame.actions().mniHowtoUseHelp->trigger();
    QCOMPARE(help->currentAnchor(), HelpWindow::HowToUseAnchor);
    frame.actions().mniSearchForHelpOn->trigger();
    QVERIFY(help->isIndexShown());
    QVERIFY(m_errors.isEmpty());

    // Help goes when the program ends.
    QPointer<HelpWindow> watched(help);
    frame.actions().mniExit->trigger();
    QVERIFY(!frame.isVisible());
    QVERIFY(!watched || !watched->isVisible());

    // Without a help file the command says so.
    TfrmMain other;
    other.setProgramFolder(m_dir.path());
    other.actions().mniContents->trigger();
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors.constFirst().contains(m_dir.filePath(QStringLiteral("leaf95.html"))));
}

void TestFrame::whatsNewOpensTheReadMe()
{
    TfrmMain &frame = start();
    frame.actions().mniWhatsNew->trigger();
    QCOMPARE(frame.workspaces().size(), 2);
    TfrmEdit *readme = frame.activeWorkspace();
    QCOMPARE(readme->filePath(), QDir(sourceHelpFolder()).filePath(QStringLiteral("readme.txt")));
    QTRY_VERIFY(!readme->loading());
    QVERIFY(readme->document()->toPlainText().startsWith(QStringLiteral("Leafstack")));
}

void TestFrame::droppingThreeFilesOpensTheFirst()
{
    QStringList paths;
    QList<QUrl> urls;
    for (const char *name : {"one.txt", "two.txt", "three.txt"}) {
        paths.append(m_dir.filePath(QLatin1String(name)));
        writeFile(paths.constLast(), name);
        urls.append(QUrl::fromLocalFile(paths.constLast()));
    }
    TfrmMain &frame = start();
    QMimeData data;
    data.setUrls(urls);
    data.setText(urls.constFirst().toString());
    // As the window system does: the drop goes to the nearest widget that takes drops.
    const auto dropOn = [&](QWidget *under) {
        QWidget *target = under;
        while (target && !target->acceptDrops())
            target = target->parentWidget();
        QVERIFY(target);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    };

    // Dropped on the text of a Workspace: the first file opens; nothing is pasted as text.
    TfrmEdit *first = frame.workspaces().constFirst();
    QWidget *text = nullptr;
    for (QWidget *child : first->findChildren<QWidget *>()) {
        if (child->acceptDrops())
            text = child;
    }
    QVERIFY(text);
    dropOn(text);
    QCOMPARE(frame.workspaces().size(), 2);
    QCOMPARE(frame.workspaces().at(1)->filePath(), paths.at(0));
    QCOMPARE(first->document()->length(), 0);

    // Dropped on the empty area once every Workspace is closed.
    for (TfrmEdit *workspace : frame.workspaces())
        workspace->closeWithoutQuery();
    QTRY_VERIFY(frame.workspaces().isEmpty());
    dropOn(frame.mdiArea()->viewport());
    QCOMPARE(frame.workspaces().size(), 1);
    QCOMPARE(frame.workspaces().constFirst()->filePath(), paths.at(0));
}

void TestFrame::exitAsksEveryWorkspace()
{
    TfrmMain &frame = start();
    const QString saved = m_dir.filePath(QStringLiteral("kept.txt"));
    TfrmEdit *first = modifiedWorkspace(QStringLiteral("kept"));
    TfrmEdit *second = modifiedWorkspace(QStringLiteral("dropped"));
    QStringList asked;
    first->setQuestionRunner([&](QMessageBox &box) {
        asked.append(box.text());
        return int(QMessageBox::Yes);
    });
    first->setSaveDialogRunner([&](QFileDialog &) { return saved; });
    second->setQuestionRunner([&](QMessageBox &box) {
        asked.append(box.text());
        return int(QMessageBox::No);
    });

    frame.actions().mniExit->trigger();
    QCOMPARE(asked.size(), 2);
    QVERIFY(!frame.isVisible());
    QTRY_VERIFY(frame.workspaces().isEmpty());
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("kept"));
}

void TestFrame::exitCancelledByAWorkspace_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveDialogCancelled");
    QTest::newRow("Cancel") << int(QMessageBox::Cancel) << false;
    QTest::newRow("Yes, then Save As cancelled") << int(QMessageBox::Yes) << true;
    QTest::newRow("Yes, then the save fails") << int(QMessageBox::Yes) << false;
}

void TestFrame::exitCancelledByAWorkspace()
{
    QFETCH(int, answer);
    QFETCH(bool, saveDialogCancelled);
    TfrmMain &frame = start();
    TfrmEdit *agrees = modifiedWorkspace(QStringLiteral("first"));
    TfrmEdit *refuses = modifiedWorkspace(QStringLiteral("second"));
    agrees->setQuestionRunner([](QMessageBox &) { return int(QMessageBox::No); });
    refuses->setQuestionRunner([&](QMessageBox &) { return answer; });
    const QString unwritable = m_dir.filePath(QStringLiteral("no such folder/x.txt"));
    refuses->setSaveDialogRunner(
            [&](QFileDialog &) { return saveDialogCancelled ? QString() : unwritable; });

    frame.actions().mniExit->trigger();
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.workspaces().size(), 3);
    // The Workspace that agreed is not closed either, and both still hold their text.
    QCOMPARE(agrees->document()->toPlainText(), QStringLiteral("first"));
    QCOMPARE(refuses->document()->toPlainText(), QStringLiteral("second"));
    QVERIFY(refuses->document()->isModified());
    QCOMPARE(m_errors.size(), answer == QMessageBox::Yes && !saveDialogCancelled ? 1 : 0);

    refuses->setQuestionRunner([](QMessageBox &) { return int(QMessageBox::No); });
    frame.actions().mniExit->trigger();
    QVERIFY(!frame.isVisible());
}

void TestFrame::hintsAndOptions()
{
    TfrmMain &frame = start();
    const FrameActions &a = frame.actions();
    QVERIFY(frame.statusBar()->isHidden());
    a.mniMainStatusBar->trigger();
    QVERIFY(!frame.statusBar()->isHidden());

    // A hovered command's hint reaches the frame's one panel, a Workspace's too.
    a.mniTile->showStatusText(frame.menuBar());
    QCOMPARE(frame.statusText(), QStringLiteral(" Tile Windows"));
    QAction *save = frame.activeWorkspace()->mergedMenus().constFirst()->actions().at(0);
    save->showStatusText(frame.menuBar());
    QCOMPARE(frame.statusText(), QLatin1Char(' ') + save->statusTip());
    QVERIFY(!save->statusTip().isEmpty());

    a.mniMainStatusBar->trigger();
    QVERIFY(frame.statusBar()->isHidden());
    QVERIFY(!frame.settings().sharedOptions().automaticBackups());
    a.mniAutomaticBackups->trigger();
    QVERIFY(frame.settings().sharedOptions().automaticBackups());
    QVERIFY(a.mniButtonHints->isChecked());
    a.mniButtonHints->trigger();
    QVERIFY(!a.mniButtonHints->isChecked());
}

void TestFrame::minimiseAndRestore()
{
    TfrmMain &frame = start();
    frame.actions().mniStayOnTop->trigger();
    QVERIFY(frame.stayOnTop().isTopmost());

    // Minimised, the frame leaves the stay-on-top order; the option stays as it was.
    frame.MinimizeApplication();
    QVERIFY(frame.isMinimized());
    QVERIFY(!frame.stayOnTop().isTopmost());
    QVERIFY(frame.actions().mniStayOnTop->isChecked());
    frame.actions().puiLeafstack->trigger();
    QVERIFY(!frame.isMinimized());
    QVERIFY(frame.isVisible());
    QVERIFY(frame.stayOnTop().isTopmost());

    // The title bar's minimise button takes the same road.
    frame.showMinimized();
    QVERIFY(!frame.stayOnTop().isTopmost());
    frame.showNormal();
    QVERIFY(frame.stayOnTop().isTopmost());
    QCOMPARE(frame.workspaces().size(), 1);
}

QTEST_MAIN(TestFrame)
#include "tst_tfrmmain.moc"
