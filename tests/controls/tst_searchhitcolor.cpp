#include "controls/ui/searchhitcolor.h"

#include <QTest>

// The blue of search hits: the program's own blue on a light text background, the same hue
// lightened to read on a dark one.
class TestSearchHitColor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourForTheBackground_data();
    void colourForTheBackground();
};

void TestSearchHitColor::colourForTheBackground_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<bool>("pureBlue");
    QTest::newRow("white") << QColor(Qt::white) << true;
    QTest::newRow("light grey") << QColor(0xef, 0xf0, 0xf1) << true;
    QTest::newRow("cream") << QColor(0xff, 0xff, 0xe0) << true;
    QTest::newRow("black") << QColor(Qt::black) << false;
    QTest::newRow("dark grey") << QColor(0x2b, 0x2b, 0x2b) << false;
    QTest::newRow("dark slate") << QColor(0x23, 0x26, 0x29) << false;
    QTest::newRow("dark blue") << QColor(0x10, 0x18, 0x40) << false;
}

void TestSearchHitColor::colourForTheBackground()
{
    QFETCH(QColor, base);
    QFETCH(bool, pureBlue);
    QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white)), 21);
    const QColor hit = SearchHitColor(base);
    if (pureBlue) {
        QCOMPARE(hit, QColor(0, 0, 255));
        return;
    }
    QCOMPARE(hit.hslHue(), 240);
    QVERIFY2(ContrastRatio(hit, base) >= 4.5, qPrintable(hit.name()));
    // No lighter than it needs to be: still a blue, not a white.
    QVERIFY2(ContrastRatio(QColor::fromHsl(240, 255, hit.lightness() - 4), base) < 4.5,
             qPrintable(hit.name()));
}

QTEST_MAIN(TestSearchHitColor)
#include "tst_searchhitcolor.moc"
