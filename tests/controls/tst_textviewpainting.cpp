#include "textviewfixture.h"

#include <QAbstractEventDispatcher>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

// What a text view draws: each line's alignment, search marks in their colour, the selection
// with and without the focus, and a caret that blinks by repainting itself alone.
class TestTextViewPainting : public QObject
{
    Q_OBJECT

private slots:
    void wrapFollowsTheWidth();
    void alignmentIsDrawn_data();
    void alignmentIsDrawn();
    void searchMarksAreColouredText();
    void selectionStaysVisibleWithoutFocus();
    void caretBlinkRepaintsOnlyTheCaret();
};

namespace {

// The columns of rect's rows in image that differ from the background.
std::pair<int, int> inkColumns(const QImage &image, const QRect &rows, QRgb background)
{
    int first = -1;
    int last = -1;
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background)
                continue;
            if (first < 0 || x < first)
                first = x;
            last = qMax(last, x);
        }
    }
    return {first, last};
}

int countNear(const QImage &image, const QRect &rect, const QColor &color)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green())
                        + qAbs(pixel.blue() - color.blue())
                < 60)
                ++count;
        }
    }
    return count;
}

// Records the regions the viewport paints.
class PaintSpy : public QObject
{
public:
    explicit PaintSpy(QWidget *widget) { widget->installEventFilter(this); }
    QList<QRect> painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.append(static_cast<QPaintEvent *>(event)->rect());
        return false;
    }
};

} // namespace

