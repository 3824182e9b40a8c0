#pragma once

#include "tfnpcol.h"

#include <QList>
#include <QObject>

// The ordered columns of one multi-column list box; a change to any column is reported once.
class TFnpCols : public QObject
{
    Q_OBJECT

public:
    explicit TFnpCols(QObject *parent = nullptr);

    int count() const { return int(m_cols.size()); }
    TFnpCol *at(int index) const { return m_cols.at(index); }
    TFnpCol *add();
    void clear();
    QList<int> widths() const;

Q_SIGNALS:
    void changed();

private:
    QList<TFnpCol *> m_cols;
};
