#include "opendialogsettings.h"

OpenDialogSettings::OpenDialogSettings(const QString &filter, QObject *parent)
    : QObject(parent)
    , m_filter(filter)
{
    setObjectName(QStringLiteral("dlgOpenFile"));
}

void OpenDialogSettings::setInitialDir(const QString &folder)
{
    if (folder == m_initialDir)
        return;
    m_initialDir = folder;
    Q_EMIT initialDirChanged(folder);
}

void OpenDialogSettings::setFilter(const QString &filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    Q_EMIT filterChanged(filter);
}