void TestTextViewPainting::wrapFollowsTheWidth()
{
    const QString text = u"word "_qs.repeated(60) + u"\nnext"_qs;
    TextViewFixture f(text, true, {300, 240});
    QVERIFY(f.show());
    QCOMPARE(f.view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const int rowHeight = f.view.characterRect(0).height();
    const int narrow = f.view.characterRect(299).top() / rowHeight;
    QVERIFY(narrow >= 4);
    QCOMPARE(f.view.characterRect(301).top(), (narrow + 1) * rowHeight); // "next" below
    // Every row fits the viewport.
    for (qsizetype i = 0; i < 300; i += 7)
        QVERIFY(f.view.characterRect(i).right() < f.viewport()->width());
    f.view.resize(600, 240);
    const int wide = f.view.characterRect(299).top() / rowHeight;
    QVERIFY(wide < narrow);
    QVERIFY(wide >= 1);
    // Unwrapped, the line is one row and both bars show.
    f.view.setWordWrap(false);
    QCOMPARE(f.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f.view.characterRect(301).top(), rowHeight);
    f.view.setSelection(TextSelection::caret(299));
    QCOMPARE(f.view.characterRect(299).top(), 0);
    QVERIFY(f.view.horizontalScrollBar()->value() > 0);
}

void TestTextViewPainting::alignmentIsDrawn_data()
{
    QTest::addColumn<bool>("wrap");
    QTest::newRow("wrapped") << true;
    QTest::newRow("unwrapped") << false;
}

void TestTextViewPainting::alignmentIsDrawn()
{
    QFETCH(bool, wrap);
    TextViewFixture f(u"left\nright\ncentre"_qs, wrap);
    QVERIFY(f.show());
    f.document.setAlignment(1, 1, TextAlignment::Right);
    f.document.setAlignment(2, 2, TextAlignment::Center);
    QVERIFY(!f.document.isModified());
    const int width = f.viewport()->width();
    QVERIFY(f.view.characterRect(0).left() < width / 4);
    QVERIFY(f.view.characterRect(5).left() > width / 2);
    QVERIFY(f.view.characterRect(9).right() > width - 20);
    const int centreLeft = f.view.characterRect(11).left();
    const int centreRight = f.view.characterRect(16).right();
    QVERIFY(qAbs((centreLeft + centreRight) / 2 - width / 2) < 12);

    // The ink is where the rectangles say.
    const QImage image = f.viewport()->grab().toImage();
    const QRgb background = f.view.palette().color(QPalette::Base).rgb();
    const auto left = inkColumns(image, f.view.characterRect(0), background);
    const auto right = inkColumns(image, f.view.characterRect(5), background);
    QVERIFY(left.first >= 0 && left.first < width / 4);
    QVERIFY(right.first > width / 2);
    QVERIFY(right.second > width - 20);
    // The caret's line follows its alignment too.
    f.view.setSelection(TextSelection::caret(5));
    QVERIFY(f.view.caretRect().left() > width / 2);
}

void TestTextViewPainting::searchMarksAreColouredText()
{
    TextViewFixture f(u"alpha beta gamma"_qs);
    QVERIFY(f.show());
    f.view.clearFocus(); // no caret in the pictures
    const quint64 revision = f.document.revision();
    f.document.addHighlight(6, 4);
    QVERIFY(!f.document.isModified());
    QVERIFY(!f.document.canUndo());
    QCOMPARE(f.document.revision(), revision);
    const QRect hit = f.view.characterRect(6).united(f.view.characterRect(9));
    const QRect plain = f.view.characterRect(0).united(f.view.characterRect(3));
    QImage image = f.viewport()->grab().toImage();
    const QColor blue(0, 0, 255);
    QVERIFY(countNear(image, hit, blue) > 10);
    QCOMPARE(countNear(image, plain, blue), 0);
    // The background stays: most of the hit's pixels are the base colour.
    const QColor base = f.view.palette().color(QPalette::Base);
    QVERIFY(countNear(image, hit, base) > hit.width() * hit.height() / 2);

    f.view.setHitColor(Qt::red);
    image = f.viewport()->grab().toImage();
    QVERIFY(countNear(image, hit, Qt::red) > 10);
    f.document.clearHighlights();
    image = f.viewport()->grab().toImage();
    QCOMPARE(countNear(image, hit, Qt::red), 0);
    QVERIFY(!f.document.isModified());
}

void TestTextViewPainting::selectionStaysVisibleWithoutFocus()
{
    TextViewFixture f(u"alpha beta gamma"_qs);
    QPalette palette = f.view.palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 120, 0));
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(200, 160, 0));
    f.view.setPalette(palette);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::range(6, 4));
    const QRect selected = f.view.characterRect(6).united(f.view.characterRect(9));
    QImage image = f.viewport()->grab().toImage();
    QVERIFY(countNear(image, selected, QColor(0, 120, 0))
            > selected.width() * selected.height() / 3);
    f.view.clearFocus();
    QVERIFY(!f.view.hasFocus());
    image = f.viewport()->grab().toImage();
    QVERIFY(countNear(image, selected, QColor(200, 160, 0))
            > selected.width() * selected.height() / 3);
}

void TestTextViewPainting::caretBlinkRepaintsOnlyTheCaret()
{
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash <= 0)
        QSKIP("The caret does not blink here");
    TextViewFixture f(u"alpha beta gamma\nsecond line"_qs);
    QVERIFY(f.show());
    f.view.setSelection(TextSelection::caret(8));
    QCoreApplication::processEvents();
    const QList<QAbstractEventDispatcher::TimerInfo> timers =
            QAbstractEventDispatcher::instance()->registeredTimers(&f.view);
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers.first().interval, flash / 2);

    PaintSpy spy(f.viewport());
    const qint64 laidOut = f.view.laidOutUnits();
    QTimerEvent tick(timers.first().timerId);
    QApplication::sendEvent(&f.view, &tick);
    QCoreApplication::processEvents();
    QVERIFY(!spy.painted.isEmpty());
    const QRect caret = f.view.caretRect();
    for (const QRect &rect : spy.painted)
        QVERIFY(caret.adjusted(-2, -2, 2, 2).contains(rect));
    QCOMPARE(f.view.laidOutUnits(), laidOut);

    // Without the focus nothing ticks.
    f.view.clearFocus();
    QVERIFY(QAbstractEventDispatcher::instance()->registeredTimers(&f.view).isEmpty());
}

QTEST_MAIN(TestTextViewPainting)
#include "tst_textviewpainting.moc"
