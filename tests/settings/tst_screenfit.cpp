#include "settings/screenfit.h"

#include <QTest>

// Where a stored window rectangle goes on the screens there are now: two side by side, the
// left one 1024 x 768, the right one 1280 x 1024.
class TestScreenFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fit_data();
    void fit();
};

void TestScreenFit::fit_data()
{
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<bool>("bothScreens");
    QTest::addColumn<QRect>("expected");
    const QMargins frame = ScreenFit::kUnknownFrame;
    const QRect right = QRect(1024, 0, 1280, 1024).marginsRemoved(frame);

    QTest::newRow("on one screen")
            << QRect(100, 100, 800, 600) << true << QRect(100, 100, 800, 600);
    QTest::newRow("across both") << QRect(900, 100, 400, 300) << true << QRect(900, 100, 400, 300);
    // The monitor it was on is gone: onto the closest one, frame and all.
    QTest::newRow("off every screen")
            << QRect(5000, 5000, 800, 600) << true
            << QRect(right.right() + 1 - 800, right.bottom() + 1 - 600, 800, 600);
    QTest::newRow("left of every screen")
            << QRect(-3000, 200, 400, 300) << true << QRect(frame.left(), 200, 400, 300);
    // Larger than any screen: cut to the one it covers most.
    QTest::newRow("huge") << QRect(0, 0, ScreenFit::kFar, ScreenFit::kFar) << true << right;
    QTest::newRow("below the shorter screen") << QRect(100, 900, 400, 300) << true
                                              << QRect(100, 768 - frame.bottom() - 300, 400, 300);
    // Partly off, with its top edge in reach: left where the user put it.
    QTest::newRow("partly off the edge")
            << QRect(700, 100, 800, 600) << false << QRect(700, 100, 800, 600);
    QTest::newRow("top edge above the screen")
            << QRect(100, -50, 400, 300) << false << QRect(100, frame.top(), 400, 300);
    QTest::newRow("only a corner showing")
            << QRect(1000, 700, 400, 300) << false
            << QRect(1024 - frame.right() - 400, 768 - frame.bottom() - 300, 400, 300);
    QTest::newRow("too small") << QRect(10, 10, 5, -20) << false << QRect(10, 10, 120, 80);
}

void TestScreenFit::fit()
{
    QFETCH(QRect, stored);
    QFETCH(bool, bothScreens);
    QFETCH(QRect, expected);
    QList<QRect> areas{QRect(0, 0, 1024, 768)};
    if (bothScreens)
        areas.append(QRect(1024, 0, 1280, 1024));
    QCOMPARE(ScreenFit::fit(stored, areas, QSize(120, 80), ScreenFit::kUnknownFrame), expected);
    // Without screens to go by, only the size is made sane.
    QCOMPARE(ScreenFit::fit(stored, {}, QSize(120, 80), {}).topLeft(), stored.topLeft());
}

QTEST_APPLESS_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
