#include "framesettings.h"

#include "base/errorhandler.h"
#include "base/opendialogsettings.h"
#include "base/valuelabel.h"
#include "settings/settingsstore.h"
#include "settings/ui/tformstorage.h"

#include <QMainWindow>

FrameSettings::FrameSettings(QMainWindow *frame, const QString &defaultFilter)
    : QObject(frame)
    , m_frame(frame)
    , m_openDialog(new OpenDialogSettings(defaultFilter, frame))
    , m_date(new ValueLabel(QStringLiteral("lblDate"), QStringLiteral("0"), frame))
    , m_time(new ValueLabel(QStringLiteral("lblTime"), QStringLiteral("-1"), frame))
    , m_filterLabel(new ValueLabel(QStringLiteral("lblFilter"), QStringLiteral("1"), frame))
{
    m_shared.follow(m_openDialog, m_filterLabel, m_date, m_time);
}

QStringList FrameSettings::storedProps()
{
    return {QStringLiteral("mniButtonHints.Checked"),
            QStringLiteral("mniMainStatusBar.Checked"),
            QStringLiteral("mniAutomaticBackups.Checked"),
            QStringLiteral("mniStayOnTop.Checked"),
            QStringLiteral("dlgOpenFile.InitialDir"),
            QStringLiteral("lblDate.Caption"),
            QStringLiteral("lblTime.Caption"),
            QStringLiteral("lblFilter.Caption"),
            QStringLiteral("dlgOpenFile.FilterIndex"),
            QStringLiteral("dlgOpenFile.Filter")};
}

void FrameSettings::attachStore(SettingsStore *store)
{
    m_store = store;
    m_storage = new TFormStorage(m_frame, store);
    m_storage->IniSection = QStringLiteral("Main Form");
    m_storage->setStoredProps(storedProps());
    m_listsStorage.LoadFileLists(m_lists, *m_store);
    const QStringList problems = m_store->takeProblems();
    if (!problems.isEmpty())
        ErrorHandler::report(problems.join(QLatin1Char('\r')));
}

void FrameSettings::saveNow()
{
    if (!m_store)
        return;
    ErrorHandler::run([this] { m_storage->SaveSettings(); });
    ErrorHandler::run([this] { SaveFileLists(); });
}

void FrameSettings::formClosed()
{
    if (m_storage)
        m_storage->formClosed();
}

void FrameSettings::SaveFileLists()
{
    if (!m_store)
        return;
    m_listsStorage.SaveFileLists(m_lists, *m_store);
    m_store->flush();
}
