#include "textkeyhandler.h"

#include "controls/textdocument.h"
#include "controls/ui/textcaretmover.h"
#include "controls/ui/textview.h"
#include "controls/ui/textviewgeometry.h"

#include <QKeyEvent>

#include <array>

namespace {

using K = QKeySequence;

bool isKey(const QKeyEvent *event, Qt::KeyboardModifiers modifiers, int key)
{
    return event->key() == key && (event->modifiers() & ~Qt::KeypadModifier) == modifiers;
}

} // namespace

TextKeyHandler::TextKeyHandler(TextView *view)
    : m_view(view)
{ }

const TextKeyHandler::MoveKey *TextKeyHandler::moveFor(const QKeyEvent *event)
{
    static const std::array<MoveKey, 28> keys{{
            {K::MoveToNextChar, Op::Right, false},
            {K::MoveToPreviousChar, Op::Left, false},
            {K::MoveToNextWord, Op::WordRight, false},
            {K::MoveToPreviousWord, Op::WordLeft, false},
            {K::MoveToNextLine, Op::Down, false},
            {K::MoveToPreviousLine, Op::Up, false},
            {K::MoveToNextPage, Op::PageDown, false},
            {K::MoveToPreviousPage, Op::PageUp, false},
            {K::MoveToStartOfLine, Op::RowStart, false},
            {K::MoveToEndOfLine, Op::RowEnd, false},
            {K::MoveToStartOfBlock, Op::LineStart, false},
            {K::MoveToEndOfBlock, Op::LineEnd, false},
            {K::MoveToStartOfDocument, Op::DocumentStart, false},
            {K::MoveToEndOfDocument, Op::DocumentEnd, false},
            {K::SelectNextChar, Op::Right, true},
            {K::SelectPreviousChar, Op::Left, true},
            {K::SelectNextWord, Op::WordRight, true},
            {K::SelectPreviousWord, Op::WordLeft, true},
            {K::SelectNextLine, Op::Down, true},
            {K::SelectPreviousLine, Op::Up, true},
            {K::SelectNextPage, Op::PageDown, true},
            {K::SelectPreviousPage, Op::PageUp, true},
            {K::SelectStartOfLine, Op::RowStart, true},
            {K::SelectEndOfLine, Op::RowEnd, true},
            {K::SelectStartOfBlock, Op::LineStart, true},
            {K::SelectEndOfBlock, Op::LineEnd, true},
            {K::SelectStartOfDocument, Op::DocumentStart, true},
            {K::SelectEndOfDocument, Op::DocumentEnd, true},
    }};
    for (const MoveKey &key : keys) {
        if (event->matches(key.key))
            return &key;
    }
    return nullptr;
}

bool TextKeyHandler::isTyped(const QKeyEvent *event)
{
    const QString text = event->text();
    // Shift+Tab has a tab's text, but is no tab.
    if (text.isEmpty() || event->key() == Qt::Key_Backtab)
        return false;
    // Ctrl with Alt is AltGr on some keyboards; Ctrl, Meta or Alt alone make a command (Alt
    // and a letter opens a menu).
    const Qt::KeyboardModifiers mods = event->modifiers();
    const Qt::KeyboardModifiers held =
            mods & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
    if (held && held != (Qt::ControlModifier | Qt::AltModifier))
        return false;
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control && c != u'\t')
            return false;
    }
    return true;
}

bool TextKeyHandler::wantsShortcut(const QKeyEvent *event) const
{
    if (moveFor(event) || event->matches(K::Copy) || event->matches(K::SelectAll)
        || event->matches(K::Deselect) || isKey(event, Qt::ControlModifier, Qt::Key_Insert))
        return true;
    if (m_view->isReadOnly())
        return false;
    static const std::array<K::StandardKey, 12> editing{
            K::Cut,
            K::Paste,
            K::Undo,
            K::Redo,
            K::Delete,
            K::Backspace,
            K::DeleteStartOfWord,
            K::DeleteEndOfWord,
            K::DeleteEndOfLine,
            K::DeleteCompleteLine,
            K::InsertParagraphSeparator,
            K::InsertLineSeparator,
    };
    for (K::StandardKey key : editing) {
        if (event->matches(key))
            return true;
    }
    // Text keys with Alt stay menu mnemonics unless no shortcut wants them.
    const Qt::KeyboardModifiers mods =
            event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const bool plain = mods == Qt::NoModifier || mods == Qt::ShiftModifier;
    return (plain && event->key() < Qt::Key_Escape && isTyped(event))
            || isKey(event, Qt::ShiftModifier, Qt::Key_Insert)
            || isKey(event, Qt::ShiftModifier, Qt::Key_Delete);
}

bool TextKeyHandler::handle(QKeyEvent *event)
{
    if (const MoveKey *key = moveFor(event)) {
        move(key->op, key->select);
        return true;
    }
    if (event->matches(K::SelectAll)) {
        m_view->selectAll();
    } else if (event->matches(K::Deselect)) {
        m_view->moveCaret(m_view->m_selection.position, false);
    } else if (event->matches(K::Copy) || isKey(event, Qt::ControlModifier, Qt::Key_Insert)) {
        m_view->copy();
    } else if (isKey(event, Qt::NoModifier, Qt::Key_Insert)) {
        m_view->setOverwriteMode(!m_view->overwriteMode());
    } else if (m_view->isReadOnly()) {
        return false;
    } else if (!editKey(event)) {
        if (!isTyped(event))
            return false;
        m_view->type(event->text());
    }
    return true;
}

