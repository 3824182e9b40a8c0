#pragma once

#include "workspace/searchoptions.h"

#include <QList>
#include <QString>

class SearchTarget;
class TextStorage;

// Find, Find Next and Replace over a Workspace's text, read from the document a window at a
// time; Replace All changes the text once, in one undo step.
class WorkspaceSearch
{
public:
    explicit WorkspaceSearch(SearchTarget &target);

    // Searches from the selection; on a hit selects it, marks it found and returns true.
    bool SearchMemo(const QString &text, SearchOptions options);

    // Find Next. Returns the message to show when there is no hit, empty after a hit.
    QString Find(const QString &findText, SearchOptions options);

    // The Replace and Replace All buttons: replaces the selection when it is an occurrence
    // under options, then selects the next occurrence (Replace) or replaces every following
    // one (Replace All). Returns the message the Replace button shows when no occurrence
    // follows, empty otherwise (always empty for Replace All).
    QString Replace(const QString &findText, const QString &replaceText, SearchOptions options);

    // "Cannot find "text"." without the program's header.
    static QString cannotFindMessage(const QString &findText);

private:
    bool selectionIsOccurrence(const QString &findText, SearchOptions options);
    void replaceAll(const QString &findText, const QString &replaceText, SearchOptions options);
    QList<qsizetype> occurrencesToReplace(const QString &findText, const QString &replaceText,
                                          SearchOptions options);
    qsizetype searchAfterReplacement(qsizetype from, const QString &before, const QString &findText,
                                     SearchOptions options);

    SearchTarget &m_target;
};
