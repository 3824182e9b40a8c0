// Any text, selection, find text and options: no crash, no hang, and the search finds exactly
// what the plain candidate-by-candidate search finds; every hit really is an occurrence under
// the options. Replace All leaves the text that replacing one hit after another would leave.
#include "common/plainsearch.h"
#include "controls/textdocument.h"
#include "workspace/searchbuf.h"
#include "workspace/searchtarget.h"
#include "workspace/workspacesearch.h"

#include <cstdint>
#include <cstdlib>

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
    // A document holds each line break as one '\n'.
    return text.replace(u'\r', u'\n');
}

class DocumentTarget : public SearchTarget
{
public:
    TextDocument m_doc;
    qsizetype m_selStart = 0, m_selLength = 0;

    const TextStorage &text() const override { return m_doc.storage(); }
    qsizetype selectionStart() const override { return m_selStart; }
    qsizetype selectionLength() const override { return m_selLength; }
    void setSelection(qsizetype start, qsizetype length) override
    {
        if (start < 0 || length < 0 || start + length > m_doc.length())
            std::abort();
        m_selStart = start;
        m_selLength = length;
    }
    void replaceRange(qsizetype start, qsizetype length, const QString &text) override
    {
        if (start < 0 || length < 0 || start + length > m_doc.length())
            std::abort();
        m_doc.replace(start, length, text, {}, {});
    }
    void replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                            const QString &text) override
    {
        for (qsizetype i = 0; i < starts.size(); ++i) {
            if (starts[i] < (i > 0 ? starts[i - 1] + length : 0)
                || starts[i] + length > m_doc.length())
                std::abort();
        }
        m_doc.replaceAll(starts, length, text, {}, {});
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
    for (qsizetype hit;
         (hit = PlainSearch::search(text, selStart, selLength, find, options)) >= 0;) {
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
    if (hit != PlainSearch::search(buffer, selStart, selLength, find, options))
        std::abort();
    if (hit < 0)
        return;
    // The text's characters are mapped where they stand, a pair as the character it encodes.
    const bool matchCase = options.testFlag(SearchOption::MatchCase);
    if (hit + find.size() > buffer.size())
        std::abort();
    if (matchCase ? buffer.sliced(hit, find.size()) != find
                  : PlainSearch::upperEach(buffer).sliced(hit, find.size())
                        != PlainSearch::upperEach(find))
        std::abort();
    if (options.testFlag(SearchOption::WholeWord)
        && !(PlainSearch::isDelimiter(buffer, hit - 1)
             && PlainSearch::isDelimiter(buffer, hit + find.size())))
        std::abort();
    if (!IsOccurrenceAt(buffer, hit, find, options))
        std::abort();
}

// The same search in a document, the text standing just across the edge of a window.
void checkWindowed(const QString &buffer, qsizetype pad, qsizetype selStart, qsizetype selLength,
                   const QString &find, SearchOptions options)
{
    const QString padded = QString(pad, u'x') + buffer;
    TextDocument doc;
    doc.setPlainText(padded);
    const qsizetype hit = SearchBuf(doc.storage(), pad + selStart, selLength, find, options);
    if (hit != SearchBuf(padded, pad + selStart, selLength, find, options))
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
    checkWindowed(buffer, (1 << 16) - (data[1] % 16), selStart, selLength, find, options);

    DocumentTarget target;
    target.m_doc.setPlainText(buffer);
    target.m_selStart = selStart;
    target.m_selLength = selLength;
    WorkspaceSearch search(target);
    search.Replace(find, replacement, options | SearchOption::ReplaceAll);
    if (buffer.size() <= 512
        && target.m_doc.toPlainText()
                != plainReplaceAll(buffer, selStart, selLength, find, replacement, options))
        std::abort();
    return 0;
}
