#pragma once

#include <QBasicTimer>
#include <QPoint>

class QMouseEvent;
class QTimerEvent;
class TextView;

// The mouse over a text view: a click puts the caret, a double click selects a word and a
// third click the line, dragging extends the selection by the same unit and scrolls while
// the pointer is outside, Shift+click extends, a press on the selection starts a text drag,
// and the middle button pastes the primary selection.
class TextMouseHandler
{
public:
    explicit TextMouseHandler(TextView *view);

    void press(QMouseEvent *event);
    void doubleClick(QMouseEvent *event);
    void move(QMouseEvent *event);
    void release(QMouseEvent *event);
    // Handles the view's timer events of this handler.
    bool timerEvent(QTimerEvent *event);

private:
    enum class Unit { Character, Word, Line };

    qsizetype offsetAt(const QPoint &pos) const;
    void startSelecting(Unit unit, qsizetype from, qsizetype to);
    void extendTo(qsizetype offset);
    void autoScroll();

    TextView *m_view;
    bool m_selecting = false;
    Unit m_unit = Unit::Character;
    // What the first click selected: extending keeps it whole.
    qsizetype m_firstFrom = 0;
    qsizetype m_firstTo = 0;
    bool m_dragPending = false;
    QPoint m_pressPos;
    qsizetype m_pressOffset = 0;
    QBasicTimer m_tripleClick;
    QPoint m_doubleClickPos;
    QBasicTimer m_scroll;
    QPoint m_lastPos;
};
