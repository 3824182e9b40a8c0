#pragma once

#include "controls/textblock.h"

#include <vector>

struct TextPiece;

// Lays text out into storage blocks of a steady size, as it comes: a file being read, or the
// stretch of a document an edit rebuilds. Blocks are cut every `target` units; a short last
// block joins the one before, so edits never leave slivers behind.
class TextBlockWriter
{
public:
    explicit TextBlockWriter(qsizetype target);

    // Units holding no '\n'.
    void appendText(QStringView units);
    void appendLatin1(QByteArrayView latin1);
    void appendBreak(quint8 attr);
    // The units and breaks of block from offset from up to to.
    void appendRange(const TextBlock &block, qsizetype from, qsizetype to);
    // Every break of piece gets alignment.
    void appendPiece(const TextPiece &piece, TextAlignment alignment);

    qsizetype size() const { return m_size; }
    // The memory the blocks written so far take.
    qsizetype memoryUsed() const { return m_memory; }
    // The blocks written; at least one, which is empty when nothing was written.
    std::vector<TextBlock> finish();

private:
    TextBlock &room();
    void close();

    qsizetype m_target;
    qsizetype m_size = 0;
    qsizetype m_memory = 0;
    std::vector<TextBlock> m_blocks;
    TextBlock m_current;
};
