#pragma once

#include "controls/textpiece.h"
#include "controls/textselection.h"

#include <vector>

// How an edit came about, which decides whether it joins the undo step before it.
enum class TextEditKind { Plain, Typing, Backspace, DeleteForward };

// One replaced stretch of an undo step: at position, removed gave way to inserted.
struct TextEditOp
{
    qsizetype position = 0;
    TextPiece removed;
    TextPiece inserted;
    // Same length and the same breaks: the units are overwritten where they are, so lines keep
    // their line ends and alignment.
    bool inPlace = false;
};

// Replacements made together: ascending, apart, positions in the text before the batch.
using TextBatch = std::vector<TextEditOp>;

// What one Undo takes back: its batches in the order they were made, and the selection before
// and after them.
struct TextUndoStep
{
    std::vector<TextBatch> batches;
    TextSelection before;
    TextSelection after;
    TextEditKind kind = TextEditKind::Plain;
};

// The undo history of a document with its clean point, the step at which the text is as last
// saved. Typing joins the step before while it goes on where that step ended; a new word, a
// move of the caret elsewhere or the clean point starts a new one.
class TextUndoStack
{
public:
    // Records batch, just made, as a step of its own or as part of the step before.
    void record(TextBatch batch, TextSelection before, TextSelection after, TextEditKind kind);

    // Between these every batch recorded is part of one step. They nest.
    void beginGroup(TextSelection before);
    void endGroup(TextSelection after);
    bool inGroup() const { return m_groupDepth > 0; }

    // The next record starts a step of its own.
    void breakMerge() { m_mergeOpen = false; }

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < qsizetype(m_steps.size()); }
    // The step to take back or to make again, moving over it.
    const TextUndoStep &stepBack();
    const TextUndoStep &stepForward();

    bool isClean() const { return m_clean == m_index; }
    void setClean();
    // No step is clean any more: the text differs from the file whatever is undone.
    void setNoClean() { m_clean = -1; }
    void clear();

private:
    bool merges(const TextBatch &batch, TextEditKind kind) const;
    void merge(TextBatch &batch, TextSelection after);
    void push(TextUndoStep step);

    std::vector<TextUndoStep> m_steps;
    qsizetype m_index = 0; // steps before this are done
    qsizetype m_clean = 0;
    bool m_mergeOpen = false;
    int m_groupDepth = 0;
    TextUndoStep m_group;
};
