#include "filewatch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

FileWatch::FileWatch(QObject *parent)
    : QObject(parent)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    // Programs write a file in several steps; look once they are done.
    m_settle->setSingleShot(true);
    m_settle->setInterval(150);
    connect(m_settle, &QTimer::timeout, this, [this]() {
        rewatch();
        if (changed())
            emit touched();
    });
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_settle, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
}

void FileWatch::setSettleDelay(int milliseconds)
{
    m_settle->setInterval(milliseconds);
}

void FileWatch::watch(const QString &path, const FileIdentity &identity)
{
    if (path != m_path)
        stop();
    m_path = path;
    m_known = identity;
    rewatch();
}

void FileWatch::stop()
{
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    m_path.clear();
    m_known = {};
}

// A file replaced by a rename is a new inode: the notifications must follow the name. The
// folder is watched too, for a file that goes and comes back.
void FileWatch::rewatch()
{
    if (m_path.isEmpty())
        return;
    if (!m_watcher->files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher->directories().contains(folder))
        m_watcher->addPath(folder);
}
