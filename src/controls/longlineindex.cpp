#include "longlineindex.h"

#include "controls/linesegments.h"
#include "controls/textstorage.h"

#include <algorithm>

std::vector<LongLineIndex::LongLine> LongLineIndex::scan(const TextStorage &storage,
                                                         qsizetype fromLine, qsizetype toLine,
                                                         qsizetype &longest)
{
    std::vector<LongLine> found;
    qsizetype line = fromLine;
    qsizetype lineStart = storage.lineStart(fromLine);
    const qsizetype end = storage.lineEnd(toLine);
    auto close = [&](qsizetype lineEnd) {
        const qsizetype length = lineEnd - lineStart;
        longest = qMax(longest, length);
        if (length > LineSegments::kSize)
            found.push_back({line, LineSegments::countFor(length), 0});
    };
    qsizetype b = storage.blockAt(lineStart);
    qsizetype blockStart = storage.blockStart(b);
    for (; b < storage.blockCount() && blockStart < end; ++b) {
        const TextBlock &block = storage.block(b);
        auto it = std::lower_bound(block.breaks.begin(), block.breaks.end(),
                                   quint32(qMax<qsizetype>(0, lineStart - blockStart)));
        for (; it != block.breaks.end(); ++it) {
            const qsizetype at = blockStart + qsizetype(*it);
            if (at >= end)
                break;
            close(at);
            ++line;
            lineStart = at + 1;
        }
        blockStart += block.size();
    }
    close(end);
    return found;
}

void LongLineIndex::sumUp()
{
    qsizetype extra = 0;
    for (LongLine &l : m_lines) {
        l.extraBefore = extra;
        extra += l.segments - 1;
    }
    m_extraTotal = extra;
}

void LongLineIndex::reset(const TextStorage &storage)
{
    m_longest = 0;
    m_lines = scan(storage, 0, storage.lineCount() - 1, m_longest);
    sumUp();
}

void LongLineIndex::update(const TextStorage &storage, const TextChange &change)
{
    const qsizetype oldLast = change.firstLine + change.linesRemoved;
    const qsizetype shift = change.linesAdded - change.linesRemoved;
    auto first = std::lower_bound(m_lines.begin(), m_lines.end(), change.firstLine,
                                  [](const LongLine &l, qsizetype line) { return l.line < line; });
    auto last = std::upper_bound(first, m_lines.end(), oldLast,
                                 [](qsizetype line, const LongLine &l) { return line < l.line; });
    for (auto it = last; it != m_lines.end(); ++it)
        it->line += shift;
    const std::vector<LongLine> found =
            scan(storage, change.firstLine, change.firstLine + change.linesAdded, m_longest);
    const auto at = m_lines.erase(first, last);
    m_lines.insert(at, found.begin(), found.end());
    sumUp();
}

qsizetype LongLineIndex::unitOf(qsizetype line, qsizetype segment) const
{
    auto it = std::lower_bound(m_lines.begin(), m_lines.end(), line,
                               [](const LongLine &l, qsizetype value) { return l.line < value; });
    if (it != m_lines.end() && it->line == line)
        return line + it->extraBefore + qBound<qsizetype>(0, segment, it->segments - 1);
    const qsizetype extra =
            it == m_lines.begin() ? 0 : (it - 1)->extraBefore + (it - 1)->segments - 1;
    return line + extra;
}

std::pair<qsizetype, qsizetype> LongLineIndex::lineOfUnit(qsizetype unit) const
{
    // The last long line whose first unit is at or before unit.
    auto it = std::upper_bound(
            m_lines.begin(), m_lines.end(), unit,
            [](qsizetype value, const LongLine &l) { return value < l.line + l.extraBefore; });
    if (it == m_lines.begin())
        return {unit, 0};
    const LongLine &l = *(it - 1);
    const qsizetype first = l.line + l.extraBefore;
    if (unit < first + l.segments)
        return {l.line, unit - first};
    return {unit - l.extraBefore - (l.segments - 1), 0};
}
