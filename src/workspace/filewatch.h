#pragma once

#include "platform/fileidentity.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

// Watches the file a Workspace holds, so that a change made by another program, or the file
// going, is noticed: the system's notifications (inotify), and a look at the file's identity
// whenever the Workspace asks. Our own saves are no change: the Workspace tells the watch the
// identity its save left.
class FileWatch : public QObject
{
    Q_OBJECT

public:
    explicit FileWatch(QObject *parent = nullptr);

    // The file at path is as identity says, read or written by us just now.
    void watch(const QString &path, const FileIdentity &identity);
    void stop();
    QString path() const { return m_path; }
    const FileIdentity &known() const { return m_known; }
    bool watching() const { return !m_path.isEmpty(); }

    // The file as it is on disk now, and whether that differs from what we know.
    FileIdentity current() const { return FileIdentity::of(m_path); }
    bool changed() const { return watching() && !(current() == m_known); }
    // How long notifications must rest before touched(); 150 ms unless tests say otherwise.
    void setSettleDelay(int milliseconds);

signals:
    // The file may have changed: the notifications have settled for a moment.
    void touched();

private:
    void rewatch();

    QFileSystemWatcher *m_watcher;
    QTimer *m_settle;
    QString m_path;
    FileIdentity m_known;
};
