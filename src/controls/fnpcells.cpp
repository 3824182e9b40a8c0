#include "fnpcells.h"

namespace FnpCells {

QString cell(const QString &row, QChar delimiter, int n)
{
    if (n < 1)
        return {};
    qsizetype start = 0;
    for (int current = 1; current < n; ++current) {
        const qsizetype next = row.indexOf(delimiter, start);
        if (next < 0)
            return {};
        start = next + 1;
    }
    const qsizetype end = row.indexOf(delimiter, start);
    return row.mid(start, end < 0 ? -1 : end - start);
}

int extent(const QList<int> &columnWidths, int spacing, bool scrollBar)
{
    if (!scrollBar)
        return 0;
    int total = 0;
    for (int width : columnWidths)
        total += width + spacing;
    return total - spacing + 5;
}

} // namespace FnpCells
