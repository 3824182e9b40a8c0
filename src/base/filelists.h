#pragma once

#include <QStringList>

// The two application-wide lists of file names: the recently opened files (newest first, at
// most eight) and up to eight favourite positions (an empty text is a free position).
// Names keep their case: on Linux "A.txt" and "a.txt" are two files.
class FileLists
{
public:
    static constexpr int kMaxEntries = 8;

    const QStringList &recentFiles() const { return m_recent; }
    const QStringList &favoriteFiles() const { return m_favorites; }
    // Both keep the first eight entries.
    void setRecentFiles(const QStringList &recent);
    void setFavoriteFiles(const QStringList &favorites);

    // Puts the name at the top; a name already listed moves there.
    void AddRecentFile(const QString &name);

    // The names of the entries, in their menus and in the settings.
    static QString recentValueName(int number);   // "mniMRU1".."mniMRU8"
    static QString favoriteValueName(int number); // "mniFav01".."mniFav08"

private:
    QStringList m_recent;
    QStringList m_favorites;
};
