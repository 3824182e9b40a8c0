#pragma once

#include <QObject>

class FileListMenu;
class FileLists;
class FrameCommands;
class QMenu;

// A Workspace's own Reopen and Favorite Files submenus over the shared lists. Its Reopen
// submenu follows the list when shown and after its own additions only.
class WorkspaceFileMenus : public QObject
{
    Q_OBJECT

public:
    WorkspaceFileMenus(QMenu *reopen, QMenu *favorites, FileLists *lists, FrameCommands *frame,
                       QObject *parent);

    void AddRecentFile(const QString &name);
    void RebuildRecentMenu();
    void RebuildFavoritesMenu();
    // Each opens the file in a new Workspace; a recent one that opened moves to the top.
    void RunMRU(const QString &name);
    void RunFav(const QString &name);

private:
    FileListMenu *m_recent;
    FileListMenu *m_favorites;
    FileLists *m_lists;
    FrameCommands *m_frame;
};
