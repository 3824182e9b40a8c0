#include "dialogfilter.h"

#include "app/apperror.h"

QStringList DialogFilter::toNameFilters(const QString &filterString)
{
    const QStringList parts = filterString.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

int DialogFilter::indexFromText(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}
