#include "favoriterows.h"

int FavoriteRows::sortedPosition(const QStringList &rows, const QString &row)
{
    int position = 0;
    while (position < rows.size()
           && QString::compare(rows[position], row, Qt::CaseInsensitive) <= 0)
        ++position;
    return position;
}

QStringList FavoriteRows::fromFavorites(const QStringList &favorites)
{
    QStringList rows;
    for (const QString &favorite : favorites) {
        if (!favorite.isEmpty())
            rows.insert(sortedPosition(rows, favorite), favorite);
    }
    return rows;
}

bool FavoriteRows::add(QStringList &rows, const QString &row)
{
    if (rows.size() >= kMaxRows)
        return false;
    rows.insert(sortedPosition(rows, row), row);
    return true;
}

QStringList FavoriteRows::toFavorites(const QStringList &rows)
{
    QStringList favorites;
    for (const QString &row : rows) {
        if (!row.isEmpty())
            favorites.append(row);
    }
    return favorites;
}
