#include "framefilemenus.h"

#include "base/filelists.h"
#include "base/ui/filelistmenu.h"
#include "frameactions.h"

FrameFileMenus::FrameFileMenus(const FrameActions &actions, QObject *parent)
    : QObject(parent)
    , m_recent(new FileListMenu(FileListMenu::Kind::Recent, actions.mniReopen))
    , m_favorites(new FileListMenu(FileListMenu::Kind::Favorites, actions.mniFavFiles))
{
    connect(m_recent, &FileListMenu::fileChosen, this, &FrameFileMenus::recentChosen);
    connect(m_favorites, &FileListMenu::fileChosen, this, &FrameFileMenus::favoriteChosen);
}

void FrameFileMenus::rebuild(const FileLists &lists)
{
    rebuildRecent(lists);
    m_favorites->RebuildFavoritesMenu(lists.favoriteFiles());
}

void FrameFileMenus::rebuildRecent(const FileLists &lists)
{
    m_recent->RebuildRecentMenu(lists.recentFiles());
}
