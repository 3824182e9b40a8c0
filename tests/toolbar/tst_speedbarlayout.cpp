#include "base/apperror.h"
#include "settings/settingsstore.h"
#include "toolbar/speedbarlayout.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kSection = QStringLiteral("Software\\Orvanel\\Leafstack\\TfrmMainbarTool");

SpeedbarLayout designed()
{
    SpeedbarLayout layout;
    layout.height = 52;
    layout.items = {{"btnNew", true, 4, 4},
                    {"btnOpen", true, 52, 4},
                    {"btnSetup", false, 4, 4},
                    {"btnExit", true, 100, 4}};
    return layout;
}

QStringList shown(const SpeedbarLayout &layout)
{
    QStringList names;
    for (const auto &item : layout.items) {
        if (item.visible)
            names.append(QStringLiteral("%1@%2,%3").arg(item.name).arg(item.left).arg(item.top));
    }
    return names;
}

} // namespace

class TestSpeedbarLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void savesTheVisibleButtons();
    void restores_data();
    void restores();
    void positionsThatCannotBeSetGiveTop();

private:
    QString path() const { return m_dir->filePath("Leafstack.reg"); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSpeedbarLayout::savesTheVisibleButtons()
{
    SettingsStore store(path());
    store.writeString(kSection, "Button9", "stale");
    SpeedbarLayout layout = designed();
    SettingsBaseline baseline;
    layout.save(store, kSection, baseline);
    QCOMPARE(store.valueNames(kSection),
             (QStringList{"Position", "Width", "Version", "BtnWidth", "BtnHeight", "Button1",
                          "Button2", "Button3", "Count"}));
    QCOMPARE(store.readString(kSection, "Position", ""), QStringLiteral("1"));
    QCOMPARE(store.readString(kSection, "Width", ""), QStringLiteral("52"));
    QCOMPARE(store.readString(kSection, "Button2", ""), QStringLiteral("btnOpen,52,4"));
    QCOMPARE(store.readString(kSection, "Button3", ""), QStringLiteral("btnExit,100,4"));
    QCOMPARE(store.readString(kSection, "Count", ""), QStringLiteral("3"));
    // Saved again unchanged, nothing is written; moved, the section is written anew.
    store.flush();
    layout.save(store, kSection, baseline);
    QVERIFY(!store.hasUnsavedChanges());
    layout.items[1].left = 148;
    layout.save(store, kSection, baseline);
    QCOMPARE(store.readString(kSection, "Button2", ""), QStringLiteral("btnOpen,148,4"));

    SpeedbarLayout restored = designed();
    for (auto &item : restored.items)
        item.visible = !item.visible;
    restored.restore(store, kSection);
    QCOMPARE(shown(restored), shown(layout));
}

void TestSpeedbarLayout::restores_data()
{
    QTest::addColumn<QStringList>("stored"); // name=value
    QTest::addColumn<QStringList>("expected");

    const QStringList asDesigned{"btnNew@4,4", "btnOpen@52,4", "btnExit@100,4"};
    QTest::newRow("first run") << QStringList() << asDesigned;
    QTest::newRow("count 0") << QStringList{"Count=0", "Button1=btnSetup,4,4"} << asDesigned;
    QTest::newRow("count missing") << QStringList{"Button1=btnSetup,4,4"} << asDesigned;
    QTest::newRow("removed item skipped")
            << QStringList{"Count=2", "Button1=btnGone,4,4", "Button2=btnSetup,60,4"}
            << QStringList{"btnSetup@60,4"};
    QTest::newRow("left of 0 raised")
            << QStringList{"Count=1", "Button1=btnOpen,0,-3"} << QStringList{"btnOpen@4,4"};
    QTest::newRow("bad numbers keep place")
            << QStringList{"Count=1", "Button1=btnExit,x"} << QStringList{"btnExit@100,4"};
    QTest::newRow("empty entry skipped") << QStringList{"Count=2", "Button1=", "Button2=btnNew,8,8"}
                                         << QStringList{"btnNew@8,8"};
    QTest::newRow("older version ignored")
            << QStringList{"Version=-1", "Count=1", "Button1=btnSetup,4,4"} << asDesigned;
    QTest::newRow("bigger buttons ignored")
            << QStringList{"BtnWidth=48", "Count=1", "Button1=btnSetup,4,4"} << asDesigned;
    QTest::newRow("smaller buttons fine")
            << QStringList{"BtnHeight=30", "Count=1", "Button1=btnSetup,4,4"}
            << QStringList{"btnSetup@4,4"};
}

void TestSpeedbarLayout::restores()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, expected);
    SettingsStore store(path());
    for (const QString &entry : stored)
        store.writeString(kSection, entry.section('=', 0, 0), entry.section('=', 1));
    SpeedbarLayout layout = designed();
    layout.restore(store, kSection);
    QCOMPARE(shown(layout), expected);
}

void TestSpeedbarLayout::positionsThatCannotBeSetGiveTop()
{
    SettingsStore store(path());
    SpeedbarLayout layout = designed();
    for (const char *position : {"0", "5", "9"}) {
        layout.align = SpeedbarLayout::alLeft;
        store.writeString(kSection, "Position", position);
        QVERIFY(layout.restore(store, kSection));
        QCOMPARE(layout.align, SpeedbarLayout::alTop);
    }
    store.writeString(kSection, "Position", "3");
    store.writeString(kSection, "Width", "60");
    QVERIFY(layout.restore(store, kSection));
    QCOMPARE(layout.align, SpeedbarLayout::alLeft);
    QCOMPARE(layout.width, 60);
    QCOMPARE(layout.height, 52);
    try {
        layout.setAlign(SpeedbarLayout::alClient);
        QFAIL("a bar that places itself took the client alignment");
    } catch (const AppError &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot set this property value while Position is bpAuto"));
    }
}

QTEST_APPLESS_MAIN(TestSpeedbarLayout)
#include "tst_speedbarlayout.moc"
