#include "filelistsstorage.h"

#include "base/filelists.h"
#include "settingsstore.h"

void FileListsStorage::LoadFileLists(FileLists &lists, const SettingsStore &store)
{
    const int most = FileLists::kMaxEntries;
    QStringList recent;
    for (int n = 1; n <= most && store.valueExists(recentKey(), FileLists::recentValueName(n));
         ++n) {
        const QString name = FileLists::recentValueName(n);
        if (const std::optional<QString> file = store.stringValue(recentKey(), name)) {
            recent.append(*file);
            m_baseline.note(recentKey(), name, *file);
        }
    }
    lists.setRecentFiles(recent);
    m_keptRecent = lists.recentFiles();
    QStringList favorites;
    for (int n = 1; n <= most && store.valueExists(favoritesKey(), FileLists::favoriteValueName(n));
         ++n)
        favorites.append(store.stringValue(favoritesKey(), FileLists::favoriteValueName(n))
                                 .value_or(QString()));
    lists.setFavoriteFiles(favorites);
    // A position not read counts as free: saved free, it is only filled in where it is missing.
    for (int n = 1; n <= most; ++n)
        m_baseline.note(favoritesKey(), FileLists::favoriteValueName(n), favorites.value(n - 1));
}

void FileListsStorage::SaveFileLists(const FileLists &lists, SettingsStore &store)
{
    const QStringList &recent = lists.recentFiles();
    store.openKey(recentKey(), true);
    if (recent != m_keptRecent) {
        for (int i = 0; i < recent.size() && i < FileLists::kMaxEntries; ++i)
            m_baseline.write(store, recentKey(), FileLists::recentValueName(i + 1), recent.at(i));
        m_keptRecent = recent;
    }
    store.openKey(favoritesKey(), true);
    for (int i = 0; i < FileLists::kMaxEntries; ++i)
        m_baseline.write(store, favoritesKey(), FileLists::favoriteValueName(i + 1),
                         lists.favoriteFiles().value(i));
}

QString FileListsStorage::recentKey()
{
    return QStringLiteral("Software\\Orvanel\\Leafstack\\MRUS");
}

QString FileListsStorage::favoritesKey()
{
    return QStringLiteral("Software\\Orvanel\\Leafstack\\Favorites");
}
