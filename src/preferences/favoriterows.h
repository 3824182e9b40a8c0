#pragma once

#include <QString>
#include <QStringList>

// The rows of the Favorite Files page: kept in ascending order ignoring letter case, at most
// eight added by the user, written back to the favourite list as they stand.
class FavoriteRows
{
public:
    static constexpr int kMaxRows = 8;

    // Where row goes among sorted rows: after every row that does not sort after it.
    static int sortedPosition(const QStringList &rows, const QString &row);
    // The non-empty favourites, sorted.
    static QStringList fromFavorites(const QStringList &favorites);
    // Inserts row in its place; false when the list already holds the limit.
    static bool add(QStringList &rows, const QString &row);
    // The rows as a favourite list: empty rows left out, order kept.
    static QStringList toFavorites(const QStringList &rows);
};
