#pragma once

#include <QObject>

class FileListMenu;
class FileLists;
class FrameActions;

// The frame's Reopen and Favorite Files submenus, rebuilt from the file lists before they show.
class FrameFileMenus : public QObject
{
    Q_OBJECT

public:
    FrameFileMenus(const FrameActions &actions, QObject *parent);

    void rebuild(const FileLists &lists);
    void rebuildRecent(const FileLists &lists);

Q_SIGNALS:
    void recentChosen(const QString &name);
    void favoriteChosen(const QString &name);

private:
    FileListMenu *m_recent;
    FileListMenu *m_favorites;
};
