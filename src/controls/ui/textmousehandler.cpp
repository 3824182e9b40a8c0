#include "textmousehandler.h"

#include "controls/textdocument.h"
#include "controls/ui/textcaretmover.h"
#include "controls/ui/textclipboard.h"
#include "controls/ui/textdrophandler.h"
#include "controls/ui/textlayoutcache.h"
#include "controls/ui/textview.h"
#include "controls/ui/textviewgeometry.h"

#include <QApplication>
#include <QInputMethod>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>

namespace {

constexpr int kScrollInterval = 50;

} // namespace

TextMouseHandler::TextMouseHandler(TextView *view)
    : m_view(view)
{ }

qsizetype TextMouseHandler::offsetAt(const QPoint &pos) const
{
    return m_view->offsetAt(pos);
}

void TextMouseHandler::startSelecting(Unit unit, qsizetype from, qsizetype to)
{
    m_selecting = true;
    m_unit = unit;
    m_firstFrom = from;
    m_firstTo = to;
    m_view->applySelection({from, to}, TextView::Move::User);
    m_view->ensureCaretVisible();
    m_view->m_primaryTimer.start();
}

void TextMouseHandler::press(QMouseEvent *event)
{
    if (!m_view->m_cache->preeditText().isEmpty())
        QGuiApplication::inputMethod()->commit();
    const QPoint pos = event->position().toPoint();
    const qsizetype offset = offsetAt(pos);
    if (event->button() != Qt::LeftButton)
        return;
    const TextSelection selection = m_view->m_selection;
    const int dragDistance = QApplication::startDragDistance();
    if (m_tripleClick.isActive() && (pos - m_doubleClickPos).manhattanLength() < dragDistance) {
        m_tripleClick.stop();
        const TextDocument &document = *m_view->document();
        const qsizetype line = document.lineOfOffset(offset);
        startSelecting(Unit::Line, document.lineStart(line), document.lineEnd(line));
    } else if (event->modifiers() & Qt::ShiftModifier) {
        m_selecting = true;
        m_unit = Unit::Character;
        m_firstFrom = m_firstTo = selection.anchor;
        m_view->moveCaret(offset, true);
    } else if (!selection.isEmpty() && offset >= selection.start() && offset < selection.end()) {
        m_dragPending = true;
        m_pressPos = pos;
        m_pressOffset = offset;
    } else {
        startSelecting(Unit::Character, offset, offset);
    }
}

void TextMouseHandler::doubleClick(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragPending = false;
    const QPoint pos = event->position().toPoint();
    const auto [from, to] = m_view->m_mover->wordAt(offsetAt(pos));
    startSelecting(Unit::Word, from, to);
    m_doubleClickPos = pos;
    m_tripleClick.start(QGuiApplication::styleHints()->mouseDoubleClickInterval(), m_view);
}

void TextMouseHandler::move(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragPending) {
        if ((pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragPending = false;
            m_view->m_drops->startDrag();
        }
        return;
    }
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    m_lastPos = pos;
    if (m_view->viewport()->rect().contains(pos))
        m_scroll.stop();
    else if (!m_scroll.isActive())
        m_scroll.start(kScrollInterval, m_view);
    extendTo(offsetAt(pos));
}

void TextMouseHandler::extendTo(qsizetype offset)
{
    qsizetype from = offset;
    qsizetype to = offset;
    if (m_unit == Unit::Word) {
        std::tie(from, to) = m_view->m_mover->wordAt(offset);
    } else if (m_unit == Unit::Line) {
        const TextDocument &document = *m_view->document();
        const qsizetype line = document.lineOfOffset(offset);
        from = document.lineStart(line);
        to = document.lineEnd(line);
    }
    // The first unit stays selected whichever way the pointer goes.
    const TextSelection selection = from < m_firstFrom
            ? TextSelection{m_firstTo, from}
            : TextSelection{m_firstFrom, qMax(to, m_firstTo)};
    m_view->applySelection(selection, TextView::Move::User);
    m_view->ensureCaretVisible();
    m_view->m_primaryTimer.start();
}

void TextMouseHandler::release(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        const std::optional<QClipboard::Mode> mode = TextClipboard::selectionMode();
        if (!mode || m_view->isReadOnly())
            return;
        const QString text = TextClipboard::text(*mode);
        if (text.isEmpty())
            return;
        m_view->moveCaret(offsetAt(event->position().toPoint()), false);
        m_view->pasteText(text);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_scroll.stop();
    if (m_dragPending) {
        m_dragPending = false;
        m_view->moveCaret(m_pressOffset, false);
    }
    m_selecting = false;
}

bool TextMouseHandler::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_tripleClick.timerId()) {
        m_tripleClick.stop();
        return true;
    }
    if (event->timerId() == m_scroll.timerId()) {
        autoScroll();
        return true;
    }
    return false;
}

// Scrolls toward the pointer outside the viewport, faster the farther it is.
void TextMouseHandler::autoScroll()
{
    if (!m_selecting) {
        m_scroll.stop();
        return;
    }
    const QRect area = m_view->viewport()->rect();
    const qreal rowHeight = m_view->m_geometry->rowHeight();
    int rows = 0;
    if (m_lastPos.y() < area.top())
        rows = -(1 + int((area.top() - m_lastPos.y()) / rowHeight));
    else if (m_lastPos.y() > area.bottom())
        rows = 1 + int((m_lastPos.y() - area.bottom()) / rowHeight);
    if (rows != 0)
        m_view->scrollRows(rows);
    if (!m_view->wordWrap()) {
        QScrollBar *bar = m_view->horizontalScrollBar();
        const int step = int(m_view->m_geometry->averageCharWidth() * 4);
        if (m_lastPos.x() < area.left())
            bar->setValue(bar->value() - step);
        else if (m_lastPos.x() > area.right())
            bar->setValue(bar->value() + step);
    }
    const QPoint inside(qBound(area.left(), m_lastPos.x(), area.right()),
                        qBound(area.top(), m_lastPos.y(), area.bottom()));
    extendTo(offsetAt(inside));
}
