#include "textlayoutcache.h"

#include "controls/linesegments.h"
#include "controls/textdocument.h"

#include <QTextOption>

#include <algorithm>

namespace {

// Rows wider than any screen still fit a QFixed.
constexpr qreal kUnwrappedWidth = 1 << 24;

} // namespace

TextLayoutCache::TextLayoutCache(const TextDocument &document)
    : m_document(document)
{ }

TextLayoutCache::~TextLayoutCache() = default;

bool TextLayoutCache::setStyle(const Style &style)
{
    if (style.font == m_style.font && style.tabStop == m_style.tabStop
        && style.rowHeight == m_style.rowHeight && style.ascent == m_style.ascent
        && style.wrapWidth == m_style.wrapWidth)
        return false;
    m_style = style;
    clear();
    return true;
}

void TextLayoutCache::setPreedit(qsizetype offset, const QString &text,
                                 const QList<QTextLayout::FormatRange> &formats)
{
    if (offset == m_preeditOffset && text == m_preedit && formats == m_preeditFormats)
        return;
    auto dropLineOf = [this](qsizetype at) {
        const qsizetype line =
                m_document.lineOfOffset(qBound<qsizetype>(0, at, m_document.length()));
        invalidateLines(line, line);
    };
    if (!m_preedit.isEmpty())
        dropLineOf(m_preeditOffset);
    m_preeditOffset = offset;
    m_preedit = text;
    m_preeditFormats = formats;
    if (!m_preedit.isEmpty())
        dropLineOf(m_preeditOffset);
}

// Characters that would break a row or draw nothing are shown as symbols of the same length,
// so offsets stay the document's.
QString TextLayoutCache::displayText(QString text)
{
    char16_t *p = reinterpret_cast<char16_t *>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c < 0x20 && c != u'\t')
            p[i] = char16_t(0x2400 + c); // control pictures
        else if (c == 0x7F)
            p[i] = 0x2421;
        else if (c == 0x2028)
            p[i] = 0x2424;
        else if (c == 0x2029)
            p[i] = 0x00B6;
        else if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
                ++i;
            else
                p[i] = 0xFFFD;
        } else if (QChar::isLowSurrogate(c)) {
            p[i] = 0xFFFD; // a byte that was no valid UTF-8, or half a pair
        }
    }
    return text;
}

QTextOption TextLayoutCache::optionFor(TextAlignment alignment) const
{
    Qt::Alignment flags = Qt::AlignLeft;
    if (m_style.wrapWidth > 0 && alignment == TextAlignment::Right)
        flags = Qt::AlignRight;
    else if (m_style.wrapWidth > 0 && alignment == TextAlignment::Center)
        flags = Qt::AlignHCenter;
    QTextOption option(flags | Qt::AlignAbsolute);
    option.setTextDirection(Qt::LayoutDirectionAuto);
    option.setWrapMode(m_style.wrapWidth > 0 ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                             : QTextOption::NoWrap);
    option.setTabStopDistance(m_style.tabStop);
    return option;
}

