#include "programmessage.h"

namespace ProgramMessage {

QString compose(const QString &message)
{
    return QStringLiteral("Leafstack\r------------------\r") + message;
}

QString toDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace ProgramMessage
