#pragma once

#include "workspace/searchoptions.h"

#include <QList>
#include <QString>

class SearchTarget;

// Find, Find Next and Replace over a Workspace's text. Works from one copy of the text, kept
// until the text changes; Replace All changes the text once, in one undo step.
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

    // Lets the copy of the text go, e.g. as soon as the text changes.
    void releaseCopy();
    // Lets the copy go only when the text has changed since it was taken.
    void releaseStaleCopy();

private:
    QStringView currentText();
    bool selectionIsOccurrence(const QString &findText, SearchOptions options);
    void replaceAll(const QString &findText, const QString &replaceText, SearchOptions options);
    QList<qsizetype> occurrencesToReplace(QStringView text, const QString &findText,
                                          const QString &replaceText, SearchOptions options);
    static qsizetype searchAfterReplacement(QStringView text, qsizetype from, const QString &before,
                                            const QString &findText, SearchOptions options);
    // The span from the first hit to the end of the last with every hit replaced.
    static QString splice(QStringView text, const QList<qsizetype> &hits, qsizetype length,
                          const QString &replaceText);

    SearchTarget &m_target;
    QString m_copy;
    quint64 m_copyRevision = 0;
    bool m_haveCopy = false;
};
