#include "textstorage.h"

#include "controls/textblockwriter.h"

#include <stdexcept>

TextStorage::TextStorage()
    : TextStorage(std::vector<TextBlock>(1))
{ }

TextStorage::TextStorage(std::vector<TextBlock> blocks)
    : m_blocks(std::move(blocks))
{
    if (m_blocks.empty())
        m_blocks.resize(1);
    for (const TextBlock &block : m_blocks)
        countEnds(block, 1);
    rebuildSums();
}

TextStorage TextStorage::fromFileText(QStringView text)
{
    TextBlockWriter writer(kBlockSize);
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        writer.appendText(text.sliced(from, i - from));
        LineEnd end = LineEnd::LF;
        if (text[i] == u'\r') {
            end = i + 1 < text.size() && text[i + 1] == u'\n' ? LineEnd::CRLF : LineEnd::CR;
            i += end == LineEnd::CRLF ? 1 : 0;
        }
        writer.appendBreak(TextBlock::attr(end, TextAlignment::Left));
        from = i + 1;
    }
    writer.appendText(text.sliced(from));
    return TextStorage(writer.finish());
}

void TextStorage::rebuildSums()
{
    std::vector<qsizetype> units(m_blocks.size());
    std::vector<qsizetype> breaks(m_blocks.size());
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        units[i] = m_blocks[i].size();
        breaks[i] = m_blocks[i].breakCount();
    }
    m_units.assign(units);
    m_breaks.assign(breaks);
}

void TextStorage::countEnds(const TextBlock &block, qsizetype sign)
{
    for (quint8 attr : block.attrs)
        m_endCounts[size_t(TextBlock::endOf(attr))] += sign;
}

qsizetype TextStorage::blockAt(qsizetype offset) const
{
    return qMin(m_units.upperBound(offset), blockCount() - 1);
}

qsizetype TextStorage::lineStart(qsizetype line) const
{
    if (line <= 0)
        return 0;
    const qsizetype k = qMin(line, lineCount() - 1) - 1;
    const qsizetype b = m_breaks.upperBound(k);
    return blockStart(b) + m_blocks[size_t(b)].breaks[size_t(k - m_breaks.prefix(b))] + 1;
}

qsizetype TextStorage::lineEnd(qsizetype line) const
{
    if (line >= lineCount() - 1)
        return length();
    return lineStart(line + 1) - 1;
}

qsizetype TextStorage::lineOfOffset(qsizetype offset) const
{
    offset = qBound<qsizetype>(0, offset, length());
    const qsizetype b = blockAt(offset);
    return m_breaks.prefix(b) + m_blocks[size_t(b)].breaksBefore(offset - blockStart(b));
}

LineEnd TextStorage::lineEndOf(qsizetype line) const
{
    if (line < 0 || line >= lineCount() - 1)
        return LineEnd::LF;
    const qsizetype b = m_breaks.upperBound(line);
    return TextBlock::endOf(m_blocks[size_t(b)].attrs[size_t(line - m_breaks.prefix(b))]);
}

TextAlignment TextStorage::alignment(qsizetype line) const
{
    if (line < 0 || line >= lineCount() - 1)
        return m_lastAlignment;
    const qsizetype b = m_breaks.upperBound(line);
    return TextBlock::alignmentOf(m_blocks[size_t(b)].attrs[size_t(line - m_breaks.prefix(b))]);
}

void TextStorage::setAlignment(qsizetype line, TextAlignment alignment)
{
    if (line < 0)
        return;
    if (line >= lineCount() - 1) {
        m_lastAlignment = alignment;
        return;
    }
    const qsizetype b = m_breaks.upperBound(line);
    quint8 &attr = m_blocks[size_t(b)].attrs[size_t(line - m_breaks.prefix(b))];
    attr = TextBlock::attr(TextBlock::endOf(attr), alignment);
}

char16_t TextStorage::at(qsizetype offset) const
{
    if (offset < 0 || offset >= length())
        throw std::out_of_range("TextStorage::at");
    const qsizetype b = blockAt(offset);
    return m_blocks[size_t(b)].units.at(offset - blockStart(b));
}

