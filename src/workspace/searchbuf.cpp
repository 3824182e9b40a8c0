#include "searchbuf.h"

#include "workspace/casetable.h"
#include "workspace/searchtext.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first position from .. last that holds one of units (one to four of them), or -1.
qsizetype findAnyUnit(QStringView buffer, qsizetype from, qsizetype last,
                      std::span<const char16_t> units)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(buffer.utf16());
    qsizetype p = from;
#if defined(__SSE2__)
    const auto unit = [&](size_t i) {
        return _mm_set1_epi16(short(units[qMin(i, units.size() - 1)]));
    };
    const __m128i a = unit(0), b = unit(1), c = unit(2), d = unit(3);
    for (; p + 7 <= last; p += 8) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + p));
        const __m128i hit =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(x, a), _mm_cmpeq_epi16(x, b)),
                             _mm_or_si128(_mm_cmpeq_epi16(x, c), _mm_cmpeq_epi16(x, d)));
        if (const int mask = _mm_movemask_epi8(hit))
            return p + std::countr_zero(unsigned(mask)) / 2;
    }
#endif
    for (; p <= last; ++p) {
        if (std::find(units.begin(), units.end(), data[p]) != units.end())
            return p;
    }
    return -1;
}

template<typename Text>
bool delimiterAt(const Text &buffer, qsizetype i)
{
    return i >= buffer.size() || IsDelimiterChar(buffer.at(i));
}

template<typename Text>
void skipToWordStart(const Text &buffer, SearchPosition &position);

// Compares the find text, mapped once, with the buffer as the case rule maps it.
template<typename Text>
class Matcher
{
public:
    Matcher(const Text &buffer, QStringView text, SearchOptions options)
        : m_buffer(buffer)
        , m_case(options.testFlag(SearchOption::MatchCase))
        , m_pattern(m_case.applied(text))
        , m_wholeWord(options.testFlag(SearchOption::WholeWord))
    { }

    // The end of the buffer matches no character.
    bool charactersMatch(qsizetype p) const
    {
        const qsizetype length = m_pattern.size();
        if (p < 0 || p > m_buffer.size() - length)
            return false;
        // A unit either side: a surrogate's mapping depends on its other half.
        const qsizetype from = qMax<qsizetype>(0, p - 1);
        const QStringView w =
                m_buffer.window(from, qMin(m_buffer.size(), p + length + 1), m_matchHolder);
        return matchesIn(w, p - from);
    }

    // Whether the text matches at index at of w, a stretch of the buffer holding the unit
    // before and the unit after the candidate wherever the buffer has them.
    bool matchesIn(QStringView w, qsizetype at) const
    {
        const qsizetype length = m_pattern.size();
        if (m_case.isIdentity())
            return w.sliced(at, length) == QStringView(m_pattern);
        for (qsizetype i = 0; i < length; ++i) {
            if (m_case.at(w, at + i) != m_pattern[i].unicode())
                return false;
        }
        return true;
    }

    bool hitAt(qsizetype p) const
    {
        return charactersMatch(p) && (!m_wholeWord || delimiterAt(m_buffer, p + m_pattern.size()));
    }

    qsizetype scanDown(qsizetype from) const;
    qsizetype scanUp(qsizetype from) const;
    qsizetype wordSearchDown(qsizetype start) const;
    qsizetype wordSearchUp(SearchPosition position) const;

private:
    // A cheap first test for the mapped search: the unit at p could start a hit.
    bool mayStartAt(qsizetype p) const
    {
        return m_case.mapUnit(m_buffer.at(p)) == m_pattern[0].unicode();
    }

    const Text &m_buffer;
    mutable QString m_matchHolder;
    mutable QString m_scanHolder;
    CaseTable m_case;
    QString m_pattern;
    bool m_wholeWord;
};

// Windows of the buffer, growing: a hit near the start costs a small read, a long scan reads
// big windows. Each window also holds the unit before its first candidate and the text's length
// plus one after its last.
template<typename Text>
qsizetype Matcher<Text>::scanDown(qsizetype from) const
{
    const qsizetype length = m_pattern.size();
    const qsizetype size = m_buffer.size();
    const qsizetype last = size - length;
    // A surrogate maps to a surrogate, so the quick test holds unless the text starts with one.
    const bool quick = !m_pattern[0].isSurrogate();
    const std::span<const char16_t> firstUnits = m_case.isIdentity()
            ? std::span<const char16_t>()
            : m_case.unitsMappingTo(m_pattern[0].unicode());
    qsizetype step = qMin<qsizetype>(Text::windowSize(), 4096);
    for (qsizetype a = qMax<qsizetype>(0, from); a <= last;
         a += step, step = qMin(2 * step, Text::windowSize())) {
        const qsizetype end = a + qMin(step, last - a + 1); // candidates a .. end - 1
        const qsizetype wFrom = qMax<qsizetype>(0, a - 1);
        const QStringView w = m_buffer.window(wFrom, qMin(size, end + length), m_scanHolder);
        const qsizetype first = a - wFrom;
        const qsizetype stop = end - wFrom; // index of the first candidate past this window
        if (m_case.isIdentity()) {
            const qsizetype hit = w.indexOf(m_pattern, first);
            if (hit >= 0 && hit < stop)
                return wFrom + hit;
            continue;
        }
        if (quick && firstUnits.size() <= 4) {
            // Few units map to the first one as a rule: look for them eight at a time.
            for (qsizetype i = findAnyUnit(w, first, stop - 1, firstUnits); i >= 0;
                 i = findAnyUnit(w, i + 1, stop - 1, firstUnits)) {
                if (matchesIn(w, i))
                    return wFrom + i;
            }
            continue;
        }
        for (qsizetype i = first; i < stop; ++i) {
            if ((!quick || m_case.mapUnit(w[i].unicode()) == m_pattern[0].unicode())
                && matchesIn(w, i))
                return wFrom + i;
        }
    }
    return -1;
}

