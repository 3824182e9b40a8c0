#include "settings/settingsstore.h"
#include "settings/ui/tformplacement.h"
#include "speedbarplaces.h"
#include "toolbar/ui/speedbardock.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarbutton.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString kRoot = QStringLiteral("Software\\Orvanel\\Leafstack");
const QString kSection = kRoot + QStringLiteral("\\TfrmProbebarTool");

} // namespace

// A form as the program builds one: a bar named barTool above its client, and a storage that
// restores when the form is shown and saves when it closes.
class TfrmProbe : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmProbe(SettingsStore *store)
        : bar(new TSpeedBar)
        , storage(new TFormPlacement(this, store))
    {
        bar->setObjectName(QStringLiteral("barTool"));
        TSpeedbarSection *file = bar->AddSection(QStringLiteral("File"));
        TSpeedbarSection *help = bar->AddSection(QStringLiteral("Help"));
        for (QAction *action : {&m_new, &m_open, &m_setup, &m_exit, &m_about})
            action->setParent(this);
        bar->AddItem(file, "btnNew", &m_new, "New", "New Workspace");
        bar->AddItem(file, "btnOpen", &m_open, "Open", "Open New File");
        bar->AddItem(file, "btnSetup", &m_setup, "Setup", "Setup Printer", false);
        bar->AddItem(file, "btnExit", &m_exit, "Exit", "Exit Application");
        bar->AddItem(help, "btnAbout", &m_about, "About", "About Leafstack", false);
        bar->setIniStorage(storage);
        dock = new SpeedbarDock(bar, new QLabel(QStringLiteral("client")), this);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(dock);
        storage->IniSection = QStringLiteral("Probe Form");
        resize(400, 200);
    }

    TSpeedBar *bar;
    TFormPlacement *storage;
    SpeedbarDock *dock;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QWidget::closeEvent(event);
        storage->formClosed();
    }

private:
    QAction m_new, m_open, m_setup, m_exit, m_about;
};

// The bar's layout kept between runs through its form's storage.
class TestSpeedbarStorage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void restoresWhenTheFormIsShown_data();
    void restoresWhenTheFormIsShown();
    void savesWhenTheFormCloses();
    void aLayoutOfANewerVersionOnlyIsTaken();
    void aBarWithoutANameKeepsNothing();
    void twoCopiesKeepTheLayoutOneChanged_data();
    void twoCopiesKeepTheLayoutOneChanged();
    void aThickBarIsCutAndOnlyThatIsWritten();

private:
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSpeedbarStorage::restoresWhenTheFormIsShown_data()
{
    QTest::addColumn<QStringList>("stored"); // name=value
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("align");

    const QStringList asDesigned{"btnNew@4,4", "btnOpen@48,4", "btnExit@92,4"};
    const int top = TSpeedBar::alTop;
    QTest::newRow("first run") << QStringList() << asDesigned << top;
    QTest::newRow("count 0") << QStringList{"Count=0", "Button1=btnSetup,4,4"} << asDesigned << top;
    QTest::newRow("count missing") << QStringList{"Button1=btnAbout,4,4"} << asDesigned << top;
    QTest::newRow("a removed item is skipped")
            << QStringList{"Count=2", "Button1=btnPrintAll,4,4", "Button2=btnAbout,48,4"}
            << QStringList{"btnAbout@48,4"} << top;
    QTest::newRow("left of 0 raised to the offset")
            << QStringList{"Count=2", "Button1=btnOpen,0,0", "Button2=btnNew,48,4"}
            << QStringList{"btnNew@48,4", "btnOpen@4,4"} << top;
    QTest::newRow("older version ignored")
            << QStringList{"Version=-1", "Count=1", "Button1=btnSetup,4,4"} << asDesigned << top;
    QTest::newRow("bigger buttons ignored")
            << QStringList{"BtnWidth=45", "Count=1", "Button1=btnSetup,4,4"} << asDesigned << top;
    QTest::newRow("taller buttons ignored")
            << QStringList{"BtnHeight=60", "Count=1", "Button1=btnSetup,4,4"} << asDesigned << top;
    QTest::newRow("position 0 gives top")
            << QStringList{"Position=0", "Count=1", "Button1=btnExit,4,4"}
            << QStringList{"btnExit@4,4"} << top;
    QTest::newRow("position 5 gives top")
            << QStringList{"Position=5", "Count=1", "Button1=btnExit,4,4"}
            << QStringList{"btnExit@4,4"} << top;
    QTest::newRow("position 2 docks at the bottom")
            << QStringList{"Position=2", "Width=52", "Count=1", "Button1=btnExit,92,4"}
            << QStringList{"btnExit@92,4"} << int(TSpeedBar::alBottom);
    // A side bar saved with no buttons of its own stacks the designed ones.
    QTest::newRow("position 3 docks at the left")
            << QStringList{"Position=3", "Width=52"}
            << QStringList{"btnNew@4,4", "btnOpen@4,48", "btnExit@4,92"} << int(TSpeedBar::alLeft);
    // Two buttons in one place: the later item moves on rather than covering the other.
    QTest::newRow("overlapping buttons")
            << QStringList{"Count=2", "Button1=btnExit,50,4", "Button2=btnNew,60,9"}
            << QStringList{"btnNew@48,4", "btnExit@92,4"} << top;
}

