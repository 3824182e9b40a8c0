#include "base/errorhandler.h"
#include "settings/regfileformat.h"
#include "settings/settingsstore.h"
#include "settings/tinilink.h"
#include "settings/ui/tformstorage.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "common/testfiles.h"

namespace {

const QString kMainKey = QStringLiteral("Software\\Orvanel\\Leafstack\\Main Form");
constexpr char kPartlyOff[] = "partly off, top edge in reach";

class Frame : public QMainWindow
{
public:
    explicit Frame(SettingsStore *store)
    {
        setCentralWidget(new QMdiArea(this));
        m_option = new QAction(this);
        m_option->setObjectName("mniStayOnTop");
        m_option->setCheckable(true);
        m_storage = new TFormStorage(this, store);
        m_storage->IniSection = QStringLiteral("Main Form");
        m_storage->setStoredProps({"mniStayOnTop.Checked"});
        setGeometry(100, 100, 640, 480);
    }
    ~Frame() override { m_storage->formDestroying(); }

    bool refuseClose = false;
    QAction *m_option;
    TFormStorage *m_storage;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->setAccepted(!refuseClose);
        if (event->isAccepted())
            m_storage->formClosed();
    }
};

// A dialog that keeps its placement in the frame's section, as the Preferences dialog does.
class Dialog : public QDialog
{
public:
    explicit Dialog(SettingsStore *store)
        : m_placement(new TFormPlacement(this, store))
    {
        m_placement->IniSection = QStringLiteral("Main Form");
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QDialog::closeEvent(event);
        if (event->isAccepted())
            m_placement->formClosed();
    }

private:
    TFormPlacement *m_placement;
};

// A frame, or a dialog that keeps its placement in the frame's section.
std::unique_ptr<QWidget> makeForm(SettingsStore *store, bool dialog)
{
    if (!dialog)
        return std::make_unique<Frame>(store);
    return std::make_unique<Dialog>(store);
}

} // namespace

class TestFormPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void firstRunMaximisesTheFrameAndSavesEverything();
    void secondRunRestoresPlacementAndOptions();
    void restoredOncePerOpening();
    void showCommands_data();
    void showCommands();
    void normalRectangleRules_data();
    void normalRectangleRules();
    void refusedCloseSavesNothing();
    void destroyedWithoutCloseSavesOnce();
    void linksSaveAndLoadWithTheForm();
    void restoreErrorIsReportedAndTheFormStillShows();
    void placementsOffTheScreenComeOnto_data();
    void placementsOffTheScreenComeOnto();
    void twoCopiesKeepEachOthersChanges_data();
    void twoCopiesKeepEachOthersChanges();

private:
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
    void writeMainForm(const QMap<QString, QString> &values);
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_reported;
};

void TestFormPlacement::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_reported.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_reported.append(text); });
}

void TestFormPlacement::cleanup()
{
    ErrorHandler::setPresenter({});
}

void TestFormPlacement::writeMainForm(const QMap<QString, QString> &values)
{
    SettingsStore store(path());
    for (auto it = values.begin(); it != values.end(); ++it)
        store.writeString(kMainKey, it.key(), it.value());
    store.flush();
}

void TestFormPlacement::firstRunMaximisesTheFrameAndSavesEverything()
{
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QVERIFY(frame.isMaximized());
    frame.m_option->setChecked(true);
    frame.showNormal();
    frame.setGeometry(30, 40, 500, 300);
    QVERIFY(frame.close());

    SettingsStore saved(path());
    QCOMPARE(saved.valueNames(kMainKey),
             (QStringList{"Flags", "ShowCmd", "MinMaxPos", "NormPos", "Visible",
                          "mniStayOnTop_Checked"}));
    QCOMPARE(saved.readString(kMainKey, "ShowCmd", ""), QStringLiteral("1"));
    QCOMPARE(saved.readString(kMainKey, "NormPos", ""), QStringLiteral("30,40,530,340"));
    QCOMPARE(saved.readString(kMainKey, "Visible", ""), QStringLiteral("0"));
    QCOMPARE(saved.readString(kMainKey, "mniStayOnTop_Checked", ""), QStringLiteral("True"));
}

