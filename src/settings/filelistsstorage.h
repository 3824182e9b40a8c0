#pragma once

#include "settingsbaseline.h"

#include <QStringList>

class FileLists;
class SettingsStore;

// Keeps the recent and favourite lists in the settings, under "MRUS" and "Favorites", and
// remembers what it last read or wrote so that a save writes only what has changed.
class FileListsStorage
{
public:
    // Reads "MRUS" and "Favorites", each up to the first missing number. A value that is not
    // a string is left out (the store notes it): a favourite position stays free, a recent
    // entry is skipped.
    void LoadFileLists(FileLists &lists, const SettingsStore &store);
    // Writes what has changed since the lists were loaded or last saved: the recent entries
    // when that list has changed, and the favourite positions that have. A position the store
    // lacks is written empty.
    void SaveFileLists(const FileLists &lists, SettingsStore &store);

    static QString recentKey();
    static QString favoritesKey();

private:
    QStringList m_keptRecent; // the recent list as loaded or last saved
    SettingsBaseline m_baseline;
};
