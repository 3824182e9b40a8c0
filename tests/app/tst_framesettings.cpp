#include "app/ui/frameactions.h"
#include "app/ui/framesettings.h"
#include "app/ui/frametoolbar.h"
#include "app/ui/stayontop.h"
#include "app/ui/tfrmmain.h"
#include "base/errorhandler.h"
#include "base/opendialogsettings.h"
#include "base/valuelabel.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "settings/regfileformat.h"
#include "settings/settingsstore.h"
#include "settings/ui/tformstorage.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"

#include "common/testfiles.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
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
    void everyStoredPropertyNamesAComponent();
    void theLastWorkspaceClosedSetsTheFont();
    void sessionEndAsksThenSaves();
    void sessionEndWithoutLeaveToAskOnlySaves();
    void twoRunningCopiesKeepEachOthersSettings_data();
    void twoRunningCopiesKeepEachOthersSettings();
    void aWrongTypedFavoriteCostsNoOther();
    void aFileCutMidValueKeepsEveryOtherValue();

private:
    // A first session that stores every section: favourites, a filter, both tool bars changed,
    // the frame at 50,60 in normal size, and last the Preferences dialog's placement.
    void storeAFullSession();
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

// A component renamed or gone would drop its setting without a word.
void TestFrameSettings::everyStoredPropertyNamesAComponent()
{
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    QCOMPARE(frame.settings().storage()->StoredProps(), FrameSettings::storedProps());
    QCOMPARE(frame.settings().storage()->missingStoredProps(), QStringList());
    const auto *workspace = frame.workspaces().constFirst()->findChild<TFormStorage *>();
    QVERIFY(workspace);
    QCOMPARE(workspace->StoredProps(), QStringList{"mmoMemo.Font"});
    QCOMPARE(workspace->missingStoredProps(), QStringList());
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

void TestFrameSettings::storeAFullSession()
{
    SettingsStore store(path());
    TfrmMain frame;
    frame.setSettingsStore(&store);
    frame.show();
    frame.showNormal();
    frame.setGeometry(50, 60, 700, 500);
    frame.settings().fileLists().setFavoriteFiles({file(1), file(2)});
    frame.settings().dlgOpenFile()->setFilter("Text Files (*.txt)|*.txt|Notes (*.note)|*.note");
    frame.toolBar().bar()->FindItem("btnNew")->setVisible(false);
    frame.workspaces().constFirst()->actions()->barTool->items().constFirst()->setVisible(false);
    frame.actions().mniExit->trigger();
    QVERIFY(m_reported.isEmpty());
    // The Preferences dialog was opened once, long ago.
    store.writeString(kRoot + "Preferences", "ShowCmd", "1");
    store.writeString(kRoot + "Preferences", "NormPos", "120,80,680,500");
    store.flush();
}

void TestFrameSettings::twoRunningCopiesKeepEachOthersSettings_data()
{
    QTest::addColumn<bool>("firstExitsFirst");
    QTest::newRow("first exits first") << true;
    QTest::newRow("second exits first") << false;
}

// Two copies of the program started one after the other, each changing settings of its own
// in the same sections, "Main Form", "Favorites", "Edit Form" and the tool bar sections.
void TestFrameSettings::twoRunningCopiesKeepEachOthersSettings()
{
    QFETCH(bool, firstExitsFirst);
    storeAFullSession();
    SettingsStore firstStore(path());
    SettingsStore secondStore(path());
    TfrmMain first;
    TfrmMain second;
    first.setSettingsStore(&firstStore);
    second.setSettingsStore(&secondStore);
    first.show();
    second.show();

    first.actions().mniAutomaticBackups->trigger();
    first.settings().lblDate()->setCaption("5");
    first.settings().fileLists().setFavoriteFiles({file(1), file(2), file(3)});
    first.toolBar().bar()->FindItem("btnOpen")->setVisible(false);
    const bool statusBar = second.actions().mniMainStatusBar->isChecked();
    second.actions().mniMainStatusBar->trigger();
    second.settings().dlgOpenFile()->setFilter("All Files (*.*)|*.*");
    TfrmEdit *workspace = second.workspaces().constFirst();
    workspace->view()->setTextFont(QFont("DejaVu Sans Mono", 15));
    workspace->actions()->barTool->items().constLast()->setVisible(false);
    const QString editButton = workspace->actions()->barTool->items().constLast()->name();

    (firstExitsFirst ? first : second).actions().mniExit->trigger();
    (firstExitsFirst ? second : first).actions().mniExit->trigger();
    QVERIFY(m_reported.isEmpty());

    SettingsStore saved(path());
    const auto value = [&](const QString &section, const char *name) {
        return saved.readString(kRoot + section, name, "-");
    };
    QCOMPARE(value("Main Form", "mniAutomaticBackups_Checked"), QStringLiteral("True"));
    QCOMPARE(value("Main Form", "lblDate_Caption"), QStringLiteral("5"));
    QCOMPARE(value("Favorites", "mniFav03"), file(3));
    QCOMPARE(value("Main Form", "mniMainStatusBar_Checked"),
             statusBar ? QStringLiteral("False") : QStringLiteral("True"));
    QCOMPARE(value("Main Form", "dlgOpenFile_Filter"), QStringLiteral("All Files (*.*)|*.*"));
    QCOMPARE(value("Main Form", "NormPos"), QStringLiteral("50,60,750,560"));
    QCOMPARE(value("Edit Form", "mmoMemo_FontSize"), QStringLiteral("15"));
    QCOMPARE(value("Edit Form", "mmoMemo_FontName"), QStringLiteral("DejaVu Sans Mono"));
    QStringList mainButtons;
    QStringList editButtons;
    for (int n = 1; n <= 30; ++n) {
        mainButtons.append(value("TfrmMainbarTool", qPrintable(QStringLiteral("Button%1").arg(n))));
        editButtons.append(value("TfrmEditbarTool", qPrintable(QStringLiteral("Button%1").arg(n))));
    }
    const auto named = [](const QStringList &buttons, const QString &name) {
        return !buttons.filter(QRegularExpression("^" + name + ",")).isEmpty();
    };
    QVERIFY(!named(mainButtons, "btnOpen") && !named(mainButtons, "btnNew"));
    QVERIFY(named(mainButtons, "btnExit"));
    QVERIFY(!named(editButtons, editButton));
    QVERIFY(editButtons.first() != "-");
}

void TestFrameSettings::aWrongTypedFavoriteCostsNoOther()
{
    QByteArray content = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Favorites]\n";
    for (int n = 1; n <= 8; ++n) {
        content += n == 3 ? QByteArray("\"mniFav03\"=dword:00000001\n")
                          : QStringLiteral("\"mniFav0%1\"=\"/home/u/fav%1.txt\"\n").arg(n).toUtf8();
    }
    QVERIFY(TestFiles::writeBytes(path(), content));
    {
        SettingsStore store(path());
        TfrmMain frame;
        frame.setSettingsStore(&store);
        frame.show();
        QCOMPARE(m_reported, QStringList{"Invalid data type for 'mniFav03'"});
        QStringList expected;
        for (int n = 1; n <= 8; ++n)
            expected.append(n == 3 ? QString() : QStringLiteral("/home/u/fav%1.txt").arg(n));
        QCOMPARE(frame.settings().fileLists().favoriteFiles(), expected);
        frame.actions().mniExit->trigger();
    }
    QCOMPARE(m_reported.size(), 1);
    // Nothing was changed: nothing was written over, the value that could not be read included.
    const RegTree tree = RegFileFormat::parse(TestFiles::readBytes(path()));
    const QString key = "HKEY_CURRENT_USER\\" + kRoot + "Favorites";
    QCOMPARE(tree.valueNames(key).size(), 8);
    for (int n = 1; n <= 8; ++n) {
        const RegValue *favorite = tree.value(key, QStringLiteral("mniFav0%1").arg(n));
        QVERIFY(favorite);
        if (n == 3)
            QCOMPARE(favorite->type, RegValue::Type::Dword);
        else
            QCOMPARE(favorite->text, QStringLiteral("/home/u/fav%1.txt").arg(n));
    }
}