QString TextStorage::text(qsizetype position, qsizetype length) const
{
    QString out;
    out.reserve(length);
    forEachChunk(position, length, [&out](QStringView chunk) { out.append(chunk); });
    return out;
}

QString TextStorage::lineText(qsizetype line) const
{
    const qsizetype start = lineStart(line);
    return text(start, lineEnd(line) - start);
}

TextPiece TextStorage::piece(qsizetype position, qsizetype length) const
{
    TextPiece piece;
    piece.units.reserve(length);
    forEachChunk(position, length, [&piece](QStringView chunk) { piece.units.append(chunk); });
    const qsizetype first = lineOfOffset(position);
    const qsizetype breaks = lineOfOffset(position + length) - first;
    if (breaks > 0) {
        piece.uniformEnd = lineEndOf(first);
        for (qsizetype k = 1; k < breaks; ++k) {
            if (lineEndOf(first + k) == piece.uniformEnd)
                continue;
            piece.ends.reserve(size_t(breaks));
            for (qsizetype j = 0; j < breaks; ++j)
                piece.ends.push_back(lineEndOf(first + j));
            break;
        }
    }
    return piece;
}

void TextStorage::insert(qsizetype position, const TextPiece &piece)
{
    replace({{position, 0, &piece}});
}

void TextStorage::remove(qsizetype position, qsizetype length)
{
    const TextPiece nothing;
    replace({{position, length, &nothing}});
}

namespace {

// Walks the old blocks of the rebuilt region, copying what stays into the writer.
class RegionCopier
{
public:
    RegionCopier(const std::vector<TextBlock> &blocks, qsizetype first, qsizetype start,
                 TextBlockWriter &writer)
        : m_blocks(blocks)
        , m_block(first)
        , m_blockStart(start)
        , m_cursor(start)
        , m_writer(writer)
    { }

    void copyTo(qsizetype end)
    {
        while (m_cursor < end) {
            settle();
            const TextBlock &block = m_blocks[size_t(m_block)];
            const qsizetype from = m_cursor - m_blockStart;
            const qsizetype to = qMin(end - m_blockStart, block.size());
            m_writer.appendRange(block, from, to);
            m_cursor += to - from;
        }
    }
    void skip(qsizetype n) { m_cursor += n; }

private:
    // Moves onto the block that holds the cursor.
    void settle()
    {
        while (m_cursor >= m_blockStart + m_blocks[size_t(m_block)].size()) {
            m_blockStart += m_blocks[size_t(m_block)].size();
            ++m_block;
        }
    }

    const std::vector<TextBlock> &m_blocks;
    qsizetype m_block;
    qsizetype m_blockStart;
    qsizetype m_cursor;
    TextBlockWriter &m_writer;
};

} // namespace

