#include "workspacesearch.h"

#include "workspace/searchbuf.h"
#include "workspace/searchtarget.h"

#include <QList>

WorkspaceSearch::WorkspaceSearch(SearchTarget &target)
    : m_target(target)
{ }

QStringView WorkspaceSearch::currentText()
{
    const quint64 revision = m_target.textRevision();
    if (!m_haveCopy || revision != m_copyRevision || m_copy.size() != m_target.textLength()) {
        m_copy = m_target.text();
        m_copyRevision = revision;
        m_haveCopy = true;
    }
    return m_copy;
}

void WorkspaceSearch::releaseCopy()
{
    m_copy = QString();
    m_haveCopy = false;
}

void WorkspaceSearch::releaseStaleCopy()
{
    if (m_haveCopy && m_target.textRevision() != m_copyRevision)
        releaseCopy();
}

bool WorkspaceSearch::SearchMemo(const QString &text, SearchOptions options)
{
    if (text.isEmpty() || m_target.textLength() == 0)
        return false;
    const qsizetype hit = SearchBuf(currentText(), m_target.selectionStart(),
                                    m_target.selectionLength(), text, options);
    if (hit < 0)
        return false;
    m_target.setSelection(hit, text.size());
    m_target.markFound(hit, text.size());
    return true;
}

QString WorkspaceSearch::Find(const QString &findText, SearchOptions options)
{
    return SearchMemo(findText, options) ? QString() : cannotFindMessage(findText);
}

QString WorkspaceSearch::cannotFindMessage(const QString &findText)
{
    return QStringLiteral("Cannot find \"") + findText + QStringLiteral("\".");
}

// The selection is an occurrence only under the options the user set: with match case, "ABC"
// is no occurrence of "abc".
bool WorkspaceSearch::selectionIsOccurrence(const QString &findText, SearchOptions options)
{
    if (findText.isEmpty() || m_target.selectionLength() != findText.size())
        return false;
    return IsOccurrenceAt(currentText(), m_target.selectionStart(), findText, options);
}

QString WorkspaceSearch::Replace(const QString &findText, const QString &replaceText,
                                 SearchOptions options)
{
    if (options.testFlag(SearchOption::ReplaceAll)) {
        replaceAll(findText, replaceText, options);
        return QString();
    }
    if (selectionIsOccurrence(findText, options)) {
        const qsizetype start = m_target.selectionStart();
        m_target.replaceRange(start, findText.size(), replaceText);
        m_target.setSelection(start + replaceText.size(), 0);
    }
    if (!SearchMemo(findText, options) && options.testFlag(SearchOption::Replace))
        return cannotFindMessage(findText);
    return QString();
}

// Replacing an occurrence and searching on from just after the replacement finds what a
// search from just after the occurrence finds in the unchanged text, since a search toward
// the end never looks back (save for the surrogate case of searchAfterReplacement). So every
// occurrence is found in the one copy and the text is changed once. Running up instead could
// find its own replacement again and never stop, so Replace All always runs toward the end.
void WorkspaceSearch::replaceAll(const QString &findText, const QString &replaceText,
                                 SearchOptions options)
{
    options |= SearchOption::Down;
    const QStringView text = currentText();
    const QList<qsizetype> hits = occurrencesToReplace(text, findText, replaceText, options);
    if (hits.isEmpty())
        return;
    const qsizetype spanStart = hits.first();
    const qsizetype spanLength = hits.last() + findText.size() - spanStart;
    const qsizetype spanEnd =
            spanStart + spanLength + hits.size() * (replaceText.size() - findText.size());
    if (!m_target.replaceOccurrences(hits, findText.size(), replaceText))
        m_target.replaceRange(spanStart, spanLength,
                              splice(text, hits, findText.size(), replaceText));
    m_target.setSelection(spanEnd, 0);
}

QList<qsizetype> WorkspaceSearch::occurrencesToReplace(QStringView text, const QString &findText,
                                                       const QString &replaceText,
                                                       SearchOptions options)
{
    const qsizetype length = findText.size();
    QList<qsizetype> hits;
    if (selectionIsOccurrence(findText, options))
        hits.append(m_target.selectionStart());
    else
        hits.append(SearchBuf(text, m_target.selectionStart() + m_target.selectionLength(), 0,
                              findText, options));
    // The unit before the caret once the last hit is replaced; empty at the text's start.
    QString before;
    while (hits.last() >= 0) {
        const qsizetype hit = hits.last();
        if (!replaceText.isEmpty())
            before = replaceText.back();
        else if (hits.size() < 2 || hits[hits.size() - 2] + length != hit)
            before = hit > 0 ? text.sliced(hit - 1, 1).toString() : QString();
        hits.append(searchAfterReplacement(text, hit + length, before, findText, options));
    }
    hits.removeLast();
    return hits;
}

// A low surrogate just after a replaced occurrence may pair differently with what now comes
// before it, and that can change how its case maps: the one candidate it starts is tried in
// its new surroundings. Whole word never tries that candidate.
qsizetype WorkspaceSearch::searchAfterReplacement(QStringView text, qsizetype from,
                                                  const QString &before, const QString &findText,
                                                  SearchOptions options)
{
    if (from >= text.size() || !text[from].isLowSurrogate()
        || options.testFlag(SearchOption::WholeWord))
        return SearchBuf(text, from, 0, findText, options);
    const QString context =
            before + text.sliced(from, qMin(findText.size() + 1, text.size() - from)).toString();
    if (IsOccurrenceAt(context, before.size(), findText, options))
        return from;
    return SearchBuf(text, from + 1, 0, findText, options);
}

QString WorkspaceSearch::splice(QStringView text, const QList<qsizetype> &hits, qsizetype length,
                                const QString &replaceText)
{
    const qsizetype spanLength = hits.last() + length - hits.first();
    QString result;
    result.reserve(spanLength + hits.size() * (replaceText.size() - length));
    for (qsizetype i = 0; i < hits.size(); ++i) {
        if (i > 0)
            result += text.sliced(hits[i - 1] + length, hits[i] - hits[i - 1] - length);
        result += replaceText;
    }
    return result;
}
