#pragma once

#include <QTextLayout>

#include <utility>

class TextDocument;
class TextLayoutCache;
class TextViewGeometry;
struct TextLayoutEntry;

// Where the caret goes for each kind of move: by character (a grapheme cluster, never half a
// surrogate pair), by word, to the ends of a row or a line, and up or down by rows at a kept
// x. Positions come from the layouts of the segments concerned, so the rules are Qt's own
// (QTextLayout cursor positions and word boundaries), bidi text included.
class TextCaretMover
{
public:
    TextCaretMover(const TextDocument &document, TextLayoutCache &cache,
                   TextViewGeometry &geometry);

    qsizetype nextCharacter(qsizetype offset);
    qsizetype previousCharacter(qsizetype offset);
    // The arrow keys: backwards in right-to-left text.
    qsizetype right(qsizetype offset);
    qsizetype left(qsizetype offset);
    qsizetype nextWord(qsizetype offset);
    qsizetype previousWord(qsizetype offset);
    qsizetype wordRight(qsizetype offset);
    qsizetype wordLeft(qsizetype offset);
    // The word (or the run of blanks) at offset, for a double click.
    std::pair<qsizetype, qsizetype> wordAt(qsizetype offset);

    // The ends of the row on screen holding offset; a wrapped row's end stays before the
    // blank it wrapped at, so that the caret stays in the row.
    qsizetype rowStart(qsizetype offset);
    qsizetype rowEnd(qsizetype offset);
    qsizetype lineStart(qsizetype offset) const;
    qsizetype lineEnd(qsizetype offset) const;

    // rows down (up when negative) at x of the viewport; offset when there is no such row.
    qsizetype vertical(qsizetype offset, int rows, qreal x);
    // Whether the text at offset runs right to left.
    bool rightToLeftAt(qsizetype offset);

private:
    qsizetype step(qsizetype offset, bool forward, QTextLayout::CursorMode mode);
    // The segment holding offset, or the one before it when offset is where that one ends.
    const TextLayoutEntry &entryAt(qsizetype offset, bool preferPrevious, qsizetype *lineStart);

    const TextDocument &m_document;
    TextLayoutCache &m_cache;
    TextViewGeometry &m_geometry;
};