void TestFormPlacement::secondRunRestoresPlacementAndOptions()
{
    writeMainForm({{"Flags", "0x0"},
                   {"ShowCmd", "1"},
                   {"MinMaxPos", "-1,-1,-1,-1"},
                   {"NormPos", "30,40,530,340"},
                   {"mniStayOnTop_Checked", "true"}});
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QVERIFY(!frame.isMaximized());
    QCOMPARE(frame.geometry(), QRect(30, 40, 500, 300));
    QVERIFY(frame.m_option->isChecked());
}

void TestFormPlacement::restoredOncePerOpening()
{
    writeMainForm(
            {{"ShowCmd", "1"}, {"NormPos", "30,40,530,340"}, {"mniStayOnTop_Checked", "False"}});
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QCOMPARE(frame.geometry(), QRect(30, 40, 500, 300));

    // Hidden (to the tray) and shown again: what the user changed meanwhile stays.
    frame.m_option->setChecked(true);
    frame.setGeometry(60, 70, 400, 200);
    frame.hide();
    frame.show();
    QVERIFY(frame.m_option->isChecked());
    QCOMPARE(frame.geometry(), QRect(60, 70, 400, 200));

    // Closed and opened again: it comes back as it was saved at the close.
    QVERIFY(frame.close());
    frame.m_option->setChecked(false);
    frame.setGeometry(10, 10, 300, 300);
    frame.show();
    QVERIFY(frame.m_option->isChecked());
    QCOMPARE(frame.geometry(), QRect(60, 70, 400, 200));
}

void TestFormPlacement::showCommands_data()
{
    QTest::addColumn<QString>("showCmd"); // empty: none stored
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("state");
    QTest::newRow("frame first run") << "" << false << int(Qt::WindowMaximized);
    QTest::newRow("frame normal") << "1" << false << int(Qt::WindowNoState);
    QTest::newRow("frame 9 normal") << "9" << false << int(Qt::WindowNoState);
    QTest::newRow("frame maximised") << "3" << false << int(Qt::WindowMaximized);
    QTest::newRow("frame unknown keeps default") << "7" << false << int(Qt::WindowMaximized);
    QTest::newRow("frame minimised") << "2" << false << int(Qt::WindowMinimized);
    QTest::newRow("dialog missing") << "" << true << int(Qt::WindowNoState);
    QTest::newRow("dialog 7") << "7" << true << int(Qt::WindowNoState);
    QTest::newRow("dialog maximised") << "3" << true << int(Qt::WindowMaximized);
}

void TestFormPlacement::showCommands()
{
    QFETCH(QString, showCmd);
    QFETCH(bool, dialog);
    QFETCH(int, state);
    if (!showCmd.isEmpty())
        writeMainForm({{"ShowCmd", showCmd}});
    SettingsStore store(path());
    const std::unique_ptr<QWidget> form = makeForm(&store, dialog);
    form->show();
    QCoreApplication::processEvents(); // a minimised start happens after the first show
    QCOMPARE(int(form->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)), state);
}

void TestFormPlacement::normalRectangleRules_data()
{
    QTest::addColumn<QString>("normPos");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("all fields") << "10,20,210,120" << QRect(10, 20, 200, 100);
    QTest::newRow("two fields") << "10,20" << QRect(10, 20, 730, 560);
    QTest::newRow("right not past left") << "300,20,300,400" << QRect(100, 100, 640, 480);
    QTest::newRow("bad field keeps current") << "x,20,740,580" << QRect(100, 20, 640, 560);
}

void TestFormPlacement::normalRectangleRules()
{
    QFETCH(QString, normPos);
    QFETCH(QRect, expected);
    writeMainForm({{"ShowCmd", "1"}, {"NormPos", normPos}});
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QCOMPARE(frame.geometry(), expected);
}

