#include "textdrophandler.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

TextDropHandler::TextDropHandler(TextView *view)
    : m_view(view)
{ }

void TextDropHandler::startDrag()
{
    const TextSelection selection = m_view->m_selection;
    if (selection.isEmpty())
        return;
    auto *data = new QMimeData;
    data->setText(m_view->selectedText());
    auto *drag = new QDrag(m_view);
    drag->setMimeData(data);
    m_dragging = true;
    m_droppedHere = false;
    m_dragged = selection;
    const quint64 revision = m_view->document()->revision();
    const Qt::DropActions actions =
            m_view->isReadOnly() ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction;
    const Qt::DropAction action = drag->exec(actions, Qt::MoveAction);
    m_dragging = false;
    // Moved elsewhere: the text leaves this view, unless it changed meanwhile.
    if (action == Qt::MoveAction && !m_droppedHere && !m_view->isReadOnly()
        && m_view->document()->revision() == revision)
        m_view->removeRange(m_dragged.start(), m_dragged.end(), TextEditKind::Plain);
}

bool TextDropHandler::accepts(const QMimeData *data) const
{
    // hasText() also says yes to bare links, which belong to the window.
    return data && !m_view->isReadOnly()
            && (data->hasFormat(QStringLiteral("text/plain"))
                || data->hasFormat(QStringLiteral("text/plain;charset=utf-8")));
}

bool TextDropHandler::fromHere(const QDropEvent *event) const
{
    return m_dragging && event->source() == m_view;
}

void TextDropHandler::showDropCaret(qsizetype offset)
{
    if (offset == m_dropCaret)
        return;
    m_dropCaret = offset;
    m_view->viewport()->update();
}

void TextDropHandler::enter(QDragEnterEvent *event)
{
    if (!accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    move(event);
}

void TextDropHandler::move(QDragMoveEvent *event)
{
    if (!accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    showDropCaret(m_view->offsetAt(event->position().toPoint()));
    const bool copy = event->modifiers() & Qt::ControlModifier;
    if (fromHere(event))
        event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    else
        event->acceptProposedAction();
    event->accept();
}

void TextDropHandler::leave()
{
    showDropCaret(-1);
}

void TextDropHandler::drop(QDropEvent *event)
{
    showDropCaret(-1);
    if (!accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    const QString text = event->mimeData()->text();
    qsizetype at = m_view->offsetAt(event->position().toPoint());
    const bool move = fromHere(event) && !(event->modifiers() & Qt::ControlModifier);
    if (move) {
        m_droppedHere = true;
        event->setDropAction(Qt::MoveAction);
        event->accept();
        // Dropped on itself: nothing moves.
        if (at >= m_dragged.start() && at <= m_dragged.end())
            return;
        TextDocument &document = *m_view->document();
        document.beginUndoGroup(m_view->m_selection);
        m_view->removeRange(m_dragged.start(), m_dragged.end(), TextEditKind::Plain);
        if (at > m_dragged.end())
            at -= m_dragged.length();
        m_view->edit(at, 0, text, TextEditKind::Plain);
        m_view->applySelection({at, m_view->m_selection.position}, TextView::Move::Program);
        document.endUndoGroup(m_view->m_selection);
        return;
    }
    if (fromHere(event)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
    m_view->edit(at, 0, text, TextEditKind::Plain);
    m_view->applySelection({at, m_view->m_selection.position}, TextView::Move::Program);
    m_view->setFocus(Qt::MouseFocusReason);
}
