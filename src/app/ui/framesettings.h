#pragma once

#include "base/filelists.h"
#include "base/sharedoptions.h"
#include "settings/filelistsstorage.h"

#include <QObject>
#include <QStringList>

class OpenDialogSettings;
class QMainWindow;
class SettingsStore;
class TFormStorage;
class ValueLabel;

// The frame's values that outlive a run: the Open dialog's folder, filters and chosen filter,
// the date, time and filter labels, the option check marks, the window's placement, and the
// recent and favourite file lists. Without a store (as in most tests)
// nothing is read or written.
class FrameSettings : public QObject
{
    Q_OBJECT

public:
    FrameSettings(QMainWindow *frame, const QString &defaultFilter);

    // Reads the file lists now and the rest when the frame is shown; saves on close.
    void attachStore(SettingsStore *store);
    SettingsStore *store() const { return m_store; }
    // The frame's storage once a store is attached; other parts of the frame link to it.
    TFormStorage *storage() const { return m_storage; }

    OpenDialogSettings *dlgOpenFile() const { return m_openDialog; }
    ValueLabel *lblDate() const { return m_date; }
    ValueLabel *lblTime() const { return m_time; }
    ValueLabel *lblFilter() const { return m_filterLabel; }
    FileLists &fileLists() { return m_lists; }
    // The values above as every Workspace reads them, with the "Automatic Backups" check;
    // kept equal to the stored ones both ways.
    SharedOptions &sharedOptions() { return m_shared; }

    void SaveFileLists();
    // Writes everything the frame stores now, as its close would, without closing it.
    void saveNow();
    // The frame has accepted its close: its stored values and placement are written.
    void formClosed();

    // The "Main Form" entries, in the order they are stored.
    static QStringList storedProps();

private:
    QMainWindow *m_frame;
    OpenDialogSettings *m_openDialog;
    ValueLabel *m_date;
    ValueLabel *m_time;
    ValueLabel *m_filterLabel;
    FileLists m_lists;
    SharedOptions m_shared;
    FileListsStorage m_listsStorage;
    SettingsStore *m_store = nullptr;
    TFormStorage *m_storage = nullptr;
};
