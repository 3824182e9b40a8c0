#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

// The "Reopen" or "Favorite Files" submenu: eight hidden items with a separator after the
// fourth. An item shows the file name (an "&" in it shows as itself) and opens that name.
class FileListMenu : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Recent, Favorites };

    FileListMenu(Kind kind, const QString &title, QWidget *parent);
    // Fills a menu that already exists, such as one a command table made.
    FileListMenu(Kind kind, QMenu *menu);

    QMenu *menu() const { return m_menu; }
    // Items 1 to 8, named mniMRU1.. or mniFav01..; the separator is mniMRUDiv or mniFavDiv.
    QAction *item(int number) const { return m_items.at(number - 1); }
    QAction *separator() const { return m_separator; }

    // Shows the first entries; items past the list are left as they are (the list only grows).
    void RebuildRecentMenu(const QStringList &recentFiles);
    // Shows exactly the non-empty positions.
    void RebuildFavoritesMenu(const QStringList &favoriteFiles);

    static QString captionFor(const QString &fileName);

Q_SIGNALS:
    void fileChosen(const QString &fileName);

private:
    void fill(Kind kind);
    void show(int number, const QString &fileName);

    QMenu *m_menu;
    QList<QAction *> m_items;
    QAction *m_separator = nullptr;
};
