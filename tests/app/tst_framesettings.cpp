#include "app/errorhandler.h"
#include "app/frameactions.h"
#include "app/framesettings.h"
#include "app/stayontop.h"
#include "app/tfrmmain.h"
#include "controls/textdocument.h"
#include "controls/textview.h"
#include "settings/settingsstore.h"
#include "workspace/tfrmedit.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kRoot = QStringLiteral("Software\\Orvanel\\Leafstack\\");
} // namespace

// The frame's settings across two runs of the program, through the real settings file.
class TestFrameSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { ErrorHandler::setPresenter({}); }
    void aSessionIsStoredAndComesBack();
    void unreadableListValueIsReported();
    void theLastWorkspaceClosedSetsTheFont();
    void sessionEndAsksThenSaves();
    void sessionEndWithoutLeaveToAskOnlySaves();

private:
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
    // Opens file n in a new Workspace, lists it as recent and types into it.
    TfrmEdit *openAndEdit(TfrmMain &frame, int n);
    QString file(int n) const { return m_dir->filePath(QStringLiteral("Note %1.txt").arg(n)); }
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
};

void TestFrameSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_reported.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_reported.append(text); });
    for (int n = 1; n <= 9; ++n) {
        QFile out(file(n));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("text\n");
    }
}

void TestFrameSettings::aSessionIsStoredAndComesBack()
{
    {
        SettingsStore store(path());
        TfrmMain frame;
        frame.setSettingsStore(&store);
        frame.show();
        QVERIFY(frame.isMaximized()); // first run
        frame.showNormal();
        frame.setGeometry(50, 60, 700, 500);
        for (int n = 1; n <= 9; ++n) {
            QVERIFY(frame.OpenFile(file(n)));
            frame.addRecentFile(file(n));
        }
        frame.actions().mniStayOnTop->trigger();
        frame.actions().mniMainStatusBar->trigger();
        frame.actions().mniExit->trigger();
        QVERIFY(!frame.isVisible());
    }
    QVERIFY(m_reported.isEmpty());

    SettingsStore saved(path());
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(saved.readString(kRoot + "MRUS", QStringLiteral("mniMRU%1").arg(n), ""),
                 file(10 - n));
    QCOMPARE(saved.valueNames(kRoot + "MRUS").size(), 8);
    QCOMPARE(saved.valueNames(kRoot + "Favorites"),
             (QStringList{"mniFav01", "mniFav02", "mniFav03", "mniFav04", "mniFav05", "mniFav06",
                          "mniFav07", "mniFav08"}));
    QCOMPARE(saved.valueNames(kRoot + "Main Form"),
             (QStringList{"Flags", "ShowCmd", "MinMaxPos", "NormPos", "Visible",
                          "mniButtonHints_Checked", "mniMainStatusBar_Checked",
                          "mniAutomaticBackups_Checked", "mniStayOnTop_Checked",
                          "dlgOpenFile_InitialDir", "lblDate_Caption", "lblTime_Caption",
                          "lblFilter_Caption", "dlgOpenFile_FilterIndex", "dlgOpenFile_Filter"}));
    QCOMPARE(saved.readString(kRoot + "Main Form", "ShowCmd", ""), QStringLiteral("1"));
    QCOMPARE(saved.readString(kRoot + "Main Form", "NormPos", ""), QStringLiteral("50,60,750,560"));
    QCOMPARE(saved.readString(kRoot + "Main Form", "mniStayOnTop_Checked", ""),
             QStringLiteral("True"));
    QCOMPARE(saved.readString(kRoot + "Main Form", "lblFilter_Caption", ""), QStringLiteral("1"));

    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    QCOMPARE(frame.geometry(), QRect(50, 60, 700, 500));
    QVERIFY(!frame.isMaximized());
    QVERIFY(frame.actions().mniStayOnTop->isChecked());
    QVERIFY(frame.stayOnTop().isTopmost());
    QVERIFY(frame.actions().mniMainStatusBar->isChecked());
    QVERIFY(frame.statusBar()->isVisible());

    // The Reopen submenu lists the files, newest first, and opens the one chosen.
    Q_EMIT frame.actions().mnuFile->aboutToShow();
    QAction *first = frame.actions().mniReopen->findChild<QAction *>("mniMRU1");
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->text(), file(9));
    QAction *oldest = frame.actions().mniReopen->findChild<QAction *>("mniMRU8");
    QCOMPARE(oldest->text(), file(2));
    const qsizetype before = frame.workspaces().size();
    oldest->trigger();
    QCOMPARE(frame.workspaces().size(), before + 1);
    QCOMPARE(frame.settings().fileLists().recentFiles().first(), file(2));
    frame.actions().mniStayOnTop->trigger();
    frame.actions().mniExit->trigger();
}