void TestFrameSettings::aFileCutMidValueKeepsEveryOtherValue()
{
    storeAFullSession();
    const QByteArray whole = TestFiles::readBytes(path());
    const RegTree stored = RegFileFormat::parse(whole);
    // Cut in the middle of the last value's text, as a full disk or a crash would.
    const qsizetype lastLine = whole.lastIndexOf('\n', whole.size() - 2) + 1;
    const qsizetype dataStart = whole.indexOf("=\"", lastLine) + 2;
    const QByteArray cut = whole.left(dataStart + (whole.size() - 1 - dataStart) / 2);
    const QString cutName = QString::fromUtf8(whole.mid(lastLine + 1, dataStart - lastLine - 4));
    const int lines = int(cut.count('\n')) + 1;
    QVERIFY(TestFiles::writeBytes(path(), cut));
    {
        SettingsStore store(path());
        QVERIFY(store.loadError().contains(QStringLiteral("line %1:").arg(lines)));
        TfrmMain frame;
        frame.setSettingsStore(&store);
        frame.show();
        QVERIFY(m_reported.isEmpty());
        QCOMPARE(frame.geometry(), QRect(50, 60, 700, 500));
        QCOMPARE(frame.settings().fileLists().favoriteFiles().mid(0, 2),
                 (QStringList{file(1), file(2)}));
        QCOMPARE(frame.settings().sharedOptions().filterString(),
                 QStringLiteral("Text Files (*.txt)|*.txt|Notes (*.note)|*.note"));
        QVERIFY(!frame.toolBar().bar()->FindItem("btnNew")->Visible());
        const TfrmEdit *workspace = frame.workspaces().constFirst();
        QVERIFY(!workspace->actions()->barTool->items().constFirst()->Visible());
        frame.actions().mniExit->trigger();
    }
    QCOMPARE(TestFiles::readBytes(path() + ".bad"), cut);
    // Every value that could be read is in the file written since.
    const RegTree kept = RegFileFormat::parse(TestFiles::readBytes(path()));
    for (const RegTree::Key &key : stored.keys()) {
        for (const RegValue &value : key.values) {
            if (&key == &stored.keys().constLast() && value.name == cutName)
                continue;
            QVERIFY2(kept.value(key.path, value.name), qPrintable(value.name));
            QCOMPARE(kept.value(key.path, value.name)->text, value.text);
        }
    }
}

QTEST_MAIN(TestFrameSettings)
#include "tst_framesettings.moc"