void TestSpeedbarStorage::restoresWhenTheFormIsShown()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, expected);
    QFETCH(int, align);
    {
        SettingsStore store(path());
        for (const QString &entry : stored)
            store.writeString(kSection, entry.section('=', 0, 0), entry.section('=', 1));
        store.flush();
    }
    SettingsStore store(path());
    TfrmProbe form(&store);
    form.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCOMPARE(places(*form.bar), expected);
    QCOMPARE(int(form.bar->align()), align);
    // The dock has put the bar on the matching edge of the form.
    const QRect bar = form.bar->geometry();
    const QRect client = form.dock->client()->geometry();
    switch (align) {
    case TSpeedBar::alTop:
        QVERIFY(bar.bottom() < client.top());
        QCOMPARE(bar.height(), 52);
        break;
    case TSpeedBar::alBottom:
        QVERIFY(bar.top() > client.bottom());
        break;
    case TSpeedBar::alLeft:
        QVERIFY(bar.right() < client.left());
        QCOMPARE(bar.width(), 52);
        break;
    }
    for (const TSpeedItem *item : form.bar->items()) {
        QCOMPARE(item->button()->isVisible(), item->Visible());
        if (item->Visible())
            QCOMPARE(item->button()->pos(), QPoint(item->Left(), item->Top()));
    }
}

void TestSpeedbarStorage::savesWhenTheFormCloses()
{
    {
        SettingsStore store(path());
        store.writeString(kSection, "Button7", "btnStale,4,4");
        store.flush();
        TfrmProbe form(&store);
        form.show();
        form.bar->FindItem("btnOpen")->setVisible(false);
        form.bar->dropItem(form.bar->FindItem("btnAbout"), QPoint(10, 10));
        QVERIFY(form.close());
    }
    SettingsStore saved(path());
    QCOMPARE(saved.valueNames(kSection),
             (QStringList{"Position", "Width", "Version", "BtnWidth", "BtnHeight", "Button1",
                          "Button2", "Button3", "Count"}));
    const auto value = [&](const char *name) {
        return saved.readString(kSection, name, "-");
    };
    QCOMPARE(value("Position"), QStringLiteral("1"));
    QCOMPARE(value("Width"), QStringLiteral("52"));
    QCOMPARE(value("Version"), QStringLiteral("0"));
    QCOMPARE(value("BtnWidth"), QStringLiteral("44"));
    QCOMPARE(value("BtnHeight"), QStringLiteral("44"));
    // Items in their order, each where it stands.
    QCOMPARE(value("Button1"), QStringLiteral("btnNew,48,4"));
    QCOMPARE(value("Button2"), QStringLiteral("btnExit,92,4"));
    QCOMPARE(value("Button3"), QStringLiteral("btnAbout,4,4"));
    QCOMPARE(value("Count"), QStringLiteral("3"));

    // The next run shows the same.
    SettingsStore store(path());
    TfrmProbe form(&store);
    form.show();
    QCOMPARE(places(*form.bar), (QStringList{"btnNew@48,4", "btnExit@92,4", "btnAbout@4,4"}));
}