std::unique_ptr<TextLayoutEntry> TextLayoutCache::make(qsizetype line, qsizetype segment) const
{
    const LineSegments segments(m_document, line);
    auto entry = std::make_unique<TextLayoutEntry>();
    entry->line = line;
    entry->segment = qBound<qsizetype>(0, segment, segments.count() - 1);
    entry->start = segments.start(entry->segment);
    entry->length = segments.end(entry->segment) - entry->start;
    const QString text =
            displayText(m_document.text(segments.lineStart() + entry->start, entry->length));
    m_laidOutUnits += text.size();
    entry->rightToLeft = text.isRightToLeft();

    QTextLayout &layout = entry->layout;
    layout.setText(text);
    layout.setFont(m_style.font);
    layout.setTextOption(optionFor(m_document.alignment(line)));
    layout.setCacheEnabled(true);
    const qsizetype preeditLocal = m_preeditOffset - segments.lineStart() - entry->start;
    const bool lastSegment = entry->segment + 1 == segments.count();
    if (!m_preedit.isEmpty() && m_preeditOffset >= segments.lineStart() && preeditLocal >= 0
        && (preeditLocal < entry->length || (preeditLocal == entry->length && lastSegment))) {
        entry->preeditAt = preeditLocal;
        entry->preeditLength = int(m_preedit.size());
        layout.setPreeditArea(int(preeditLocal), m_preedit);
        QList<QTextLayout::FormatRange> formats = m_preeditFormats;
        for (QTextLayout::FormatRange &range : formats)
            range.start += int(preeditLocal);
        layout.setFormats(formats);
    }

    const qreal width = m_style.wrapWidth > 0 ? m_style.wrapWidth : kUnwrappedWidth;
    int rows = 0;
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(width);
        // Every row has the font's height and baseline, whatever fallback fonts it uses.
        row.setPosition(QPointF(0, rows * m_style.rowHeight + m_style.ascent - row.ascent()));
        entry->width = qMax(entry->width, row.naturalTextWidth());
        ++rows;
    }
    layout.endLayout();
    entry->rows = qMax(1, rows);
    return entry;
}

const TextLayoutEntry &TextLayoutCache::entry(qsizetype line, qsizetype segment)
{
    if (segment > 0)
        segment = qMin(segment, LineSegments::countFor(m_document.lineLength(line)) - 1);
    const Key key{line, qMax<qsizetype>(0, segment)};
    auto it = m_entries.find(key);
    if (it == m_entries.end()) {
        if (qsizetype(m_entries.size()) >= m_capacity || cachedUnits() >= unitBudget())
            evict();
        it = m_entries.emplace(key, make(line, key.segment)).first;
    }
    if (it->second->lastUse != m_pass)
        m_passUnits += it->second->length;
    it->second->lastUse = m_pass;
    return *it->second;
}

qsizetype TextLayoutCache::cachedUnits() const
{
    qsizetype units = 0;
    for (const auto &item : m_entries)
        units += item.second->length;
    return units;
}

// Drops the least recently used layouts, never one used in this pass, until a quarter of
// the room is free.
void TextLayoutCache::evict()
{
    std::vector<std::pair<quint64, Key>> uses;
    uses.reserve(m_entries.size());
    for (const auto &[key, entry] : m_entries) {
        if (entry->lastUse != m_pass)
            uses.push_back({entry->lastUse, key});
    }
    std::sort(uses.begin(), uses.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    qsizetype units = cachedUnits();
    for (const auto &[use, key] : uses) {
        if (qsizetype(m_entries.size()) <= m_capacity * 3 / 4 && units <= unitBudget() * 3 / 4)
            break;
        const auto it = m_entries.find(key);
        units -= it->second->length;
        m_entries.erase(it);
    }
}

void TextLayoutCache::changed(const TextChange &change)
{
    const qsizetype oldLast = change.firstLine + change.linesRemoved;
    const qsizetype shift = change.linesAdded - change.linesRemoved;
    std::vector<std::unique_ptr<TextLayoutEntry>> moved;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        const qsizetype line = it->first.line;
        if (line >= change.firstLine && line <= oldLast) {
            it = m_entries.erase(it);
        } else if (line > oldLast && shift != 0) {
            moved.push_back(std::move(it->second));
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    for (auto &entry : moved) {
        entry->line += shift;
        const Key key{entry->line, entry->segment};
        m_entries.emplace(key, std::move(entry));
    }
}

void TextLayoutCache::invalidateLines(qsizetype firstLine, qsizetype lastLine)
{
    std::erase_if(m_entries, [&](const auto &item) {
        return item.first.line >= firstLine && item.first.line <= lastLine;
    });
}

void TextLayoutCache::clear()
{
    m_entries.clear();
    m_peakPassUnits = 0;
}
