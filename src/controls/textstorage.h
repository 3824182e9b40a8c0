#pragma once

#include "controls/prefixsums.h"
#include "controls/textblock.h"
#include "controls/textpiece.h"

#include <array>
#include <vector>

// A document's text as a sequence of blocks of a few thousand units each, with running sums
// of their units and line breaks: every position and line query is O(log n), an edit rebuilds
// only the blocks it touches, and a character costs one byte (two outside Latin-1) plus five
// bytes a line.
//
// Offsets count UTF-16 code units, one '\n' per line break. Lines count from 0; every line but
// the last ends in a break with a line end of its own, and each line has an alignment.
class TextStorage
{
public:
    static constexpr qsizetype kBlockSize = 8192;

    // One replaced stretch: removed units at position (in the text before any replacement)
    // give way to piece.
    struct Replacement
    {
        qsizetype position = 0;
        qsizetype removed = 0;
        const TextPiece *piece = nullptr;
    };

    TextStorage();
    // Blocks as a TextBlockWriter made them.
    explicit TextStorage(std::vector<TextBlock> blocks);
    // The text of a file, each CR LF, CR and LF a break of that kind.
    static TextStorage fromFileText(QStringView text);
    TextStorage(TextStorage &&) noexcept = default;
    TextStorage &operator=(TextStorage &&) noexcept = default;

    qsizetype length() const { return m_units.total(); }
    qsizetype lineCount() const { return m_breaks.total() + 1; }
    qsizetype lineStart(qsizetype line) const;
    // The offset of the line's break, or length() for the last line.
    qsizetype lineEnd(qsizetype line) const;
    qsizetype lineLength(qsizetype line) const { return lineEnd(line) - lineStart(line); }
    qsizetype lineOfOffset(qsizetype offset) const;
    // The line end after line; the last line has none (LF is returned).
    LineEnd lineEndOf(qsizetype line) const;
    qsizetype lineEndCount(LineEnd kind) const { return m_endCounts[size_t(kind)]; }
    TextAlignment alignment(qsizetype line) const;
    void setAlignment(qsizetype line, TextAlignment alignment);

    char16_t at(qsizetype offset) const;
    QString text(qsizetype position, qsizetype length) const;
    QString lineText(qsizetype line) const;
    TextPiece piece(qsizetype position, qsizetype length) const;

    // Calls f(QStringView) on the stretches of [position, position + length) in order, each at
    // most one block long.
    template<typename F>
    void forEachChunk(qsizetype position, qsizetype length, F &&f) const
    {
        QString scratch;
        qsizetype b = blockAt(position);
        qsizetype local = position - blockStart(b);
        while (length > 0 && b < blockCount()) {
            const TextBlock &block = m_blocks[size_t(b)];
            const qsizetype n = qMin(length, block.size() - local);
            if (n > 0)
                f(block.units.view(local, n, scratch));
            length -= n;
            local = 0;
            ++b;
        }
    }

    qsizetype blockCount() const { return qsizetype(m_blocks.size()); }
    const TextBlock &block(qsizetype index) const { return m_blocks[size_t(index)]; }
    qsizetype blockStart(qsizetype index) const { return m_units.prefix(index); }
    // The block holding offset; the last block for length().
    qsizetype blockAt(qsizetype offset) const;

    // Inserts piece at position; its breaks take the alignment of the line it goes into.
    void insert(qsizetype position, const TextPiece &piece);
    void remove(qsizetype position, qsizetype length);
    // Ascending, non-overlapping replacements in one pass. The breaks a piece brings take the
    // alignment of the line it goes into; lines joined by a removal keep the first one's.
    void replace(const std::vector<Replacement> &replacements);

    // Overwrites the units from position on with those of piece, which has its '\n' exactly
    // where the text has them: breaks keep their line ends and alignment.
    void overwrite(qsizetype position, const TextPiece &piece);

    // The number of breaks of each kind in [from, to).
    std::array<qsizetype, 3> lineEndsIn(qsizetype from, qsizetype to) const;

    // Memory the text takes, for tests and benchmarks.
    qsizetype bytesUsed() const;

private:
    void rebuildSums();
    void countEnds(const TextBlock &block, qsizetype sign);

    std::vector<TextBlock> m_blocks;
    PrefixSums m_units;
    PrefixSums m_breaks;
    std::array<qsizetype, 3> m_endCounts{};
    TextAlignment m_lastAlignment = TextAlignment::Left;
};
