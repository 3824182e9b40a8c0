#include "textview.h"

#include "controls/ui/searchhitcolor.h"

#include "controls/longlineindex.h"
#include "controls/textdocument.h"
#include "controls/ui/fontproperties.h"
#include "controls/ui/textcaretmover.h"
#include "controls/ui/textclipboard.h"
#include "controls/ui/textdrophandler.h"
#include "controls/ui/textinputmethodhandler.h"
#include "controls/ui/textkeyhandler.h"
#include "controls/ui/textlayoutcache.h"
#include "controls/ui/textmousehandler.h"
#include "controls/ui/textviewaccessible.h"
#include "controls/ui/textviewgeometry.h"
#include "controls/ui/textviewpainter.h"
#include "controls/ui/textviewscroller.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleHints>

#include <cmath>

namespace {

constexpr qreal kMargin = 4;

// The units text takes in a document, where CR LF is one break.
qsizetype documentLength(const QString &text)
{
    return text.size() - text.count(QLatin1String("\r\n"));
}

} // namespace

TextView::TextView(TextDocument *document, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_document(document)
    , m_index(std::make_unique<LongLineIndex>())
    , m_cache(std::make_unique<TextLayoutCache>(*document))
    , m_geometry(std::make_unique<TextViewGeometry>(*document, *m_cache, *m_index))
    , m_painter(std::make_unique<TextViewPainter>(*document, *m_geometry))
    , m_mover(std::make_unique<TextCaretMover>(*document, *m_cache, *m_geometry))
    , m_keys(std::make_unique<TextKeyHandler>(this))
    , m_mouse(std::make_unique<TextMouseHandler>(this))
    , m_drops(std::make_unique<TextDropHandler>(this))
    , m_input(std::make_unique<TextInputMethodHandler>(this))
    , m_scroller(std::make_unique<TextViewScroller>(this, *m_geometry, [this] {
        viewport()->update();
        updateMicroFocus();
    }))
{
    TextViewAccessible::install();
    m_fontProperties = new FontProperties(this);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_primaryTimer.setSingleShot(true);
    m_primaryTimer.setInterval(0);
    connect(&m_primaryTimer, &QTimer::timeout, this,
            [this] { TextClipboard::offerSelection(m_document, m_selection); });
    connect(m_document, &TextDocument::contentsChanged, this, &TextView::documentChanged);
    connect(m_document, &TextDocument::documentReset, this, &TextView::documentWasReset);
    connect(m_document, &TextDocument::alignmentChanged, this,
            [this](qsizetype firstLine, qsizetype lastLine) {
                m_cache->invalidateLines(firstLine, lastLine);
                viewport()->update();
            });
    connect(m_document, &TextDocument::highlightsChanged, viewport(),
            qOverload<>(&QWidget::update));
    setWordWrap(true);
    documentWasReset();
}

TextView::~TextView() = default;

QObject *TextView::fontProperties() const
{
    return m_fontProperties;
}

qint64 TextView::laidOutUnits() const
{
    return m_cache->laidOutUnits();
}

// Settings of the layouts follow the font and, with wrap, the viewport's width.
void TextView::restyle()
{
    const QFontMetricsF metrics(font());
    TextLayoutCache::Style style;
    style.font = font();
    style.rowHeight = std::ceil(qMax(metrics.height(), metrics.lineSpacing()));
    style.ascent = metrics.ascent() + (style.rowHeight - metrics.height()) / 2;
    style.tabStop = 8 * metrics.averageCharWidth();
    m_geometry->setViewport(viewport()->size(), kMargin);
    style.wrapWidth = m_wordWrap ? m_geometry->textWidth() : 0;
    m_geometry->setAverageCharWidth(metrics.averageCharWidth());
    if (m_cache->setStyle(style))
        m_geometry->styleChanged();
    m_cache->setCapacity(4 * m_geometry->fullRows() + 64);
    m_geometry->setTop(m_geometry->top());
    m_scroller->updateBars();
    viewport()->update();
}

void TextView::documentWasReset()
{
    m_index->reset(m_document->storage());
    m_cache->setPreedit(0, QString(), {});
    m_cache->clear();
    m_preeditCursor = 0;
    m_geometry->setWrap(m_wordWrap);
    m_geometry->textChanged();
    m_geometry->setTop({});
    m_goalX.reset();
    const bool hadSelection = !m_selection.isEmpty();
    m_selection = {};
    m_scroller->updateBars();
    viewport()->update();
    TextViewAccessible::announceReset(this);
    emit selectionChanged();
    if (hadSelection)
        emit copyAvailable(false);
}

void TextView::documentChanged(const TextChange &change)
{
    m_index->update(m_document->storage(), change);
    m_cache->changed(change);
    m_geometry->textChanged(change);
    // The top row stays on the same text.
    TextRowPos top = m_geometry->top();
    if (top.line > change.firstLine + change.linesRemoved)
        top.line += change.linesAdded - change.linesRemoved;
    else if (top.line > change.firstLine)
        top = {change.firstLine, 0, 0};
    m_geometry->setTop(top);
    // So does the selection, for changes made elsewhere.
    auto follow = [&change](qsizetype offset) {
        if (offset <= change.position || change.inPlace)
            return offset;
        if (offset >= change.position + change.removed)
            return offset + change.added - change.removed;
        return change.position + change.added;
    };
    const TextSelection moved{follow(m_selection.anchor), follow(m_selection.position)};
    if (moved != m_selection) {
        const bool hadSelection = !m_selection.isEmpty();
        m_selection = moved;
        emit selectionChanged();
        if (hadSelection != !moved.isEmpty())
            emit copyAvailable(!moved.isEmpty());
    }
    TextViewAccessible::announceChange(this, change);
    m_scroller->schedule();
    viewport()->update();
}

void TextView::applySelection(TextSelection selection, Move why)
{
    const qsizetype length = m_document->length();
    selection.anchor = qBound<qsizetype>(0, selection.anchor, length);
    selection.position = qBound<qsizetype>(0, selection.position, length);
    m_goalX.reset();
    if (selection == m_selection)
        return;
    if (why != Move::Edit)
        m_document->breakUndoMerge();
    const bool hadSelection = !m_selection.isEmpty();
    m_selection = selection;
    if (!m_cache->preeditText().isEmpty())
        m_cache->setPreedit(selection.position, m_cache->preeditText(), {});
    restartBlink();
    viewport()->update();
    emit selectionChanged();
    if (hadSelection != !selection.isEmpty())
        emit copyAvailable(!selection.isEmpty());
    TextViewAccessible::announceCaret(this);
    updateMicroFocus();
}

void TextView::setSelection(TextSelection selection)
{
    applySelection(selection, Move::Program);
    ensureCaretVisible();
}

void TextView::setSelection(qsizetype start, qsizetype length)
{
    setSelection(TextSelection::range(start, length));
}

void TextView::moveCaret(qsizetype offset, bool extend)
{
    applySelection(extend ? TextSelection{m_selection.anchor, offset}
                          : TextSelection::caret(offset),
                   Move::User);
    ensureCaretVisible();
    if (extend)
        m_primaryTimer.start();
}

QString TextView::selectedText() const
{
    return m_document->text(m_selection.start(), m_selection.length());
}

void TextView::selectAll()
{
    applySelection({0, m_document->length()}, Move::User);
    m_primaryTimer.start();
}

void TextView::edit(qsizetype position, qsizetype length, const QString &text, TextEditKind kind)
{
    if (m_readOnly)
        return;
    position = qBound<qsizetype>(0, position, m_document->length());
    length = qBound<qsizetype>(0, length, m_document->length() - position);
    const TextSelection after = TextSelection::caret(position + documentLength(text));
    m_document->replace(position, length, text, m_selection, after, kind);
    if (after == m_selection)
        emit selectionChanged(); // the caret stayed, but its surroundings changed
    applySelection(after, Move::Edit);
    ensureCaretVisible();
}

void TextView::type(const QString &text)
{
    if (m_readOnly || text.isEmpty())
        return;
    const qsizetype caret = m_selection.position;
    if (!m_selection.isEmpty()) {
        edit(m_selection.start(), m_selection.length(), text, TextEditKind::Typing);
    } else if (m_overwrite && caret < m_mover->lineEnd(caret) && text != u"\n") {
        edit(caret, m_mover->nextCharacter(caret) - caret, text, TextEditKind::Typing);
    } else {
        edit(caret, 0, text, TextEditKind::Typing);
    }
}

void TextView::removeRange(qsizetype from, qsizetype to, TextEditKind kind)
{
    if (from < to)
        edit(from, to - from, QString(), kind);
}

void TextView::replaceSelection(const QString &text)
{
    edit(m_selection.start(), m_selection.length(), text, TextEditKind::Plain);
}

void TextView::cut()
{
    if (m_selection.isEmpty())
        return;
    copy();
    if (!m_readOnly)
        removeRange(m_selection.start(), m_selection.end(), TextEditKind::Plain);
}

void TextView::copy()
{
    if (!m_selection.isEmpty())
        TextClipboard::setText(selectedText());
}

void TextView::paste()
{
    if (!m_readOnly)
        pasteText(TextClipboard::text());
}

void TextView::pasteText(const QString &text)
{
    if (text.isEmpty() || m_readOnly)
        return;
    m_document->beginUndoGroup(m_selection);
    edit(m_selection.start(), m_selection.length(), text, TextEditKind::Plain);
    m_document->endUndoGroup(m_selection);
}

void TextView::deleteSelection()
{
    if (!m_readOnly)
        removeRange(m_selection.start(), m_selection.end(), TextEditKind::Plain);
}

void TextView::undo()
{
    if (m_readOnly)
        return;
    if (const std::optional<TextSelection> selection = m_document->undo())
        setSelection(*selection);
}

void TextView::redo()
{
    if (m_readOnly)
        return;
    if (const std::optional<TextSelection> selection = m_document->redo())
        setSelection(*selection);
}

void TextView::setOverwriteMode(bool on)
{
    if (on == m_overwrite)
        return;
    m_overwrite = on;
    updateCaret();
    viewport()->update();
    emit overwriteModeChanged(on);
}

void TextView::setWordWrap(bool on)
{
    m_wordWrap = on;
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    m_geometry->setWrap(on);
    restyle();
    ensureCaretVisible();
}

QFont TextView::textFont() const
{
    return font();
}

void TextView::setTextFont(const QFont &font)
{
    setFont(font);
}

QColor TextView::hitColor() const
{
    return m_hitColor.value_or(SearchHitColor(palette().color(QPalette::Base)));
}

void TextView::setHitColor(const QColor &color)
{
    m_hitColor = color;
    viewport()->update();
}

void TextView::setReadOnly(bool on)
{
    if (on == m_readOnly)
        return;
    m_readOnly = on;
    setAttribute(Qt::WA_InputMethodEnabled, !on);
    if (on && !m_cache->preeditText().isEmpty()) {
        m_cache->setPreedit(0, QString(), {});
        m_preeditCursor = 0;
    }
    TextViewAccessible::announceReadOnly(this);
    viewport()->update();
}

void TextView::ensureCaretVisible()
{
    scrollToOffset(m_selection.position);
}

void TextView::scrollToOffset(qsizetype offset)
{
    m_scroller->scrollTo(offset, offset == m_selection.position ? m_preeditCursor : 0);
}

void TextView::scrollRows(int rows)
{
    m_scroller->scrollRows(rows);
}

void TextView::scrollContentsBy(int dx, int dy)
{
    m_scroller->barsMoved(dx, dy);
}

void TextView::wheelEvent(QWheelEvent *event)
{
    m_scroller->wheel(event);
}

QRectF TextView::caretRectF() const
{
    m_cache->startPass();
    return m_painter->caretRect(m_selection.position, m_preeditCursor, m_overwrite)
            .value_or(QRectF());
}

QRect TextView::caretRect() const
{
    return caretRectF().toAlignedRect();
}

qsizetype TextView::offsetAt(const QPoint &viewportPoint) const
{
    m_cache->startPass();
    return m_geometry->offsetAt(viewportPoint);
}

QRect TextView::characterRect(qsizetype offset) const
{
    m_cache->startPass();
    if (offset < 0 || offset >= m_document->length())
        return QRect();
    const qsizetype next =
            offset < m_mover->lineEnd(offset) ? m_mover->nextCharacter(offset) : offset;
    return m_painter->characterRect(offset, next).toAlignedRect();
}

qreal TextView::goalX()
{
    if (!m_goalX)
        m_goalX = m_geometry->xOf(m_selection.position) + m_geometry->scrollX();
    return *m_goalX;
}

void TextView::restartBlink()
{
    m_caretOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

// Repaints only the caret's rectangle: a blink costs no layout.
void TextView::updateCaret()
{
    const QRect rect = caretRect();
    if (!rect.isEmpty())
        viewport()->update(rect.adjusted(-1, 0, 1, 0));
}

bool TextView::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_keys->wantsShortcut(key)) {
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TextView::paintEvent(QPaintEvent *event)
{
    m_cache->startPass();
    QPainter painter(viewport());
    TextViewPainter::State state;
    state.selection = m_selection;
    state.palette = palette();
    state.active = hasFocus();
    state.hitColor = hitColor();
    state.caretShown = hasFocus() && m_caretOn;
    state.overwrite = m_overwrite;
    state.preeditCursor = m_preeditCursor;
    state.dropCaret = m_drops->dropCaret();
    const qreal widthBefore = m_geometry->contentWidth();
    m_painter->paint(painter, event->rect(), state);
    // Lines seen for the first time may be wider than thought.
    if (!m_wordWrap && m_geometry->contentWidth() > widthBefore)
        m_scroller->schedule();
}

void TextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    restyle();
}

void TextView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        restyle();
        ensureCaretVisible();
    } else if (event->type() == QEvent::PaletteChange
               || event->type() == QEvent::ActivationChange) {
        viewport()->update();
    }
}

