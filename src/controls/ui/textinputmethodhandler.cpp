#include "textinputmethodhandler.h"

#include "controls/textdocument.h"
#include "controls/ui/textlayoutcache.h"
#include "controls/ui/textview.h"

#include <QInputMethodEvent>
#include <QTextCharFormat>

#include <climits>

namespace {

constexpr qsizetype kSelectionLimit = 1 << 16;

int toInt(qsizetype value)
{
    return int(qBound<qsizetype>(qsizetype(INT_MIN), value, qsizetype(INT_MAX)));
}

} // namespace

TextInputMethodHandler::TextInputMethodHandler(TextView *view)
    : m_view(view)
{ }

std::pair<qsizetype, qsizetype> TextInputMethodHandler::window() const
{
    const TextDocument &document = *m_view->document();
    const qsizetype caret = m_view->selection().position;
    const qsizetype line = document.lineOfOffset(caret);
    return {qMax(document.lineStart(line), caret - kWindow),
            qMin(document.lineEnd(line), caret + kWindow)};
}

void TextInputMethodHandler::handle(QInputMethodEvent *event)
{
    if (m_view->isReadOnly()) {
        event->ignore();
        return;
    }
    const qsizetype windowStart = window().first;
    const TextSelection selection = m_view->selection();
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        qsizetype from = selection.start();
        qsizetype to = selection.end();
        if (selection.isEmpty()) {
            from = selection.position + event->replacementStart();
            to = from + event->replacementLength();
        }
        m_view->edit(from, to - from, event->commitString(), TextEditKind::Typing);
    }
    int cursor = int(event->preeditString().size());
    QList<QTextLayout::FormatRange> formats;
    for (const QInputMethodEvent::Attribute &a : event->attributes()) {
        if (a.type == QInputMethodEvent::Cursor) {
            cursor = a.start;
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = a.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                formats.append({a.start, a.length, format});
        } else if (a.type == QInputMethodEvent::Selection && event->preeditString().isEmpty()) {
            m_view->setSelection(
                    TextSelection{windowStart + a.start, windowStart + a.start + a.length});
        }
    }
    const QString preedit = event->preeditString();
    m_view->m_cache->setPreedit(m_view->selection().position, preedit, formats);
    m_view->m_preeditCursor = preedit.isEmpty() ? 0 : qBound(0, cursor, int(preedit.size()));
    m_view->ensureCaretVisible();
    m_view->viewport()->update();
    event->accept();
}

QVariant TextInputMethodHandler::query(Qt::InputMethodQuery query) const
{
    const TextDocument &document = *m_view->document();
    const TextSelection selection = m_view->selection();
    const auto [from, to] = window();
    const QPoint shift = m_view->viewport()->pos();
    switch (query) {
    case Qt::ImEnabled:
        return !m_view->isReadOnly();
    case Qt::ImReadOnly:
        return m_view->isReadOnly();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorRectangle:
        return QRectF(m_view->caretRect().translated(shift));
    case Qt::ImAnchorRectangle: {
        const QRect rect = m_view->characterRect(selection.anchor);
        return QRectF(rect.isEmpty() ? m_view->caretRect().translated(shift)
                                     : rect.translated(shift));
    }
    case Qt::ImFont:
        return m_view->textFont();
    case Qt::ImAbsolutePosition:
        return QVariant::fromValue(selection.position);
    case Qt::ImCursorPosition:
        return toInt(selection.position - from);
    case Qt::ImAnchorPosition:
        return toInt(qBound(from, selection.anchor, to) - from);
    case Qt::ImSurroundingText:
        return document.text(from, to - from);
    case Qt::ImTextBeforeCursor:
        return document.text(from, selection.position - from);
    case Qt::ImTextAfterCursor:
        return document.text(selection.position, to - selection.position);
    case Qt::ImCurrentSelection:
        return selection.length() <= kSelectionLimit ? m_view->selectedText() : QString();
    case Qt::ImMaximumTextLength:
        return QVariant();
    default:
        break;
    }
    return QVariant();
}
