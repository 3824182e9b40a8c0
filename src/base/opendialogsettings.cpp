#include "opendialogsettings.h"

OpenDialogSettings::OpenDialogSettings(const QString &filter, QObject *parent)
    : QObject(parent)
    , m_filter(filter)
{
    setObjectName(QStringLiteral("dlgOpenFile"));
}
