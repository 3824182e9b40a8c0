#pragma once

#include <QString>
#include <QStringList>

// The Open/Save filter string ("Text Files (*.TXT)|*.txt|All Files (*.*)|*.*": description
// and pattern pairs, every element separated by "|") as file-dialog name filters.
class DialogFilter
{
public:
    // One "description (patterns)" entry per pair; ";" between patterns becomes a blank. A
    // description without a pattern is left out.
    static QStringList toNameFilters(const QString &filterString);

    // The default filter index as kept in its label: decimal text without blanks; anything
    // else throws "'%s' is not a valid integer value".
    static int indexFromText(const QString &text);
};
