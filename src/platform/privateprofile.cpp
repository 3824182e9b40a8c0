#include "privateprofile.h"

#include "app/apperror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace PrivateProfile {

namespace {

QStringList readLines(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line end
    return lines;
}

// The section's name when the line opens one.
std::optional<QString> sectionOf(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return std::nullopt;
}

bool isKeyLine(const QString &line, const QString &key)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    return equals > 0 && trimmed.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

// Index of the key's line in the section, and the index where the section ends.
void locate(const QStringList &lines, const QString &section, const QString &key,
            qsizetype &sectionLine, qsizetype &keyLine, qsizetype &sectionEnd)
{
    sectionLine = keyLine = sectionEnd = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionOf(lines.at(i))) {
            if (sectionLine >= 0) {
                sectionEnd = i;
                return;
            }
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                sectionLine = i;
        } else if (sectionLine >= 0 && keyLine < 0 && isKeyLine(lines.at(i), key)) {
            keyLine = i;
        }
    }
    if (sectionLine >= 0)
        sectionEnd = lines.size();
}

} // namespace

QString readString(const QString &file, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const QStringList lines = readLines(file);
    qsizetype sectionLine, keyLine, sectionEnd;
    locate(lines, section, key, sectionLine, keyLine, sectionEnd);
    if (keyLine < 0)
        return defaultValue;
    const QString &line = lines.at(keyLine);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void writeString(const QString &file, const QString &section, const QString &key,
                 const QString &value)
{
    QStringList lines = readLines(file);
    qsizetype sectionLine, keyLine, sectionEnd;
    locate(lines, section, key, sectionLine, keyLine, sectionEnd);
    const QString entry = key + QLatin1Char('=') + value;
    if (keyLine >= 0) {
        lines[keyLine] = entry;
    } else if (sectionLine >= 0) {
        // After the section's last non-blank line.
        qsizetype at = sectionEnd;
        while (at > sectionLine + 1 && lines.at(at - 1).trimmed().isEmpty())
            --at;
        lines.insert(at, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(entry);
    }
    const QString failure = QStringLiteral("Unable to write to %1").arg(file);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        throw AppError(failure);
    QSaveFile out(file);
    const QByteArray content = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        throw AppError(failure);
}

} // namespace PrivateProfile