void TestSpeedbarStorage::aLayoutOfANewerVersionOnlyIsTaken()
{
    for (const char *version : {"1", "2"}) {
        SettingsStore store(path());
        store.writeString(kSection, "Version", version);
        store.writeString(kSection, "Count", "1");
        store.writeString(kSection, "Button1", "btnAbout,4,4");
        TfrmProbe form(&store);
        form.bar->setVersion(2);
        form.show();
        QCOMPARE(form.bar->FindItem("btnAbout")->Visible(), qstrcmp(version, "2") == 0);
    }
}

void TestSpeedbarStorage::aBarWithoutANameKeepsNothing()
{
    {
        SettingsStore store(path());
        store.writeString(kSection, "Count", "1");
        store.writeString(kSection, "Button1", "btnAbout,4,4");
        TfrmProbe form(&store);
        form.bar->setObjectName(QString());
        form.show();
        QVERIFY(!form.bar->FindItem("btnAbout")->Visible());
        form.close();
    }
    SettingsStore saved(path());
    QCOMPARE(saved.valueNames(kSection), (QStringList{"Count", "Button1"}));
}

// Two running copies of the program, each with its own store of the one settings file.
void TestSpeedbarStorage::twoCopiesKeepTheLayoutOneChanged_data()
{
    QTest::addColumn<bool>("changerClosesFirst");
    QTest::addColumn<bool>("bothChange");
    QTest::newRow("the one that changed closes first") << true << false;
    QTest::newRow("the one that changed closes last") << false << false;
    QTest::newRow("both changed: the last to close wins") << true << true;
}

void TestSpeedbarStorage::twoCopiesKeepTheLayoutOneChanged()
{
    QFETCH(bool, changerClosesFirst);
    QFETCH(bool, bothChange);
    {
        SettingsStore store(path());
        TfrmProbe form(&store);
        form.show();
        QVERIFY(form.close()); // the designed layout is stored
    }
    SettingsStore changerStore(path());
    SettingsStore otherStore(path());
    TfrmProbe changer(&changerStore);
    TfrmProbe other(&otherStore);
    changer.show();
    other.show();
    changer.bar->FindItem("btnOpen")->setVisible(false);
    changer.bar->dropItem(changer.bar->FindItem("btnAbout"), QPoint(150, 10));
    if (bothChange)
        other.bar->FindItem("btnExit")->setVisible(false);
    QVERIFY((changerClosesFirst ? changer : other).close());
    QVERIFY((changerClosesFirst ? other : changer).close());

    SettingsStore store(path());
    TfrmProbe next(&store);
    next.show();
    const QStringList changed{"btnNew@4,4", "btnExit@92,4", "btnAbout@136,4"};
    const QStringList otherChanged{"btnNew@4,4", "btnOpen@48,4"};
    QCOMPARE(places(*next.bar), bothChange ? otherChanged : changed);
    QCOMPARE(store.readString(kSection, "Count", ""),
             QString::number(bothChange ? otherChanged.size() : changed.size()));
}

// A bar stored far thicker than its buttons need comes back as thick as they need. That, and
// nothing else, is written back: an entry that could not be read stays for the user to see.
void TestSpeedbarStorage::aThickBarIsCutAndOnlyThatIsWritten()
{
    {
        SettingsStore store(path());
        const QStringList entries{"Position=1",      "Width=100000",         "Version=0",
                                  "BtnWidth=44",     "BtnHeight=44",         "Button1=btnNew,4,4",
                                  "Button2=garbage", "Button3=btnExit,48,4", "Count=3"};
        for (const QString &entry : entries)
            store.writeString(kSection, entry.section('=', 0, 0), entry.section('=', 1));
        store.flush();
    }
    {
        SettingsStore store(path());
        TfrmProbe form(&store);
        form.show();
        QCOMPARE(form.bar->height(), 52);
        QCOMPARE(places(*form.bar), (QStringList{"btnNew@4,4", "btnExit@48,4"}));
        QVERIFY(form.close());
    }
    SettingsStore saved(path());
    QCOMPARE(saved.readString(kSection, "Width", ""), QStringLiteral("52"));
    QCOMPARE(saved.readString(kSection, "Button2", ""), QStringLiteral("garbage"));
    QCOMPARE(saved.readString(kSection, "Button3", ""), QStringLiteral("btnExit,48,4"));
    QCOMPARE(saved.valueNames(kSection).size(), 9);
}

QTEST_MAIN(TestSpeedbarStorage)
#include "tst_speedbarstorage.moc"
