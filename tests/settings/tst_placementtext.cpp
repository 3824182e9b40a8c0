#include "settings/placementtext.h"
#include "settings/screenfit.h"

#include <QTest>

using PlacementText::Placement;

// A window's placement in the texts its form's section keeps.
class TestPlacementText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encode_data();
    void encode();
    void showCommands();
    void normalRect_data();
    void normalRect();
};

void TestPlacementText::encode_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("topLevel");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("normal frame") << int(Qt::WindowNoState) << true << false
                                  << QStringList{"0", "1", "-1,-1,-1,-1", "10,20,310,220", "0"};
    QTest::newRow("maximised, saved as it goes")
            << int(Qt::WindowMaximized) << true << true
            << QStringList{"0", "3", "-1,-1,-1,-1", "10,20,310,220", "1"};
    QTest::newRow("minimised frame") << int(Qt::WindowMinimized) << true << false
                                     << QStringList{"0", "2", "-1,-1,-1,-1", "10,20,310,220", "0"};
    // An MDI child's icon keeps its place; one minimised from maximised goes back maximised.
    QTest::newRow("minimised child")
            << int(Qt::WindowMinimized | Qt::WindowMaximized) << false << false
            << QStringList{"3", "2", "5,400,-1,-1", "10,20,310,220", "0"};
    QTest::newRow("maximised child") << int(Qt::WindowMaximized) << false << false
                                     << QStringList{"0", "3", "-1,-1,-1,-1", "10,20,310,220", "0"};
}

void TestPlacementText::encode()
{
    QFETCH(int, state);
    QFETCH(bool, topLevel);
    QFETCH(bool, visible);
    QFETCH(QStringList, texts);
    const SettingsBaseline::Values values = PlacementText::encode(
            {Qt::WindowStates(state), topLevel, QPoint(5, 400), QRect(10, 20, 300, 200), visible});
    QStringList names;
    QStringList written;
    for (const auto &[name, text] : values) {
        names << name;
        written << text;
    }
    QCOMPARE(names, (QStringList{"Flags", "ShowCmd", "MinMaxPos", "NormPos", "Visible"}));
    QCOMPARE(written, texts);
}

void TestPlacementText::showCommands()
{
    const Qt::WindowStates fallback = Qt::WindowMaximized;
    for (int normal : {1, 5, 9})
        QCOMPARE(PlacementText::stateFor(normal, fallback), Qt::WindowStates(Qt::WindowNoState));
    for (int minimised : {2, 6})
        QCOMPARE(PlacementText::stateFor(minimised, {}), Qt::WindowStates(Qt::WindowMinimized));
    QCOMPARE(PlacementText::stateFor(3, {}), Qt::WindowStates(Qt::WindowMaximized));
    // Missing, damaged or unknown: the form's own default.
    for (int unknown : {0, 4, 7, 10, -1})
        QCOMPARE(PlacementText::stateFor(unknown, fallback), fallback);
}

void TestPlacementText::normalRect_data()
{
    QTest::addColumn<QString>("normPos");
    QTest::addColumn<bool>("fixedSize");
    QTest::addColumn<QRect>("expected"); // null: nothing to restore
    const int far = ScreenFit::kFar;
    QTest::newRow("as stored") << "30,40,530,340" << false << QRect(30, 40, 500, 300);
    QTest::newRow("blanks around fields") << " 30, 40 ,530,340" << false << QRect(30, 40, 500, 300);
    QTest::newRow("a bad field keeps the current edge")
            << "30,x,530,340" << false << QRect(30, 2, 500, 338);
    QTest::newRow("fields missing") << "30,40" << false << QRect(30, 40, 72, 12);
    QTest::newRow("fixed size keeps its size") << "30,40,530,340" << true << QRect(30, 40, 100, 50);
    QTest::newRow("no width left") << "530,40,30,340" << false << QRect();
    QTest::newRow("far away held in reach")
            << "-99999999,0,99999999,300" << false << QRect(-far, 0, 2 * far, 300);
    QTest::newRow("empty: where it is") << "" << false << QRect(2, 2, 100, 50);
}

void TestPlacementText::normalRect()
{
    QFETCH(QString, normPos);
    QFETCH(bool, fixedSize);
    QFETCH(QRect, expected);
    const std::optional<QRect> rect =
            PlacementText::normalRect(normPos, QRect(2, 2, 100, 50), fixedSize);
    QCOMPARE(rect.has_value(), !expected.isNull());
    if (rect)
        QCOMPARE(*rect, expected);
}

QTEST_GUILESS_MAIN(TestPlacementText)
#include "tst_placementtext.moc"