bool TextKeyHandler::editKey(const QKeyEvent *event)
{
    const qsizetype caret = m_view->m_selection.position;
    TextCaretMover &mover = *m_view->m_mover;
    if (event->matches(K::Cut) || isKey(event, Qt::ShiftModifier, Qt::Key_Delete))
        m_view->cut();
    else if (event->matches(K::Paste) || isKey(event, Qt::ShiftModifier, Qt::Key_Insert))
        m_view->paste();
    else if (event->matches(K::Undo))
        m_view->undo();
    else if (event->matches(K::Redo))
        m_view->redo();
    else if (event->matches(K::Delete))
        deleteBy(mover.nextCharacter(caret), TextEditKind::DeleteForward);
    else if (event->matches(K::DeleteStartOfWord))
        deleteBy(mover.previousWord(caret), TextEditKind::Plain);
    else if (event->matches(K::Backspace) || isKey(event, Qt::NoModifier, Qt::Key_Backspace)
             || isKey(event, Qt::ShiftModifier, Qt::Key_Backspace))
        deleteBy(mover.previousCharacter(caret), TextEditKind::Backspace);
    else if (event->matches(K::DeleteEndOfWord))
        deleteBy(mover.nextWord(caret), TextEditKind::Plain);
    else if (event->matches(K::DeleteEndOfLine))
        deleteBy(mover.lineEnd(caret), TextEditKind::Plain);
    else if (event->matches(K::DeleteCompleteLine))
        deleteLine();
    else if (event->matches(K::InsertParagraphSeparator) || event->matches(K::InsertLineSeparator))
        m_view->type(QStringLiteral("\n"));
    else
        return false;
    return true;
}

// Deletes the selection, or from the caret to offset.
void TextKeyHandler::deleteBy(qsizetype to, TextEditKind kind)
{
    const TextSelection selection = m_view->m_selection;
    if (!selection.isEmpty()) {
        m_view->removeRange(selection.start(), selection.end(), TextEditKind::Plain);
        return;
    }
    const qsizetype caret = selection.position;
    m_view->removeRange(qMin(caret, to), qMax(caret, to), kind);
}

void TextKeyHandler::deleteLine()
{
    const TextDocument &document = *m_view->document();
    const qsizetype first = document.lineOfOffset(m_view->m_selection.start());
    const qsizetype last = document.lineOfOffset(m_view->m_selection.end());
    qsizetype from = document.lineStart(first);
    qsizetype to =
            last + 1 < document.lineCount() ? document.lineStart(last + 1) : document.length();
    // The last line takes the break before it, so that no empty line stays.
    if (last + 1 >= document.lineCount() && first > 0)
        from -= 1;
    m_view->removeRange(from, to, TextEditKind::Plain);
}

qsizetype TextKeyHandler::target(Op op, qsizetype caret)
{
    TextCaretMover &mover = *m_view->m_mover;
    TextViewGeometry &geometry = *m_view->m_geometry;
    const int page = qMax(1, geometry.fullRows() - 1);
    switch (op) {
    case Op::Right:
        return mover.right(caret);
    case Op::Left:
        return mover.left(caret);
    case Op::WordRight:
        return mover.wordRight(caret);
    case Op::WordLeft:
        return mover.wordLeft(caret);
    case Op::Down:
    case Op::Up:
    case Op::PageDown:
    case Op::PageUp: {
        const int rows = op == Op::Down ? 1 : op == Op::Up ? -1 : op == Op::PageDown ? page : -page;
        const qreal x = m_view->goalX() - geometry.scrollX();
        if (op == Op::PageDown || op == Op::PageUp)
            m_view->scrollRows(rows);
        return mover.vertical(caret, rows, x);
    }
    case Op::RowStart:
        return mover.rowStart(caret);
    case Op::RowEnd:
        return mover.rowEnd(caret);
    case Op::LineStart:
        return mover.lineStart(caret);
    case Op::LineEnd:
        return mover.lineEnd(caret);
    case Op::DocumentStart:
        return 0;
    case Op::DocumentEnd:
        return m_view->document()->length();
    }
    return caret;
}

void TextKeyHandler::move(Op op, bool select)
{
    const TextSelection selection = m_view->m_selection;
    const bool vertical = op == Op::Down || op == Op::Up || op == Op::PageDown || op == Op::PageUp;
    std::optional<qreal> goal;
    if (vertical)
        goal = m_view->goalX();
    qsizetype to = 0;
    // An arrow without Shift leaves a selection at its edge.
    if (!select && !selection.isEmpty() && (op == Op::Right || op == Op::Left)) {
        const bool rtl = m_view->m_mover->rightToLeftAt(selection.position);
        to = (op == Op::Right) != rtl ? selection.end() : selection.start();
    } else {
        to = target(op, selection.position);
    }
    m_view->moveCaret(to, select);
    if (goal)
        m_view->m_goalX = goal;
}
