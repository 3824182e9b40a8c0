#include "tfnpcols.h"

TFnpCols::TFnpCols(QObject *parent)
    : QObject(parent)
{ }

TFnpCol *TFnpCols::add()
{
    auto *col = new TFnpCol(this);
    connect(col, &TFnpCol::changed, this, &TFnpCols::changed);
    m_cols.append(col);
    Q_EMIT changed();
    return col;
}

void TFnpCols::clear()
{
    qDeleteAll(m_cols);
    m_cols.clear();
    Q_EMIT changed();
}

QList<int> TFnpCols::widths() const
{
    QList<int> result;
    for (const TFnpCol *col : m_cols)
        result.append(col->width());
    return result;
}
