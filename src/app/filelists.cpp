#include "filelists.h"

#include "settings/settingsstore.h"

void FileLists::setFavoriteFiles(const QStringList &favorites)
{
    m_favorites = favorites.mid(0, kMaxEntries);
}

void FileLists::AddRecentFile(const QString &name)
{
    const qsizetype found = m_recent.indexOf(name);
    if (found >= 0) {
        m_recent.move(found, 0);
        return;
    }
    m_recent.prepend(name);
    while (m_recent.size() > kMaxEntries)
        m_recent.removeLast();
}

void FileLists::LoadFileLists(const SettingsStore &store)
{
    for (int n = 1; n <= kMaxEntries && store.valueExists(recentKey(), recentValueName(n)); ++n) {
        if (const std::optional<QString> name =
                    store.stringValue(recentKey(), recentValueName(n))) {
            m_recent.append(*name);
            m_baseline.note(recentKey(), recentValueName(n), *name);
        }
    }
    m_keptRecent = m_recent;
    for (int n = 1; n <= kMaxEntries && store.valueExists(favoritesKey(), favoriteValueName(n));
         ++n)
        m_favorites.append(
                store.stringValue(favoritesKey(), favoriteValueName(n)).value_or(QString()));
    // A position not read counts as free: saved free, it is only filled in where it is missing.
    for (int n = 1; n <= kMaxEntries; ++n)
        m_baseline.note(favoritesKey(), favoriteValueName(n), m_favorites.value(n - 1));
}

void FileLists::SaveFileLists(SettingsStore &store)
{
    store.openKey(recentKey(), true);
    if (m_recent != m_keptRecent) {
        for (int i = 0; i < m_recent.size() && i < kMaxEntries; ++i)
            m_baseline.write(store, recentKey(), recentValueName(i + 1), m_recent.at(i));
        m_keptRecent = m_recent;
    }
    store.openKey(favoritesKey(), true);
    for (int i = 0; i < kMaxEntries; ++i)
        m_baseline.write(store, favoritesKey(), favoriteValueName(i + 1), m_favorites.value(i));
}

QString FileLists::recentKey()
{
    return QStringLiteral("Software\\Orvanel\\Leafstack\\MRUS");
}

QString FileLists::favoritesKey()
{
    return QStringLiteral("Software\\Orvanel\\Leafstack\\Favorites");
}

QString FileLists::recentValueName(int number)
{
    return QStringLiteral("mniMRU%1").arg(number);
}

QString FileLists::favoriteValueName(int number)
{
    return QStringLiteral("mniFav0%1").arg(number);
}