void TextView::keyPressEvent(QKeyEvent *event)
{
    m_cache->startPass();
    // Shift+F10 opens the pop-up menu at the caret, as the Menu key does, as on other desktops'
    // editors.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        emit contextMenuRequested(viewport()->mapToGlobal(caretRect().bottomLeft()));
        event->accept();
        return;
    }
    if (m_keys->handle(event))
        event->accept();
    else
        event->ignore();
}

void TextView::keyReleaseEvent(QKeyEvent *event)
{
    QAbstractScrollArea::keyReleaseEvent(event);
    emit userInteracted();
}

void TextView::mousePressEvent(QMouseEvent *event)
{
    m_cache->startPass();
    m_mouse->press(event);
    event->accept();
    emit userInteracted();
}

void TextView::mouseMoveEvent(QMouseEvent *event)
{
    m_cache->startPass();
    m_mouse->move(event);
}

void TextView::mouseReleaseEvent(QMouseEvent *event)
{
    m_cache->startPass();
    m_mouse->release(event);
}

void TextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_cache->startPass();
    m_mouse->doubleClick(event);
    emit userInteracted();
}

void TextView::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

void TextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
    viewport()->update();
    emit focusReceived();
}

void TextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    viewport()->update();
}

// Tab is text here, unless the text cannot be changed.
bool TextView::focusNextPrevChild(bool next)
{
    if (!m_readOnly)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void TextView::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blink.timerId()) {
        m_caretOn = !m_caretOn;
        updateCaret();
        return;
    }
    m_cache->startPass();
    if (!m_mouse->timerEvent(event))
        QAbstractScrollArea::timerEvent(event);
}

void TextView::inputMethodEvent(QInputMethodEvent *event)
{
    m_cache->startPass();
    m_input->handle(event);
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    m_cache->startPass();
    const QVariant answer = m_input->query(query);
    return answer.isValid() || query == Qt::ImMaximumTextLength
            ? answer
            : QAbstractScrollArea::inputMethodQuery(query);
}

void TextView::dragEnterEvent(QDragEnterEvent *event)
{
    m_cache->startPass();
    m_drops->enter(event);
}

void TextView::dragMoveEvent(QDragMoveEvent *event)
{
    m_cache->startPass();
    m_drops->move(event);
}

void TextView::dragLeaveEvent(QDragLeaveEvent *)
{
    m_drops->leave();
}

void TextView::dropEvent(QDropEvent *event)
{
    m_cache->startPass();
    m_drops->drop(event);
}
