#include "textviewaccessible.h"

#include "controls/textdocument.h"
#include "controls/ui/textcaretmover.h"
#include "controls/ui/textlayoutcache.h"
#include "controls/ui/textview.h"

#include <QTextBoundaryFinder>

#include <climits>

namespace {

// Beyond this the whole text is no property value: readers take it through the text calls.
constexpr qsizetype kValueLimit = 1 << 20;
// How much of a line around an offset is searched for its sentence.
constexpr qsizetype kSentenceWindow = 4096;
// Beyond this a change is announced without its text; readers ask for what they need.
constexpr qsizetype kAnnounceLimit = 1 << 16;

QAccessible::UpdateHandler g_listener = nullptr;

int toInt(qsizetype value)
{
    return int(qBound<qsizetype>(0, value, qsizetype(INT_MAX)));
}

QAccessibleInterface *factory(const QString &key, QObject *object)
{
    if (key == QLatin1String("TextView")) {
        if (auto *view = qobject_cast<TextView *>(object))
            return new TextViewAccessible(view);
    }
    return nullptr;
}

} // namespace

TextViewAccessible::TextViewAccessible(TextView *view)
    : QAccessibleWidget(view, QAccessible::EditableText)
{ }

void TextViewAccessible::install()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

void TextViewAccessible::setListener(QAccessible::UpdateHandler listener)
{
    g_listener = listener;
}

bool TextViewAccessible::listened()
{
    return g_listener || QAccessible::isActive();
}

void TextViewAccessible::send(QAccessibleEvent *event)
{
    if (g_listener)
        g_listener(event);
    else
        QAccessible::updateAccessibility(event);
}

void TextViewAccessible::announceChange(TextView *view, const TextChange &change)
{
    if (!listened())
        return;
    const int at = toInt(change.position);
    if (change.removed + change.added > kAnnounceLimit) {
        QAccessibleTextUpdateEvent event(view, at, QString(), QString());
        send(&event);
        return;
    }
    const QString added = view->document()->text(change.position, change.added);
    // The removed text is gone; blanks of its length stand in for it.
    const QString removed(change.removed, u' ');
    if (change.removed == 0) {
        QAccessibleTextInsertEvent event(view, at, added);
        send(&event);
    } else if (change.added == 0) {
        QAccessibleTextRemoveEvent event(view, at, removed);
        send(&event);
    } else {
        QAccessibleTextUpdateEvent event(view, at, removed, added);
        send(&event);
    }
}

void TextViewAccessible::announceCaret(TextView *view)
{
    if (!listened())
        return;
    const TextSelection selection = view->selection();
    if (selection.isEmpty()) {
        QAccessibleTextCursorEvent event(view, toInt(selection.position));
        send(&event);
    } else {
        QAccessibleTextSelectionEvent event(view, toInt(selection.start()), toInt(selection.end()));
        event.setCursorPosition(toInt(selection.position));
        send(&event);
    }
}

void TextViewAccessible::announceReset(TextView *view)
{
    if (!listened())
        return;
    const TextDocument &document = *view->document();
    const QString text = document.length() <= kAnnounceLimit ? document.toPlainText() : QString();
    QAccessibleTextUpdateEvent event(view, 0, QString(), text);
    send(&event);
}

void TextViewAccessible::announceReadOnly(TextView *view)
{
    if (!listened())
        return;
    QAccessible::State changed;
    changed.readOnly = true;
    changed.editable = true;
    QAccessibleStateChangeEvent event(view, changed);
    send(&event);
}

TextView *TextViewAccessible::view() const
{
    return static_cast<TextView *>(widget());
}

QAccessible::State TextViewAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !view()->isReadOnly();
    state.readOnly = view()->isReadOnly();
    state.multiLine = true;
    state.selectableText = true;
    state.focusable = true;
    return state;
}

QString TextViewAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value) {
        const TextDocument &document = *view()->document();
        return document.length() <= kValueLimit ? document.toPlainText() : QString();
    }
    return QAccessibleWidget::text(t);
}

void *TextViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void TextViewAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const TextSelection selection = view()->selection();
    if (selectionIndex != 0 || selection.isEmpty()) {
        *startOffset = *endOffset = 0;
        return;
    }
    *startOffset = toInt(selection.start());
    *endOffset = toInt(selection.end());
}

int TextViewAccessible::selectionCount() const
{
    return view()->selection().isEmpty() ? 0 : 1;
}

void TextViewAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        view()->setSelection(TextSelection::caret(view()->selection().position));
}

void TextViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        view()->setSelection(TextSelection{startOffset, endOffset});
}

int TextViewAccessible::cursorPosition() const
{
    return toInt(view()->selection().position);
}

void TextViewAccessible::setCursorPosition(int position)
{
    view()->setSelection(TextSelection::caret(position));
}

QString TextViewAccessible::text(int startOffset, int endOffset) const
{
    if (endOffset < 0)
        endOffset = characterCount();
    if (startOffset < 0 || endOffset <= startOffset)
        return QString();
    return view()->document()->text(startOffset, endOffset - startOffset);
}

int TextViewAccessible::characterCount() const
{
    return toInt(view()->document()->length());
}

std::pair<qsizetype, qsizetype>
TextViewAccessible::rangeAt(qsizetype offset, QAccessible::TextBoundaryType boundaryType) const
{
    const TextDocument &document = *view()->document();
    const qsizetype length = document.length();
    offset = qBound<qsizetype>(0, offset, length);
    TextCaretMover &mover = *view()->m_mover;
    view()->m_cache->startPass();
    const qsizetype line = document.lineOfOffset(offset);
    const qsizetype lineStart = document.lineStart(line);
    const qsizetype lineEnd = document.lineEnd(line);
    // A line's range takes its break with it.
    const qsizetype lineNext = line + 1 < document.lineCount() ? lineEnd + 1 : lineEnd;
    switch (boundaryType) {
    case QAccessible::CharBoundary:
        return {offset, offset < length ? mover.nextCharacter(offset) : offset};
    case QAccessible::WordBoundary:
        return mover.wordAt(offset);
    case QAccessible::SentenceBoundary: {
        const qsizetype from = qMax(lineStart, offset - kSentenceWindow);
        const qsizetype to = qMin(lineEnd, offset + kSentenceWindow);
        const QString text = document.text(from, to - from);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text);
        finder.setPosition(offset - from);
        qsizetype start = finder.isAtBoundary() ? offset - from : finder.toPreviousBoundary();
        finder.setPosition(offset - from);
        qsizetype end = finder.toNextBoundary();
        return {from + qMax<qsizetype>(0, start), end < 0 ? lineNext : from + end};
    }
    case QAccessible::LineBoundary: {
        const qsizetype rowEnd = mover.rowEnd(offset);
        return {mover.rowStart(offset), rowEnd < lineEnd ? mover.nextCharacter(rowEnd) : lineNext};
    }
    case QAccessible::ParagraphBoundary:
        return {lineStart, lineNext};
    case QAccessible::NoBoundary:
        break;
    }
    return {0, length};
}

QString TextViewAccessible::textOf(std::pair<qsizetype, qsizetype> range, int *startOffset,
                                   int *endOffset) const
{
    *startOffset = toInt(range.first);
    *endOffset = toInt(range.second);
    return view()->document()->text(range.first, range.second - range.first);
}

QString TextViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int *startOffset, int *endOffset) const
{
    return textOf(rangeAt(offset, boundaryType), startOffset, endOffset);
}

QString TextViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int *startOffset, int *endOffset) const
{
    const auto at = rangeAt(offset, boundaryType);
    if (at.first <= 0 || boundaryType == QAccessible::NoBoundary) {
        *startOffset = *endOffset = 0;
        return QString();
    }
    return textOf(rangeAt(at.first - 1, boundaryType), startOffset, endOffset);
}

QString TextViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    const auto at = rangeAt(offset, boundaryType);
    const qsizetype length = view()->document()->length();
    if (at.second >= length || boundaryType == QAccessible::NoBoundary) {
        *startOffset = *endOffset = toInt(length);
        return QString();
    }
    return textOf(rangeAt(at.second, boundaryType), startOffset, endOffset);
}

QRect TextViewAccessible::characterRect(int offset) const
{
    const QRect rect = view()->characterRect(offset);
    if (rect.isEmpty())
        return QRect();
    return QRect(view()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

int TextViewAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return toInt(view()->offsetAt(local));
}

void TextViewAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    view()->scrollToOffset(endIndex);
    view()->scrollToOffset(startIndex);
}

QString TextViewAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // One font for the whole text.
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void TextViewAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextViewAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void TextViewAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (endOffset < startOffset)
        std::swap(startOffset, endOffset);
    view()->edit(startOffset, endOffset - startOffset, text, TextEditKind::Plain);
}
