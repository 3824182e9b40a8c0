#pragma once

#include "settings/settingsbaseline.h"

#include <QStringList>

class SettingsStore;

// The two application-wide lists of file names: the recently opened files (newest first, at
// most eight) and up to eight favourite positions (an empty text is a free position).
// Names keep their case: on Linux "A.txt" and "a.txt" are two files.
class FileLists
{
public:
    static constexpr int kMaxEntries = 8;

    const QStringList &recentFiles() const { return m_recent; }
    const QStringList &favoriteFiles() const { return m_favorites; }
    void setFavoriteFiles(const QStringList &favorites);

    // Puts the name at the top; a name already listed moves there.
    void AddRecentFile(const QString &name);

    // Reads "MRUS" and "Favorites", each up to the first missing number. A value that is not
    // a string is left out (the store notes it): a favourite position stays free, a recent
    // entry is skipped.
    void LoadFileLists(const SettingsStore &store);
    // Writes what has changed since the lists were loaded or last saved: the recent entries
    // when that list has changed, and the favourite positions that have. A position the store
    // lacks is written empty.
    void SaveFileLists(SettingsStore &store);

    static QString recentKey();
    static QString favoritesKey();
    static QString recentValueName(int number);   // "mniMRU1".."mniMRU8"
    static QString favoriteValueName(int number); // "mniFav01".."mniFav08"

private:
    QStringList m_recent;
    QStringList m_favorites;
    QStringList m_keptRecent; // the recent list as loaded or last saved
    SettingsBaseline m_baseline;
};
