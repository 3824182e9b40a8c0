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
    for (int n = 1; n <= kMaxEntries && store.valueExists(recentKey(), recentValueName(n)); ++n)
        m_recent.append(store.readString(recentKey(), recentValueName(n), QString()));
    for (int n = 1; n <= kMaxEntries && store.valueExists(favoritesKey(), favoriteValueName(n));
         ++n)
        m_favorites.append(store.readString(favoritesKey(), favoriteValueName(n), QString()));
}

void FileLists::SaveFileLists(SettingsStore &store) const
{
    store.openKey(recentKey(), true);
    for (int i = 0; i < m_recent.size() && i < kMaxEntries; ++i)
        store.writeString(recentKey(), recentValueName(i + 1), m_recent.at(i));
    store.openKey(favoritesKey(), true);
    for (int i = 0; i < kMaxEntries; ++i)
        store.writeString(favoritesKey(), favoriteValueName(i + 1), m_favorites.value(i));
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
