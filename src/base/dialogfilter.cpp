#include "dialogfilter.h"

#include "base/apperror.h"

namespace {

// Characters a file dialog accepts between the parentheses of a name filter; a space would
// split the pattern.
bool passesUnchanged(QChar c)
{
    static const QString others = QStringLiteral("_.,*?;#-@{}/!<>$%&=^~:");
    return (c >= u'0' && c <= u'9') || others.contains(c);
}

} // namespace

void DialogFilter::splitPairs(const QString &filterString, QStringList &descriptions,
                              QStringList &patterns)
{
    descriptions.clear();
    patterns.clear();
    QString rest = filterString;
    while (!rest.isEmpty()) {
        qsizetype bar = rest.indexOf(u'|');
        descriptions.append(bar < 0 ? QString() : rest.left(bar));
        if (bar >= 0)
            rest.remove(0, bar + 1);
        bar = rest.indexOf(u'|');
        if (bar < 0) {
            patterns.append(rest);
            rest.clear();
        } else {
            patterns.append(rest.left(bar));
            rest.remove(0, bar + 1);
        }
    }
}

QString DialogFilter::caseInsensitiveGlob(const QString &pattern)
{
    if (pattern == QStringLiteral("*.*"))
        return QStringLiteral("*"); // every file, with or without an extension
    QString glob;
    for (const QChar c : pattern) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper && lower.unicode() < 128 && upper.unicode() < 128)
            glob += u'[' + QString(lower) + upper + u']';
        else if (c == u'[')
            glob += QStringLiteral("[[]");
        else if (c == u']')
            glob += QStringLiteral("[]]");
        else if (passesUnchanged(c))
            glob += c;
        else
            glob += u'?'; // one character the dialog could not take literally
    }
    return glob;
}

QStringList DialogFilter::toNameFilters(const QString &filterString)
{
    QStringList descriptions;
    QStringList patterns;
    splitPairs(filterString, descriptions, patterns);
    QStringList filters;
    for (qsizetype i = 0; i < descriptions.size(); ++i) {
        QStringList globs;
        for (const QString &pattern : patterns[i].split(u';')) {
            if (!pattern.trimmed().isEmpty())
                globs.append(caseInsensitiveGlob(pattern.trimmed()));
        }
        if (globs.isEmpty())
            globs.append(QStringLiteral("*"));
        const QString name = descriptions[i].isEmpty() ? patterns[i] : descriptions[i];
        filters.append(name + QStringLiteral(" (") + globs.join(u' ') + u')');
    }
    return filters;
}

QString DialogFilter::nameFilterAt(const QStringList &filters, int index)
{
    if (index < 1 || index > filters.size())
        return {};
    return filters.at(index - 1);
}

int DialogFilter::indexFromText(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}
