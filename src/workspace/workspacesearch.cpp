#include "workspacesearch.h"

#include "controls/textstorage.h"
#include "workspace/searchbuf.h"
#include "workspace/searchtarget.h"

#include <QList>

WorkspaceSearch::WorkspaceSearch(SearchTarget &target)
    : m_target(target)
{ }

bool WorkspaceSearch::SearchMemo(const QString &text, SearchOptions options)
{
    if (text.isEmpty() || m_target.text().length() == 0)
        return false;
    const qsizetype hit = SearchBuf(m_target.text(), m_target.selectionStart(),
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
    return IsOccurrenceAt(m_target.text(), m_target.selectionStart(), findText, options);
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
    const QList<qsizetype> hits = occurrencesToReplace(findText, replaceText, options);
    if (hits.isEmpty())
        return;
    const qsizetype spanEnd =
            hits.last() + findText.size() + hits.size() * (replaceText.size() - findText.size());
    m_target.replaceOccurrences(hits, findText.size(), replaceText);
    m_target.setSelection(spanEnd, 0);
}

QList<qsizetype> WorkspaceSearch::occurrencesToReplace(const QString &findText,
                                                       const QString &replaceText,
                                                       SearchOptions options)
{
    const TextStorage &text = m_target.text();
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
            before = hit > 0 ? text.text(hit - 1, 1) : QString();
        hits.append(searchAfterReplacement(hit + length, before, findText, options));
    }
    hits.removeLast();
    return hits;
}

// A low surrogate just after a replaced occurrence may pair differently with what now comes
// before it, and that can change how its case maps: the one candidate it starts is tried in
// its new surroundings. Whole word never tries that candidate.
qsizetype WorkspaceSearch::searchAfterReplacement(qsizetype from, const QString &before,
                                                  const QString &findText, SearchOptions options)
{
    const TextStorage &text = m_target.text();
    if (from >= text.length() || !QChar::isLowSurrogate(text.at(from))
        || options.testFlag(SearchOption::WholeWord))
        return SearchBuf(text, from, 0, findText, options);
    const QString context =
            before + text.text(from, qMin(findText.size() + 1, text.length() - from));
    if (IsOccurrenceAt(context, before.size(), findText, options))
        return from;
    return SearchBuf(text, from + 1, 0, findText, options);
}