void TestFormPlacement::refusedCloseSavesNothing()
{
    SettingsStore store(path());
    auto frame = std::make_unique<Frame>(&store);
    frame->show();
    frame->refuseClose = true;
    QVERIFY(!frame->close());
    QVERIFY(!QFile::exists(path()));
    frame->refuseClose = false;
    QVERIFY(frame->close());
    QVERIFY(QFile::exists(path()));
    QFile::remove(path());
    frame.reset(); // saved by the close already: not again
    QVERIFY(!QFile::exists(path()));
}

void TestFormPlacement::destroyedWithoutCloseSavesOnce()
{
    {
        SettingsStore store(path());
        Frame neverShown(&store);
    }
    QVERIFY(!QFile::exists(path())); // settings never restored are not overwritten
    {
        SettingsStore store(path());
        Frame frame(&store);
        frame.show();
    }
    QCOMPARE(SettingsStore(path()).readString(kMainKey, "Visible", ""), QStringLiteral("1"));
}

void TestFormPlacement::linksSaveAndLoadWithTheForm()
{
    SettingsStore store(path());
    Frame frame(&store);
    TIniLink link;
    QStringList calls;
    link.OnLoad = [&](SettingsStore &s, const QString &root) {
        QVERIFY(link.IniObject() == &s);
        calls.append("load " + s.readString(root + "\\TfrmMainbarTool", "Layout", "none"));
    };
    link.OnSave = [&](SettingsStore &s, const QString &root) {
        s.writeString(root + "\\TfrmMainbarTool", "Layout", "saved");
        calls.append("save");
    };
    link.setStorage(frame.m_storage);
    frame.show();
    QVERIFY(frame.close());
    QVERIFY(link.IniObject() == nullptr);
    QCOMPARE(calls, (QStringList{"load none", "save"}));
    QCOMPARE(SettingsStore(path()).readString("Software\\Orvanel\\Leafstack\\TfrmMainbarTool",
                                              "Layout", ""),
             QStringLiteral("saved"));
}

void TestFormPlacement::restoreErrorIsReportedAndTheFormStillShows()
{
    QVERIFY(QDir().mkpath(m_dir->path()));
    const QByteArray stored = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main "
                              "Form]\n\"Flags\"=dword:00000001\n\"ShowCmd\"=\"1\"\n"
                              "\"NormPos\"=\"30,40,530,340\"\n\"mniStayOnTop_Checked\"=\"True\"\n";
    QVERIFY(TestFiles::writeBytes(path(), stored));
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QVERIFY(frame.isVisible());
    QCOMPARE(m_reported, QStringList{"Invalid data type for 'Flags'"});
    // Everything else has loaded.
    QCOMPARE(frame.geometry(), QRect(30, 40, 500, 300));
    QVERIFY(frame.m_option->isChecked());

    // Closed unchanged, it writes nothing over the value it could not read, or over any other;
    // opened again, it does not say the same twice.
    QVERIFY(frame.close());
    frame.show();
    QVERIFY(frame.close());
    QCOMPARE(m_reported.size(), 1);
    const RegTree tree = RegFileFormat::parse(TestFiles::readBytes(path()));
    const QString key = "HKEY_CURRENT_USER\\" + kMainKey;
    QCOMPARE(tree.value(key, "Flags")->type, RegValue::Type::Dword);
    QCOMPARE(tree.value(key, "NormPos")->text, QStringLiteral("30,40,530,340"));
    QCOMPARE(tree.value(key, "mniStayOnTop_Checked")->text, QStringLiteral("True"));
}