template<typename Text>
qsizetype Matcher<Text>::scanUp(qsizetype from) const
{
    const qsizetype length = m_pattern.size();
    const qsizetype size = m_buffer.size();
    const bool quick = !m_pattern[0].isSurrogate();
    qsizetype step = qMin<qsizetype>(Text::windowSize(), 4096);
    // Candidates running into the end of the buffer never match.
    for (qsizetype b = qMin(from, size - length); b >= 0;
         b -= step, step = qMin(2 * step, Text::windowSize())) {
        const qsizetype a = b - qMin(step - 1, b); // candidates a .. b
        const qsizetype wFrom = qMax<qsizetype>(0, a - 1);
        const QStringView w = m_buffer.window(wFrom, qMin(size, b + length + 1), m_scanHolder);
        if (m_case.isIdentity()) {
            const qsizetype hit = w.lastIndexOf(m_pattern, b - wFrom);
            if (hit >= a - wFrom)
                return wFrom + hit;
            continue;
        }
        for (qsizetype i = b - wFrom; i >= a - wFrom; --i) {
            if ((!quick || m_case.mapUnit(w[i].unicode()) == m_pattern[0].unicode())
                && matchesIn(w, i))
                return wFrom + i;
        }
    }
    return -1;
}

// Down, SkipToWordStart makes the candidates exactly the word starts after start (the word
// start is skipped, as is the rest of a word start stands in), so the answer is the first
// plain hit after start that begins a word and ends one. The plain scan is much the faster.
template<typename Text>
qsizetype Matcher<Text>::wordSearchDown(qsizetype start) const
{
    const qsizetype length = m_pattern.size();
    for (qsizetype p = scanDown(start + 1); p >= 0; p = scanDown(p + 1)) {
        if (delimiterAt(m_buffer, p - 1) && !delimiterAt(m_buffer, p)
            && delimiterAt(m_buffer, p + length))
            return p;
    }
    return -1;
}

// Up, every candidate lies before the one tried before it; skipping back onto a position
// already tried would try the same candidates for ever, so the search ends there.
template<typename Text>
qsizetype Matcher<Text>::wordSearchUp(SearchPosition position) const
{
    qsizetype lastTried = -1;
    while (position.searchCount >= 0) {
        skipToWordStart(m_buffer, position);
        if (lastTried >= 0 && position.p >= lastTried)
            return -1;
        if (hitAt(position.p))
            return position.p;
        lastTried = position.p;
        position.p += position.direction;
        --position.searchCount;
    }
    return -1;
}

template<typename Text>
void skipToWordStart(const Text &buffer, SearchPosition &position)
{
    const bool down = position.direction > 0;
    while (position.searchCount > 0 && delimiterAt(buffer, position.p) != down) {
        position.p += position.direction;
        --position.searchCount;
    }
    while (position.searchCount > 0 && delimiterAt(buffer, position.p) == down) {
        position.p += position.direction;
        --position.searchCount;
    }
    if (!down && delimiterAt(buffer, position.p)) {
        ++position.p;
        ++position.searchCount;
    }
}

template<typename Text>
qsizetype searchBuf(const Text &buffer, qsizetype selStart, qsizetype selLength, QStringView text,
                    SearchOptions options)
{
    const qsizetype length = buffer.size();
    if (length <= 0 || text.isEmpty())
        return -1;
    SearchPosition position;
    if (options.testFlag(SearchOption::Down)) {
        position.p = selStart + selLength;
        position.searchCount = length - position.p - text.size() + 1;
        if (position.searchCount < 0)
            return -1;
    } else {
        position.direction = -1;
        position.p = selStart - text.size();
        position.searchCount = position.p;
    }
    if (position.p < 0 || position.p > length)
        return -1;
    const Matcher<Text> matcher(buffer, text, options);
    if (options.testFlag(SearchOption::WholeWord)) {
        return position.direction > 0 ? matcher.wordSearchDown(position.p)
                                      : matcher.wordSearchUp(position);
    }
    return position.direction > 0 ? matcher.scanDown(position.p) : matcher.scanUp(position.p);
}

template<typename Text>
bool isOccurrenceAt(const Text &buffer, qsizetype position, QStringView text, SearchOptions options)
{
    if (text.isEmpty() || !Matcher<Text>(buffer, text, options).hitAt(position))
        return false;
    return !options.testFlag(SearchOption::WholeWord) || position == 0
            || delimiterAt(buffer, position - 1);
}

} // namespace

void SkipToWordStart(QStringView buffer, SearchPosition &position)
{
    skipToWordStart(FlatSearchText(buffer), position);
}

qsizetype SearchBuf(QStringView buffer, qsizetype selStart, qsizetype selLength, QStringView text,
                    SearchOptions options)
{
    return searchBuf(FlatSearchText(buffer), selStart, selLength, text, options);
}

qsizetype SearchBuf(const TextStorage &buffer, qsizetype selStart, qsizetype selLength,
                    QStringView text, SearchOptions options)
{
    return searchBuf(StorageSearchText(buffer), selStart, selLength, text, options);
}

bool IsOccurrenceAt(QStringView buffer, qsizetype position, QStringView text, SearchOptions options)
{
    return isOccurrenceAt(FlatSearchText(buffer), position, text, options);
}

bool IsOccurrenceAt(const TextStorage &buffer, qsizetype position, QStringView text,
                    SearchOptions options)
{
    return isOccurrenceAt(StorageSearchText(buffer), position, text, options);
}
