#include "workspacefilemenus.h"

#include "base/filelists.h"
#include "base/ui/filelistmenu.h"
#include "workspace/ui/framecommands.h"

WorkspaceFileMenus::WorkspaceFileMenus(QMenu *reopen, QMenu *favorites, FileLists *lists,
                                       FrameCommands *frame, QObject *parent)
    : QObject(parent)
    , m_recent(new FileListMenu(FileListMenu::Kind::Recent, reopen))
    , m_favorites(new FileListMenu(FileListMenu::Kind::Favorites, favorites))
    , m_lists(lists)
    , m_frame(frame)
{
    connect(m_recent, &FileListMenu::fileChosen, this, &WorkspaceFileMenus::RunMRU);
    connect(m_favorites, &FileListMenu::fileChosen, this, &WorkspaceFileMenus::RunFav);
}

void WorkspaceFileMenus::AddRecentFile(const QString &name)
{
    m_lists->AddRecentFile(name);
    RebuildRecentMenu();
}

void WorkspaceFileMenus::RebuildRecentMenu()
{
    m_recent->RebuildRecentMenu(m_lists->recentFiles());
}

void WorkspaceFileMenus::RebuildFavoritesMenu()
{
    m_favorites->RebuildFavoritesMenu(m_lists->favoriteFiles());
}

void WorkspaceFileMenus::RunMRU(const QString &name)
{
    if (m_frame->openInNewWorkspace(name))
        AddRecentFile(name);
}

void WorkspaceFileMenus::RunFav(const QString &name)
{
    m_frame->openInNewWorkspace(name);
}