// The offscreen platform has one screen of 800 x 800 at the origin and gives every window a
// frame of 2 pixels.
void TestFormPlacement::placementsOffTheScreenComeOnto_data()
{
    QTest::addColumn<QString>("normPos");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QRect>("expected");
    const QRect area = QRect(0, 0, 800, 800).marginsRemoved(QMargins(2, 2, 2, 2));
    QTest::newRow("on the screen") << "30,40,530,340" << false << QRect(30, 40, 500, 300);
    QTest::newRow(kPartlyOff) << "600,100,1000,400" << false << QRect(600, 100, 400, 300);
    QTest::newRow("monitor unplugged")
            << "1200,100,1800,500" << false << QRect(area.right() + 1 - 600, 100, 600, 400);
    QTest::newRow("far off and wider than the screen")
            << "5000,5000,5800,5600" << false
            << QRect(area.left(), area.bottom() + 1 - 600, area.width(), 600);
    QTest::newRow("huge") << "0,0,2000000000,2000000000" << false << area;
    QTest::newRow("huge both ways")
            << "-2147483648,-2147483648,2147483647,2147483647" << false << area;
    QTest::newRow("huge dialog") << "0,0,2000000000,2000000000" << true << area;
    QTest::newRow("dialog above the screen")
            << "100,-900,500,-600" << true << QRect(100, area.top(), 400, 300);
}

void TestFormPlacement::placementsOffTheScreenComeOnto()
{
    QFETCH(QString, normPos);
    QFETCH(bool, dialog);
    QFETCH(QRect, expected);
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 800, 800));
    writeMainForm({{"ShowCmd", "1"}, {"NormPos", normPos}});
    {
        SettingsStore store(path());
        const std::unique_ptr<QWidget> form = makeForm(&store, dialog);
        form->show();
        QCOMPARE(form->geometry(), expected);
        // Frame and all on the screen, but for a window the user left partly off it.
        QCOMPARE(QRect(0, 0, 800, 800).contains(form->frameGeometry()),
                 qstrcmp(QTest::currentDataTag(), kPartlyOff) != 0);
        QVERIFY(form->close());
    }
    // What was brought onto the screen is what is kept.
    const QString saved = SettingsStore(path()).readString(kMainKey, "NormPos", "");
    QCOMPARE(saved,
             QStringLiteral("%1,%2,%3,%4")
                     .arg(expected.left())
                     .arg(expected.top())
                     .arg(expected.left() + expected.width())
                     .arg(expected.top() + expected.height()));
}

// Two running copies of the program, each with its own store of the one settings file.
void TestFormPlacement::twoCopiesKeepEachOthersChanges_data()
{
    QTest::addColumn<bool>("firstClosesFirst");
    QTest::addColumn<bool>("bothMove");
    QTest::newRow("first closes first") << true << false;
    QTest::newRow("second closes first") << false << false;
    QTest::newRow("both move, first closes last") << false << true;
}

void TestFormPlacement::twoCopiesKeepEachOthersChanges()
{
    QFETCH(bool, firstClosesFirst);
    QFETCH(bool, bothMove);
    writeMainForm({{"Flags", "0"},
                   {"ShowCmd", "1"},
                   {"MinMaxPos", "-1,-1,-1,-1"},
                   {"NormPos", "30,40,530,340"},
                   {"Visible", "0"},
                   {"mniStayOnTop_Checked", "False"}});
    SettingsStore firstStore(path());
    SettingsStore secondStore(path());
    Frame first(&firstStore);
    Frame second(&secondStore);
    first.show();
    second.show();
    first.m_option->setChecked(true);
    second.setGeometry(60, 70, 400, 200);
    if (bothMove)
        first.setGeometry(10, 20, 300, 300);
    QVERIFY((firstClosesFirst ? first : second).close());
    QVERIFY((firstClosesFirst ? second : first).close());

    SettingsStore saved(path());
    QCOMPARE(saved.readString(kMainKey, "mniStayOnTop_Checked", ""), QStringLiteral("True"));
    QCOMPARE(saved.readString(kMainKey, "NormPos", ""),
             bothMove ? QStringLiteral("10,20,310,320") : QStringLiteral("60,70,460,270"));
    QCOMPARE(saved.readString(kMainKey, "ShowCmd", ""), QStringLiteral("1"));
}

QTEST_MAIN(TestFormPlacement)
#include "tst_formplacement.moc"
