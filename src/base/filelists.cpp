#include "filelists.h"

void FileLists::setRecentFiles(const QStringList &recent)
{
    m_recent = recent.mid(0, kMaxEntries);
}

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

QString FileLists::recentValueName(int number)
{
    return QStringLiteral("mniMRU%1").arg(number);
}

QString FileLists::favoriteValueName(int number)
{
    return QStringLiteral("mniFav0%1").arg(number);
}
