#include "textcaretmover.h"

#include "controls/linesegments.h"
#include "controls/textdocument.h"
#include "controls/ui/textlayoutcache.h"
#include "controls/ui/textviewgeometry.h"

#include <QTextBoundaryFinder>

TextCaretMover::TextCaretMover(const TextDocument &document, TextLayoutCache &cache,
                               TextViewGeometry &geometry)
    : m_document(document)
    , m_cache(cache)
    , m_geometry(geometry)
{ }

const TextLayoutEntry &TextCaretMover::entryAt(qsizetype offset, bool preferPrevious,
                                               qsizetype *lineStart)
{
    offset = qBound<qsizetype>(0, offset, m_document.length());
    const LineSegments segments(m_document, m_document.lineOfOffset(offset));
    *lineStart = segments.lineStart();
    const qsizetype local = offset - segments.lineStart();
    qsizetype k = segments.segmentOf(local);
    if (preferPrevious && k > 0 && local == segments.start(k))
        --k;
    return m_cache.entry(segments.line(), k);
}

qsizetype TextCaretMover::lineStart(qsizetype offset) const
{
    return m_document.lineStart(m_document.lineOfOffset(offset));
}

qsizetype TextCaretMover::lineEnd(qsizetype offset) const
{
    return m_document.lineEnd(m_document.lineOfOffset(offset));
}

// One cursor position on or back in mode; a line's break is one step of its own.
qsizetype TextCaretMover::step(qsizetype offset, bool forward, QTextLayout::CursorMode mode)
{
    offset = qBound<qsizetype>(0, offset, m_document.length());
    if (forward && offset == lineEnd(offset))
        return qMin(offset + 1, m_document.length());
    if (!forward && offset == lineStart(offset))
        return qMax<qsizetype>(0, offset - 1);
    qsizetype start = 0;
    const TextLayoutEntry &entry = entryAt(offset, !forward, &start);
    const int at = entry.toLayout(offset - start - entry.start);
    const int to = forward ? entry.layout.nextCursorPosition(at, mode)
                           : entry.layout.previousCursorPosition(at, mode);
    return start + entry.start + entry.fromLayout(to);
}

qsizetype TextCaretMover::nextCharacter(qsizetype offset)
{
    return step(offset, true, QTextLayout::SkipCharacters);
}

qsizetype TextCaretMover::previousCharacter(qsizetype offset)
{
    return step(offset, false, QTextLayout::SkipCharacters);
}

bool TextCaretMover::rightToLeftAt(qsizetype offset)
{
    qsizetype start = 0;
    return entryAt(offset, false, &start).rightToLeft;
}

qsizetype TextCaretMover::right(qsizetype offset)
{
    return rightToLeftAt(offset) ? previousCharacter(offset) : nextCharacter(offset);
}

qsizetype TextCaretMover::left(qsizetype offset)
{
    return rightToLeftAt(offset) ? nextCharacter(offset) : previousCharacter(offset);
}

qsizetype TextCaretMover::nextWord(qsizetype offset)
{
    return step(offset, true, QTextLayout::SkipWords);
}

qsizetype TextCaretMover::previousWord(qsizetype offset)
{
    return step(offset, false, QTextLayout::SkipWords);
}

qsizetype TextCaretMover::wordRight(qsizetype offset)
{
    return rightToLeftAt(offset) ? previousWord(offset) : nextWord(offset);
}

qsizetype TextCaretMover::wordLeft(qsizetype offset)
{
    return rightToLeftAt(offset) ? nextWord(offset) : previousWord(offset);
}

std::pair<qsizetype, qsizetype> TextCaretMover::wordAt(qsizetype offset)
{
    offset = qBound<qsizetype>(0, offset, m_document.length());
    qsizetype start = 0;
    const TextLayoutEntry &entry = entryAt(offset, false, &start);
    const qsizetype base = start + entry.start;
    const QString text = m_document.text(base, entry.length);
    const qsizetype local = offset - base;
    if (text.isEmpty())
        return {offset, offset};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    // At the end of the text the word before the caret is meant.
    finder.setPosition(qMin(local + 1, text.size()));
    qsizetype from = finder.toPreviousBoundary();
    from = qMax<qsizetype>(0, from);
    finder.setPosition(from);
    qsizetype to = finder.toNextBoundary();
    if (to < 0)
        to = text.size();
    return {base + from, base + to};
}

qsizetype TextCaretMover::rowStart(qsizetype offset)
{
    if (!m_geometry.wraps())
        return lineStart(offset);
    qsizetype start = 0;
    const TextLayoutEntry &entry = entryAt(offset, false, &start);
    const QTextLine row =
            entry.layout.lineForTextPosition(entry.toLayout(offset - start - entry.start));
    return start + entry.start + entry.fromLayout(row.isValid() ? row.textStart() : 0);
}

qsizetype TextCaretMover::rowEnd(qsizetype offset)
{
    if (!m_geometry.wraps())
        return lineEnd(offset);
    qsizetype start = 0;
    const TextLayoutEntry &entry = entryAt(offset, false, &start);
    const QTextLine row =
            entry.layout.lineForTextPosition(entry.toLayout(offset - start - entry.start));
    if (!row.isValid())
        return offset;
    int end = row.textStart() + row.textLength();
    const bool lastOfLine =
            row.lineNumber() == entry.rows - 1 && entry.end() == m_document.lineLength(entry.line);
    if (!lastOfLine && end > row.textStart())
        end = entry.layout.previousCursorPosition(end);
    return start + entry.start + entry.fromLayout(end);
}

qsizetype TextCaretMover::vertical(qsizetype offset, int rows, qreal x)
{
    TextRowPos pos = m_geometry.rowOf(offset);
    if (m_geometry.advance(pos, rows) == 0)
        return offset;
    return m_geometry.offsetInRow(pos, x);
}
