#include "filelistmenu.h"

#include "base/filelists.h"

#include <QAction>
#include <QMenu>

FileListMenu::FileListMenu(Kind kind, const QString &title, QWidget *parent)
    : QObject(parent)
    , m_menu(new QMenu(title, parent))
{
    m_menu->setObjectName(kind == Kind::Recent ? QStringLiteral("mniReopen")
                                               : QStringLiteral("mniFavorites"));
    fill(kind);
}

FileListMenu::FileListMenu(Kind kind, QMenu *menu)
    : QObject(menu)
    , m_menu(menu)
{
    fill(kind);
}

void FileListMenu::fill(Kind kind)
{
    const bool recent = kind == Kind::Recent;
    for (int number = 1; number <= FileLists::kMaxEntries; ++number) {
        auto *action = new QAction(m_menu);
        action->setObjectName(recent ? FileLists::recentValueName(number)
                                     : FileLists::favoriteValueName(number));
        action->setVisible(false);
        connect(action, &QAction::triggered, this,
                [this, action] { Q_EMIT fileChosen(action->data().toString()); });
        m_items.append(action);
    }
    m_menu->addActions(m_items.mid(0, 4));
    m_separator = m_menu->addSeparator();
    m_separator->setObjectName(recent ? QStringLiteral("mniMRUDiv") : QStringLiteral("mniFavDiv"));
    m_separator->setVisible(false);
    m_menu->addActions(m_items.mid(4));
}

QString FileListMenu::captionFor(const QString &fileName)
{
    QString caption = fileName;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void FileListMenu::show(int number, const QString &fileName)
{
    QAction *action = item(number);
    action->setText(captionFor(fileName));
    action->setData(fileName);
    action->setVisible(true);
}

void FileListMenu::RebuildRecentMenu(const QStringList &recentFiles)
{
    for (int i = 0; i < recentFiles.size() && i < FileLists::kMaxEntries; ++i)
        show(i + 1, recentFiles.at(i));
    m_separator->setVisible(item(5)->isVisible());
}

void FileListMenu::RebuildFavoritesMenu(const QStringList &favoriteFiles)
{
    for (QAction *action : std::as_const(m_items))
        action->setVisible(false);
    for (int i = 0; i < favoriteFiles.size() && i < FileLists::kMaxEntries; ++i) {
        if (!favoriteFiles.at(i).isEmpty())
            show(i + 1, favoriteFiles.at(i));
    }
    m_separator->setVisible(item(5)->isVisible());
}