void TextStorage::replace(const std::vector<Replacement> &replacements)
{
    if (replacements.empty())
        return;
    qsizetype grown = 0;
    std::vector<TextAlignment> alignments;
    std::vector<bool> joins;
    alignments.reserve(replacements.size());
    joins.reserve(replacements.size());
    for (const Replacement &r : replacements) {
        if (r.position < 0 || r.removed < 0 || r.position + r.removed > length())
            throw std::out_of_range("TextStorage::replace");
        const qsizetype line = lineOfOffset(r.position);
        alignments.push_back(alignment(line));
        joins.push_back(r.removed > 0 && lineOfOffset(r.position + r.removed) != line);
        grown += r.piece->size() - r.removed;
    }
    const qsizetype spanStart = replacements.front().position;
    const qsizetype spanEnd = replacements.back().position + replacements.back().removed;
    qsizetype first = blockAt(spanStart);
    qsizetype last = qMax(first, blockAt(spanEnd));
    if (last > first && blockStart(last) == spanEnd)
        --last;
    qsizetype newSize = blockStart(last + 1) - blockStart(first) + grown;
    // A region that shrank to a sliver takes a neighbour in.
    while (newSize < kBlockSize / 4 && (first > 0 || last + 1 < blockCount())) {
        if (last + 1 < blockCount())
            newSize += m_blocks[size_t(++last)].size();
        else
            newSize += m_blocks[size_t(--first)].size();
    }

    const qsizetype regionStart = blockStart(first);
    TextBlockWriter writer(kBlockSize);
    RegionCopier copier(m_blocks, first, regionStart, writer);
    for (size_t i = 0; i < replacements.size(); ++i) {
        copier.copyTo(replacements[i].position);
        copier.skip(replacements[i].removed);
        writer.appendPiece(*replacements[i].piece, alignments[i]);
    }
    copier.copyTo(blockStart(last + 1));
    std::vector<TextBlock> rebuilt = writer.finish();

    // Everything that can fail has been done; now the blocks change hands.
    const qsizetype oldCount = last - first + 1;
    const qsizetype newCount = qsizetype(rebuilt.size());
    if (newCount > oldCount)
        m_blocks.reserve(m_blocks.size() + size_t(newCount - oldCount));
    for (qsizetype b = first; b <= last; ++b)
        countEnds(m_blocks[size_t(b)], -1);
    for (const TextBlock &block : rebuilt)
        countEnds(block, 1);
    if (newCount == oldCount) {
        for (qsizetype i = 0; i < newCount; ++i) {
            TextBlock &old = m_blocks[size_t(first + i)];
            m_units.add(first + i, rebuilt[size_t(i)].size() - old.size());
            m_breaks.add(first + i, rebuilt[size_t(i)].breakCount() - old.breakCount());
            old = std::move(rebuilt[size_t(i)]);
        }
    } else {
        m_blocks.erase(m_blocks.begin() + first, m_blocks.begin() + last + 1);
        m_blocks.insert(m_blocks.begin() + first, std::make_move_iterator(rebuilt.begin()),
                        std::make_move_iterator(rebuilt.end()));
        rebuildSums();
    }

    // Lines joined by a removal keep the alignment of the first of them.
    qsizetype shift = 0;
    for (size_t i = 0; i < replacements.size(); ++i) {
        const Replacement &r = replacements[i];
        if (joins[i])
            setAlignment(lineOfOffset(r.position + shift + r.piece->size()), alignments[i]);
        shift += r.piece->size() - r.removed;
    }
}

void TextStorage::overwrite(qsizetype position, const TextPiece &piece)
{
    if (position < 0 || position + piece.size() > length())
        throw std::out_of_range("TextStorage::overwrite");
    qsizetype b = blockAt(position);
    qsizetype local = position - blockStart(b);
    for (qsizetype i = 0; i < piece.size(); ++i, ++local) {
        while (local >= m_blocks[size_t(b)].size()) {
            local -= m_blocks[size_t(b)].size();
            ++b;
        }
        TextUnits &units = m_blocks[size_t(b)].units;
        const char16_t unit = piece.units.at(i);
        if (units.at(local) != unit && unit != u'\n' && units.at(local) != u'\n')
            units.set(local, unit);
    }
}

std::array<qsizetype, 3> TextStorage::lineEndsIn(qsizetype from, qsizetype to) const
{
    std::array<qsizetype, 3> counts{};
    if (from >= to)
        return counts;
    for (qsizetype b = blockAt(from); b < blockCount(); ++b) {
        const qsizetype start = blockStart(b);
        if (start >= to)
            break;
        const TextBlock &block = m_blocks[size_t(b)];
        const qsizetype first = block.breaksBefore(qMax<qsizetype>(0, from - start));
        const qsizetype last = block.breaksBefore(qMin(to - start, block.size()));
        for (qsizetype k = first; k < last; ++k)
            ++counts[size_t(TextBlock::endOf(block.attrs[size_t(k)]))];
    }
    return counts;
}

qsizetype TextStorage::bytesUsed() const
{
    qsizetype bytes = qsizetype(m_blocks.capacity() * sizeof(TextBlock)) + 2 * 8 * blockCount();
    for (const TextBlock &block : m_blocks) {
        bytes += block.size() * (block.units.isWide() ? 2 : 1);
        bytes += qsizetype(block.breaks.capacity() * 4 + block.attrs.capacity());
    }
    return bytes;
}
