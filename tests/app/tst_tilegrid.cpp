#include "app/tilegrid.h"

#include <QTest>

// How Tile shares the room among the open windows.
class TestTileGrid : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cells_data();
    void cells();
    void cellsNeverOverlapAndStayInTheRoom();
};

void TestTileGrid::cells_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("expected");
    QTest::newRow("none") << 0 << QList<QRect>{};
    QTest::newRow("one fills the room") << 1 << QList<QRect>{{10, 20, 600, 400}};
    QTest::newRow("two side by side") << 2 << QList<QRect>{{10, 20, 300, 400}, {310, 20, 300, 400}};
    // Two columns, two rows: the last row's window has the whole width.
    QTest::newRow("three") << 3
                           << QList<QRect>{
                                      {10, 20, 300, 200}, {310, 20, 300, 200}, {10, 220, 600, 200}};
    QTest::newRow("five: three columns, the second row shares it by two")
            << 5
            << QList<QRect>{{10, 20, 200, 200},
                            {210, 20, 200, 200},
                            {410, 20, 200, 200},
                            {10, 220, 300, 200},
                            {310, 220, 300, 200}};
}

void TestTileGrid::cells()
{
    QFETCH(int, count);
    QFETCH(QList<QRect>, expected);
    QCOMPARE(TileGrid::cells(count, QRect(10, 20, 600, 400)), expected);
}

void TestTileGrid::cellsNeverOverlapAndStayInTheRoom()
{
    const QRect room(0, 0, 997, 613);
    for (int count = 1; count <= 30; ++count) {
        const QList<QRect> cells = TileGrid::cells(count, room);
        QCOMPARE(cells.size(), count);
        for (int i = 0; i < count; ++i) {
            QVERIFY(room.contains(cells.at(i)));
            QVERIFY(!cells.at(i).isEmpty());
            for (int j = i + 1; j < count; ++j)
                QVERIFY2(!cells.at(i).intersects(cells.at(j)),
                         qPrintable(
                                 QStringLiteral("%1 windows: %2 and %3").arg(count).arg(i).arg(j)));
        }
    }
}

QTEST_GUILESS_MAIN(TestTileGrid)
#include "tst_tilegrid.moc"
