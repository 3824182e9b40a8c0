#pragma once

#include "workspace/searchoptions.h"

#include <QString>
#include <QStringView>

#include <set>

// The search as first written, kept as a reference for tests and the fuzzer: a copy of the
// whole text with the case mapped, then one candidate after another; up, a candidate tried
// twice ends it.
namespace PlainSearch {

// Every character upper-cased as one, a surrogate pair as the character it encodes.
inline QString upperEach(QStringView s)
{
    QString out = s.toString();
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            const char32_t up = QChar::toUpper(QChar::surrogateToUcs4(s[i], s[i + 1]));
            if (QChar::requiresSurrogates(up)) {
                out[i] = QChar(QChar::highSurrogate(up));
                out[i + 1] = QChar(QChar::lowSurrogate(up));
            }
            ++i;
        } else if (!s[i].isSurrogate()) {
            out[i] = s[i].toUpper();
        }
    }
    return out;
}

// Outside the text, or not an ASCII letter or digit.
inline bool isDelimiter(QStringView s, qsizetype i)
{
    if (i < 0 || i >= s.size())
        return true;
    const char16_t c = s[i].unicode();
    return !((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'));
}

inline qsizetype search(QStringView buffer, qsizetype selStart, qsizetype selLength,
                        QStringView text, SearchOptions options)
{
    const qsizetype length = buffer.size(), n = text.size();
    if (length <= 0 || n == 0)
        return -1;
    const bool matchCase = options.testFlag(SearchOption::MatchCase);
    const bool whole = options.testFlag(SearchOption::WholeWord);
    const QString mapped = matchCase ? buffer.toString() : upperEach(buffer);
    const QString wanted = matchCase ? text.toString() : upperEach(text);
    const bool down = options.testFlag(SearchOption::Down);
    const int dir = down ? 1 : -1;
    qsizetype p = down ? selStart + selLength : selStart - n;
    qsizetype count = down ? length - p - n + 1 : p;
    if (count < 0 || p < 0 || p > length)
        return -1;
    std::set<qsizetype> tried;
    for (; count >= 0; p += dir, --count) {
        if (whole) {
            for (; count > 0 && isDelimiter(buffer, p) != down; p += dir, --count) { }
            for (; count > 0 && isDelimiter(buffer, p) == down; p += dir, --count) { }
            if (!down && isDelimiter(buffer, p))
                ++p, ++count;
            if (!tried.insert(p).second)
                return -1;
        }
        if (p + n <= length && QStringView(mapped).sliced(p, n) == wanted
            && (!whole || isDelimiter(buffer, p + n)))
            return p;
    }
    return -1;
}

} // namespace PlainSearch
