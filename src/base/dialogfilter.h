#pragma once

#include <QString>
#include <QStringList>

// The Open/Save filter string ("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*": description
// and pattern pairs, every element separated by "|") as file-dialog name filters.
class DialogFilter
{
public:
    // The pairs of a filter string, in order: a description left without a pattern gets an
    // empty one, and a last element standing alone is a pattern with an empty description.
    static void splitPairs(const QString &filterString, QStringList &descriptions,
                           QStringList &patterns);

    // One "description (patterns)" entry per pair, so that the 1-based default index names the
    // same filter in the list and in the dialog. Patterns are separated by ";"; each matches
    // whatever the case of its letters, "*.*" and an empty pattern match every file.
    static QStringList toNameFilters(const QString &filterString);

    // The entry a 1-based index names, or empty text when it names none (the dialog keeps its
    // own choice then).
    static QString nameFilterAt(const QStringList &filters, int index);

    // A pattern as a name-filter glob that ignores letter case.
    static QString caseInsensitiveGlob(const QString &pattern);

    // The default filter index as kept in its label: decimal text without blanks; anything
    // else throws "'%s' is not a valid integer value".
    static int indexFromText(const QString &text);
};
