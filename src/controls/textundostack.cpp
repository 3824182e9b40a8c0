#include "textundostack.h"

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

void TextUndoStack::record(TextBatch batch, TextSelection before, TextSelection after,
                           TextEditKind kind)
{
    if (batch.empty())
        return;
    if (inGroup()) {
        m_group.batches.push_back(std::move(batch));
        return;
    }
    if (merges(batch, kind)) {
        merge(batch, after);
        return;
    }
    push({{std::move(batch)}, before, after, kind});
    m_mergeOpen = kind != TextEditKind::Plain;
}

void TextUndoStack::push(TextUndoStep step)
{
    m_steps.erase(m_steps.begin() + m_index, m_steps.end());
    if (m_clean > m_index)
        m_clean = -1;
    m_steps.push_back(std::move(step));
    ++m_index;
}

bool TextUndoStack::merges(const TextBatch &batch, TextEditKind kind) const
{
    if (kind == TextEditKind::Plain || !m_mergeOpen || m_index == 0 || isClean()
        || m_index != qsizetype(m_steps.size()) || batch.size() != 1)
        return false;
    const TextUndoStep &top = m_steps.back();
    if (top.kind != kind || top.batches.size() != 1 || top.batches.front().size() != 1)
        return false;
    const TextEditOp &op = top.batches.front().front();
    const TextEditOp &next = batch.front();
    switch (kind) {
    case TextEditKind::Typing: {
        if (next.position != op.position + op.inserted.size() || op.inserted.units.isEmpty()
            || next.inserted.units.isEmpty())
            return false;
        // A word typed after a blank is a step of its own.
        const char16_t last = op.inserted.units.at(op.inserted.size() - 1);
        return !(isSpace(last) && !isSpace(next.inserted.units.at(0)));
    }
    case TextEditKind::Backspace:
        return op.inserted.units.isEmpty() && next.inserted.units.isEmpty()
                && next.position + next.removed.size() == op.position;
    case TextEditKind::DeleteForward:
        return op.inserted.units.isEmpty() && next.inserted.units.isEmpty()
                && next.position == op.position;
    case TextEditKind::Plain:
        break;
    }
    return false;
}

void TextUndoStack::merge(TextBatch &batch, TextSelection after)
{
    TextUndoStep &top = m_steps.back();
    TextEditOp &op = top.batches.front().front();
    TextEditOp &next = batch.front();
    switch (top.kind) {
    case TextEditKind::Typing:
        op.inserted.append(next.inserted);
        op.removed.append(next.removed);
        break;
    case TextEditKind::Backspace:
        op.position = next.position;
        op.removed.prepend(next.removed);
        break;
    case TextEditKind::DeleteForward:
        op.removed.append(next.removed);
        break;
    case TextEditKind::Plain:
        break;
    }
    top.after = after;
}

void TextUndoStack::beginGroup(TextSelection before)
{
    if (m_groupDepth++ == 0) {
        m_group = TextUndoStep();
        m_group.before = before;
    }
}

void TextUndoStack::endGroup(TextSelection after)
{
    if (m_groupDepth == 0 || --m_groupDepth > 0)
        return;
    if (!m_group.batches.empty()) {
        m_group.after = after;
        push(std::move(m_group));
    }
    m_group = TextUndoStep();
    m_mergeOpen = false;
}

const TextUndoStep &TextUndoStack::stepBack()
{
    m_mergeOpen = false;
    return m_steps[size_t(--m_index)];
}

const TextUndoStep &TextUndoStack::stepForward()
{
    m_mergeOpen = false;
    return m_steps[size_t(m_index++)];
}

void TextUndoStack::setClean()
{
    m_clean = m_index;
    m_mergeOpen = false;
}

void TextUndoStack::clear()
{
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
    m_mergeOpen = false;
    m_groupDepth = 0;
    m_group = TextUndoStep();
}