void TestFrameSettings::unreadableListValueIsReported()
{
    QFile out(path());
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\MRUS]\n\"mniMRU1\"=\"/"
              "a\"\n\"mniMRU2\"=dword:00000001\n");
    out.close();
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    QCOMPARE(m_reported, QStringList{"Invalid data type for 'mniMRU2'"});
    QCOMPARE(frame.settings().fileLists().recentFiles(), QStringList{"/a"});
}

void TestFrameSettings::theLastWorkspaceClosedSetsTheFont()
{
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    TfrmEdit *first = frame.workspaces().constFirst();
    TfrmEdit *second = frame.NewChild();
    QFont small(QStringLiteral("DejaVu Sans"), 9);
    QFont large(QStringLiteral("DejaVu Sans Mono"), 15);
    large.setItalic(true);
    first->view()->setTextFont(small);
    second->view()->setTextFont(large);
    QVERIFY(first->close());
    QVERIFY(second->close());
    QCOMPARE(SettingsStore(path()).readString(kRoot + "Edit Form", "mmoMemo_FontStyle", ""),
             QStringLiteral("[fsItalic]"));

    TfrmEdit *next = frame.NewChild();
    QCOMPARE(next->view()->textFont().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(next->view()->textFont().pointSize(), 15);
    QVERIFY(next->view()->textFont().italic());
    frame.actions().mniExit->trigger();
}

TfrmEdit *TestFrameSettings::openAndEdit(TfrmMain &frame, int n)
{
    TfrmEdit *workspace = frame.OpenFile(file(n));
    if (workspace) {
        frame.addRecentFile(file(n));
        QTest::keyClicks(workspace->view(), "edit");
    }
    return workspace;
}

void TestFrameSettings::sessionEndAsksThenSaves()
{
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    TfrmEdit *workspace = openAndEdit(frame, 1);
    QVERIFY(workspace);
    int asked = 0;
    int answer = QMessageBox::Cancel;
    workspace->setQuestionRunner([&](QMessageBox &) {
        ++asked;
        return answer;
    });

    QVERIFY(!frame.commitSession(true));
    QCOMPARE(asked, 1);
    QVERIFY(frame.isVisible());
    QVERIFY(frame.workspaces().contains(workspace));
    QVERIFY(SettingsStore(path()).valueNames(kRoot + "MRUS").isEmpty());

    answer = QMessageBox::No;
    QVERIFY(frame.commitSession(true));
    QCOMPARE(asked, 2);
    QVERIFY(!frame.isVisible());
    SettingsStore saved(path());
    QCOMPARE(saved.readString(kRoot + "MRUS", "mniMRU1", ""), file(1));
    QCOMPARE(saved.readString(kRoot + "Main Form", "ShowCmd", ""), QStringLiteral("3"));
}

void TestFrameSettings::sessionEndWithoutLeaveToAskOnlySaves()
{
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    TfrmEdit *workspace = openAndEdit(frame, 2);
    QVERIFY(workspace);
    workspace->setQuestionRunner([](QMessageBox &) -> int {
        qFatal("no question may be asked");
        return QMessageBox::Cancel;
    });

    QVERIFY(frame.commitSession(false));
    QVERIFY(frame.isVisible());
    QVERIFY(workspace->document()->isModified());
    SettingsStore saved(path());
    QCOMPARE(saved.readString(kRoot + "MRUS", "mniMRU1", ""), file(2));
    QVERIFY(saved.valueNames(kRoot + "Main Form").contains("mniStayOnTop_Checked"));
    workspace->closeWithoutQuery();
}

QTEST_MAIN(TestFrameSettings)
#include "tst_framesettings.moc"
