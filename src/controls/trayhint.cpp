#include "trayhint.h"

namespace TrayHint {

QString shortHint(const QString &hint)
{
    QString tip = hint.left(hint.indexOf(QLatin1Char('|')));
    if (tip.size() > MaxLength) {
        tip.truncate(MaxLength);
        if (tip.back().isHighSurrogate())
            tip.chop(1);
    }
    return tip;
}

} // namespace TrayHint
