// Any text, selection, find text and options: no crash, no hang, and the search finds exactly
// what the plain candidate-by-candidate search finds; every hit really is an occurrence under
// the options. Replace All leaves the text that replacing one hit after another would leave.
#include "workspace/searchbuf.h"
#include "workspace/searchtarget.h"
#include "workspace/workspacesearch.h"

#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

// Bytes from 0x80 up stand for characters with case or word quirks, and surrogates.
QString decode(const uint8_t *data, size_t size)
{
    static const char16_t special[16] = {0x00E9, 0x00C9, 0x0131, 0x017F, 0x00DF, 0x03A3,
                                         0x03C3, 0x03C2, 0xD801, 0xDC28, 0xDC00, 0xD83D,
                                         0xDE00, 0x0000, 0x212A, 0x0130};
    QString text;
    for (size_t i = 0; i < size; ++i)
        text += QChar(data[i] < 0x80 ? char16_t(data[i]) : special[data[i] & 15]);
    return text;
}

QString upperEach(QStringView s)
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

bool delim(QStringView s, qsizetype i)
{
    if (i < 0 || i >= s.size())
        return true;
    const char16_t c = s[i].unicode();
    return !((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'));
}

qsizetype plainSearch(QStringView buffer, qsizetype selStart, qsizetype selLength, QStringView text,
                      SearchOptions options)
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
            for (; count > 0 && delim(buffer, p) != down; p += dir, --count) { }
            for (; count > 0 && delim(buffer, p) == down; p += dir, --count) { }
            if (!down && delim(buffer, p))
                ++p, ++count;
            if (!tried.insert(p).second)
                return -1;
        }
        if (p + n <= length && QStringView(mapped).sliced(p, n) == wanted
            && (!whole || delim(buffer, p + n)))
            return p;
    }
    return -1;
}

class StringTarget : public SearchTarget
{
public:
    QString m_text;
    qsizetype m_selStart = 0, m_selLength = 0;
    quint64 m_revision = 0;

    quint64 textRevision() const override { return m_revision; }
    qsizetype textLength() const override { return m_text.size(); }
    QString text() const override { return m_text; }
    qsizetype selectionStart() const override { return m_selStart; }
    qsizetype selectionLength() const override { return m_selLength; }
    void setSelection(qsizetype start, qsizetype length) override
    {
        if (start < 0 || length < 0 || start + length > m_text.size())
            std::abort();
        m_selStart = start;
        m_selLength = length;
    }
    void replaceRange(qsizetype start, qsizetype length, const QString &text) override
    {
        if (start < 0 || length < 0 || start + length > m_text.size())
            std::abort();
        m_text.replace(start, length, text);
        ++m_revision;
    }
    void markFound(qsizetype, qsizetype) override { }
};

// Replace All as first written: replace the selection if it is an occurrence, then search,
// replace and search again from just after the replacement.
QString plainReplaceAll(QString text, qsizetype selStart, qsizetype selLength, const QString &find,
                        const QString &replacement, SearchOptions options)
{
    options |= SearchOption::Down;
    if (selLength == find.size() && IsOccurrenceAt(text, selStart, find, options)) {
        text.replace(selStart, selLength, replacement);
        selStart += replacement.size();
        selLength = 0;
    }
    for (qsizetype hit; (hit = plainSearch(text, selStart, selLength, find, options)) >= 0;) {
        text.replace(hit, find.size(), replacement);
        selStart = hit + replacement.size();
        selLength = 0;
    }
    return text;
}

void checkHit(const QString &buffer, qsizetype selStart, qsizetype selLength, const QString &find,
              SearchOptions options)
{
    const qsizetype hit = SearchBuf(buffer, selStart, selLength, find, options);
    if (hit != plainSearch(buffer, selStart, selLength, find, options))
        std::abort();
    if (hit < 0)
        return;
    // The text's characters are mapped where they stand, a pair as the character it encodes.
    const bool matchCase = options.testFlag(SearchOption::MatchCase);
    if (hit + find.size() > buffer.size())
        std::abort();
    if (matchCase ? buffer.sliced(hit, find.size()) != find
                  : upperEach(buffer).sliced(hit, find.size()) != upperEach(find))
        std::abort();
    if (options.testFlag(SearchOption::WholeWord)
        && !(delim(buffer, hit - 1) && delim(buffer, hit + find.size())))
        std::abort();
    if (!IsOccurrenceAt(buffer, hit, find, options))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5 || size > 4096)
        return 0;
    // The first byte holds down (0x01), match case (0x20) and whole word (0x08).
    const SearchOptions options = SearchOptions::fromInt(data[0] | ((data[0] & 0x08u) << 8))
            & (SearchOption::Down | SearchOption::MatchCase | SearchOption::WholeWord);
    const size_t findLength = data[3] % 8, replaceLength = data[4] % 8;
    if (size < 5 + findLength + replaceLength)
        return 0;
    const QString find = decode(data + 5, findLength);
    const QString replacement = decode(data + 5 + findLength, replaceLength);
    const QString buffer =
            decode(data + 5 + findLength + replaceLength, size - 5 - findLength - replaceLength);
    const qsizetype selStart = qMin<qsizetype>(data[1], buffer.size());
    const qsizetype selLength = qMin<qsizetype>(data[2] % 16, buffer.size() - selStart);
    checkHit(buffer, selStart, selLength, find, options);

    StringTarget target;
    target.m_text = buffer;
    target.m_selStart = selStart;
    target.m_selLength = selLength;
    WorkspaceSearch search(target);
    search.Replace(find, replacement, options | SearchOption::ReplaceAll);
    if (buffer.size() <= 512
        && target.m_text
                != plainReplaceAll(buffer, selStart, selLength, find, replacement, options))
        std::abort();
    return 0;
}
