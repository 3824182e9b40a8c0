#pragma once

#include <QPoint>
#include <QTimer>

#include <functional>

class QAbstractScrollArea;
class QWheelEvent;
class TextViewGeometry;

// Keeps a text view's top row, its horizontal scroll and its scroll bars in step. The
// vertical bar counts lines, or with word wrap the segments of lines, so its range needs no
// layout; its arrows, its page steps and the wheel move by rows all the same.
class TextViewScroller
{
public:
    // moved is called whenever what is shown moved.
    TextViewScroller(QAbstractScrollArea *area, TextViewGeometry &geometry,
                     std::function<void()> moved);

    // Scrolls the least that brings offset's row (and column, without wrap) into view; extra
    // moves the column on into an input method's text.
    void scrollTo(qsizetype offset, int extra = 0);
    void scrollRows(int rows);
    void wheel(QWheelEvent *event);
    // The bars were moved by the user.
    void barsMoved(int dx, int dy);
    // Ranges after a change of the text, once the events in hand are done.
    void schedule() { m_timer.start(); }
    void updateBars();

private:
    void barAction(int action);
    void syncValues();

    QAbstractScrollArea *m_area;
    TextViewGeometry &m_geometry;
    std::function<void()> m_moved;
    QTimer m_timer;
    bool m_updating = false;
    QPoint m_wheelRemainder;
};
