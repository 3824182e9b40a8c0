#include "textviewscroller.h"

#include "controls/ui/textviewgeometry.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

#include <climits>
#include <cmath>

namespace {

int toInt(qsizetype value)
{
    return int(qBound<qsizetype>(0, value, qsizetype(INT_MAX)));
}

} // namespace

TextViewScroller::TextViewScroller(QAbstractScrollArea *area, TextViewGeometry &geometry,
                                   std::function<void()> moved)
    : m_area(area)
    , m_geometry(geometry)
    , m_moved(std::move(moved))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, area, [this] { updateBars(); });
    QObject::connect(area->verticalScrollBar(), &QAbstractSlider::actionTriggered, area,
                     [this](int action) { barAction(action); });
}

void TextViewScroller::scrollTo(qsizetype offset, int extra)
{
    const TextRowPos row = m_geometry.rowOf(offset);
    TextRowPos top = m_geometry.top();
    const int rows = m_geometry.fullRows();
    if (row < top) {
        top = row;
    } else if (!m_geometry.rowsFromTop(row, rows - 1)) {
        top = row;
        m_geometry.advance(top, -(rows - 1));
    }
    m_geometry.setTop(top);
    if (!m_geometry.wraps()) {
        m_geometry.anchorNear(offset);
        const qreal left = m_geometry.margin();
        const qreal right = m_geometry.viewport().width() - m_geometry.margin() - 1;
        // Placing a long line's segments depends on the scroll: a few rounds settle it.
        for (int round = 0; round < 3; ++round) {
            const qreal x = m_geometry.xOf(offset, extra);
            if (x < left)
                m_geometry.setScrollX(m_geometry.scrollX() - (left - x));
            else if (x > right)
                m_geometry.setScrollX(m_geometry.scrollX() + (x - right));
            else
                break;
        }
    }
    syncValues();
    m_moved();
}

// Puts the bars where the view is, widening a range that falls short until the next update.
void TextViewScroller::syncValues()
{
    QScopedValueRollback guard(m_updating, true);
    QScrollBar *vertical = m_area->verticalScrollBar();
    const int unit = toInt(m_geometry.unitOf(m_geometry.top()));
    if (unit > vertical->maximum())
        vertical->setMaximum(unit);
    vertical->setValue(unit);
    QScrollBar *horizontal = m_area->horizontalScrollBar();
    const int x = int(std::lround(m_geometry.scrollX()));
    if (x > horizontal->maximum())
        horizontal->setMaximum(x);
    horizontal->setValue(x);
}

void TextViewScroller::scrollRows(int rows)
{
    TextRowPos top = m_geometry.top();
    m_geometry.advance(top, rows);
    m_geometry.setTop(top);
    syncValues();
    m_moved();
}

// With wrap a bar unit is a whole segment of a line: arrows and pages go by rows.
void TextViewScroller::barAction(int action)
{
    if (!m_geometry.wraps())
        return;
    const int page = qMax(1, m_geometry.fullRows() - 1);
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        scrollRows(1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        scrollRows(-1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        scrollRows(page);
        break;
    case QAbstractSlider::SliderPageStepSub:
        scrollRows(-page);
        break;
    default:
        return;
    }
    m_area->verticalScrollBar()->setSliderPosition(toInt(m_geometry.unitOf(m_geometry.top())));
}

void TextViewScroller::barsMoved(int dx, int dy)
{
    if (m_updating)
        return;
    if (dy != 0) {
        QScrollBar *vertical = m_area->verticalScrollBar();
        const int unit = vertical->value();
        if (unit != m_geometry.unitOf(m_geometry.top()))
            m_geometry.setTop(unit >= vertical->maximum() ? m_geometry.maxTop()
                                                          : m_geometry.fromUnit(unit));
    }
    if (dx != 0)
        m_geometry.setScrollX(m_area->horizontalScrollBar()->value());
    m_moved();
}

void TextViewScroller::updateBars()
{
    m_timer.stop();
    QScopedValueRollback guard(m_updating, true);
    QScrollBar *vertical = m_area->verticalScrollBar();
    vertical->setRange(0, toInt(m_geometry.unitOf(m_geometry.maxTop())));
    vertical->setPageStep(m_geometry.fullRows());
    vertical->setSingleStep(1);
    vertical->setValue(toInt(m_geometry.unitOf(m_geometry.top())));
    QScrollBar *horizontal = m_area->horizontalScrollBar();
    if (m_geometry.wraps()) {
        horizontal->setRange(0, 0);
        return;
    }
    const int viewport = int(m_geometry.viewport().width());
    const qreal width = m_geometry.contentWidth() + 2 * m_geometry.margin() + 1;
    const int x = int(std::lround(m_geometry.scrollX()));
    horizontal->setRange(0, qMax(x, int(std::ceil(width - viewport))));
    horizontal->setPageStep(viewport);
    horizontal->setSingleStep(qMax(1, int(m_geometry.averageCharWidth() * 2)));
    horizontal->setValue(x);
}

void TextViewScroller::wheel(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        event->ignore();
        return;
    }
    QPoint delta = event->angleDelta();
    // Shift turns the wheel sideways.
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPoint(delta.y(), 0);
    m_wheelRemainder += delta * QApplication::wheelScrollLines();
    const QPoint rows(m_wheelRemainder.x() / 120, m_wheelRemainder.y() / 120);
    m_wheelRemainder -= rows * 120;
    if (rows.y() != 0)
        scrollRows(-rows.y());
    if (rows.x() != 0 && !m_geometry.wraps()) {
        QScrollBar *bar = m_area->horizontalScrollBar();
        bar->setValue(bar->value() - rows.x() * int(m_geometry.averageCharWidth() * 2));
    }
    event->accept();
}
