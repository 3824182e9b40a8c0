#include "app/errorhandler.h"
#include "settings/settingsstore.h"
#include "settings/tformstorage.h"
#include "settings/tinilink.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kMainKey = QStringLiteral("Software\\Orvanel\\Leafstack\\Main Form");

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
    void closeEvent(QCloseEvent *event) override { event->setAccepted(!refuseClose); }
};

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
    std::unique_ptr<QWidget> form;
    if (dialog) {
        form = std::make_unique<QDialog>();
        (new TFormPlacement(form.get(), &store))->IniSection = QStringLiteral("Main Form");
    } else {
        form = std::make_unique<Frame>(&store);
    }
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
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Orvanel\\Leafstack\\Main "
               "Form]\n\"Flags\"=dword:00000001\n");
    file.close();
    SettingsStore store(path());
    Frame frame(&store);
    frame.show();
    QVERIFY(frame.isVisible());
    QCOMPARE(m_reported, QStringList{"Invalid data type for 'Flags'"});
}

QTEST_MAIN(TestFormPlacement)
#include "tst_formplacement.moc"
