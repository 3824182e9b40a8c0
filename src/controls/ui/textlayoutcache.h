#pragma once

#include "controls/textformat.h"
#include "controls/textselection.h"

#include <QFont>
#include <QTextLayout>

#include <functional>
#include <memory>
#include <unordered_map>

class TextDocument;

// One segment of a line (see LineSegments) as laid out for the screen. Its rows share one
// height, so a view can count rows without looking at glyphs.
struct TextLayoutEntry
{
    qsizetype line = 0;
    qsizetype segment = 0;
    qsizetype start = 0;  // from the line's start
    qsizetype length = 0; // units of the document, pre-edit text not counted
    int rows = 1;
    qreal width = 0; // the widest row
    bool rightToLeft = false;
    QTextLayout layout;
    // An input method's text shown at preeditAt (from the segment's start), or -1.
    qsizetype preeditAt = -1;
    int preeditLength = 0;
    quint64 lastUse = 0;

    // A position within the segment as the layout counts it, pre-edit text included.
    int toLayout(qsizetype local) const
    {
        return int(preeditAt >= 0 && local > preeditAt ? local + preeditLength : local);
    }
    qsizetype fromLayout(int position) const
    {
        if (preeditAt < 0 || position <= preeditAt)
            return position;
        return qMax<qsizetype>(preeditAt, position - preeditLength);
    }
    qsizetype end() const { return start + length; }
};

// The layouts of the segments a view showed last, made on demand and dropped when their lines
// change. Nothing else of a line is kept, so its cost follows the screen, not the document.
class TextLayoutCache
{
public:
    struct Style
    {
        QFont font;
        qreal tabStop = 80;
        qreal rowHeight = 16;
        qreal ascent = 12;
        // The width rows wrap at; none when 0 or less.
        qreal wrapWidth = 0;
    };

    explicit TextLayoutCache(const TextDocument &document);
    ~TextLayoutCache();

    const Style &style() const { return m_style; }
    // A change drops every layout; returns whether there was one.
    bool setStyle(const Style &style);

    // The text an input method is composing, shown at offset of the document but not in it.
    void setPreedit(qsizetype offset, const QString &text,
                    const QList<QTextLayout::FormatRange> &formats);
    qsizetype preeditOffset() const { return m_preedit.isEmpty() ? -1 : m_preeditOffset; }
    const QString &preeditText() const { return m_preedit; }

    // The segment laid out. The reference stays valid until the next startPass().
    const TextLayoutEntry &entry(qsizetype line, qsizetype segment);
    // Marks the start of a paint or an event: layouts used from now on stay until the next one.
    void startPass()
    {
        ++m_pass;
        m_peakPassUnits = qMax(m_peakPassUnits, m_passUnits);
        m_passUnits = 0;
    }
    void setCapacity(qsizetype entries) { m_capacity = qMax<qsizetype>(16, entries); }

    void changed(const TextChange &change);
    void invalidateLines(qsizetype firstLine, qsizetype lastLine);
    void clear();

    // Units laid out since construction, to show that a long line is never laid out whole.
    qint64 laidOutUnits() const { return m_laidOutUnits; }

private:
    struct Key
    {
        qsizetype line;
        qsizetype segment;
        bool operator==(const Key &) const = default;
    };
    struct KeyHash
    {
        size_t operator()(const Key &k) const
        {
            return std::hash<qsizetype>()(k.line * 1048583 + k.segment);
        }
    };

    // Layouts hold their glyphs: beyond this many units the oldest go, unless a screen
    // needs more.
    static constexpr qsizetype kUnitBudget = 256 * 1024;
    qsizetype unitBudget() const { return qMax(kUnitBudget, 2 * m_peakPassUnits); }

    std::unique_ptr<TextLayoutEntry> make(qsizetype line, qsizetype segment) const;
    qsizetype cachedUnits() const;
    static QString displayText(QString text);
    QTextOption optionFor(TextAlignment alignment) const;
    void evict();

    const TextDocument &m_document;
    Style m_style;
    std::unordered_map<Key, std::unique_ptr<TextLayoutEntry>, KeyHash> m_entries;
    qsizetype m_capacity = 256;
    quint64 m_pass = 1;
    qsizetype m_passUnits = 0;     // units the pass so far used
    qsizetype m_peakPassUnits = 0; // the most a pass used since the layouts were cleared
    mutable qint64 m_laidOutUnits = 0;
    qsizetype m_preeditOffset = 0;
    QString m_preedit;
    QList<QTextLayout::FormatRange> m_preeditFormats;
};
