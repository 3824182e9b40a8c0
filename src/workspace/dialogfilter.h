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
};
