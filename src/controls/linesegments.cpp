#include "linesegments.h"

#include "controls/textdocument.h"

namespace {

bool joinsPrevious(QChar unit, QChar previous)
{
    if (unit.isLowSurrogate() && previous.isHighSurrogate())
        return true;
    return unit.isMark();
}

} // namespace

LineSegments::LineSegments(const TextDocument &document, qsizetype line)
    : m_document(document)
    , m_line(line)
    , m_lineStart(document.lineStart(line))
    , m_length(document.lineLength(line))
{ }

qsizetype LineSegments::start(qsizetype k) const
{
    if (k <= 0)
        return 0;
    k = qMin(k, count() - 1);
    const qsizetype nominal = k * kSize;
    // window[i] is the unit at nominal - kSlack + i; the cut goes before one of them.
    const QString window = m_document.text(m_lineStart + nominal - kSlack, kSlack + 1);
    for (qsizetype i = kSlack; i > 0; --i) {
        if (window[i - 1] == u' ' || window[i - 1] == u'\t')
            return nominal - kSlack + i;
    }
    qsizetype i = kSlack;
    while (i > 1 && joinsPrevious(window[i], window[i - 1]))
        --i;
    return nominal - kSlack + i;
}

qsizetype LineSegments::segmentOf(qsizetype local) const
{
    const qsizetype n = count();
    if (n == 1 || local <= 0)
        return 0;
    // Cut k lies in (k * kSize - kSlack, k * kSize]: local is in segment k or the one after.
    const qsizetype k = qMin(local / kSize, n - 1);
    if (k + 1 < n && local >= start(k + 1))
        return k + 1;
    return k;
}
