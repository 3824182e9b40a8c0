#include "privateprofile.h"

#include "atomicfilewriter.h"
#include "base/apperror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <optional>

namespace PrivateProfile {

namespace {

// The file's lines as stored, each without its "\n" but with any "\r" before it, so every line
// we do not change goes back byte for byte whatever its encoding.
struct Lines
{
    QList<QByteArray> lines;
    bool crlf = false;
};

// Throws when the file exists but cannot be read: writing then would lose its content.
Lines readLines(const QString &file, const QString &failure)
{
    Lines result;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (!failure.isEmpty() && QFileInfo::exists(file))
            throw AppError(failure);
        return result;
    }
    const QByteArray content = in.readAll();
    result.lines = content.split('\n');
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast(); // the final line end
    result.crlf = !result.lines.isEmpty() && result.lines.constFirst().endsWith('\r');
    return result;
}

QString textOf(const QByteArray &line)
{
    return QString::fromUtf8(line).trimmed();
}

// The section's name when the line opens one.
std::optional<QString> sectionOf(const QByteArray &line)
{
    const QString trimmed = textOf(line);
    if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return std::nullopt;
}

bool isKeyLine(const QByteArray &line, const QString &key)
{
    const QString trimmed = textOf(line);
    if (trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    return equals > 0 && trimmed.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

struct Place
{
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype sectionEnd = -1;
};

// Where the key's line stands in the first section of that name, and where the section ends.
Place locate(const QList<QByteArray> &lines, const QString &section, const QString &key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionOf(lines.at(i))) {
            if (place.sectionLine >= 0) {
                place.sectionEnd = i;
                return place;
            }
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                place.sectionLine = i;
        } else if (place.sectionLine >= 0 && place.keyLine < 0 && isKeyLine(lines.at(i), key)) {
            place.keyLine = i;
        }
    }
    if (place.sectionLine >= 0)
        place.sectionEnd = lines.size();
    return place;
}

void insertEntry(Lines &file, const Place &place, const QString &section, const QByteArray &entry)
{
    const QByteArray end = file.crlf ? QByteArray("\r") : QByteArray();
    auto &lines = file.lines;
    if (place.keyLine >= 0) {
        lines[place.keyLine] = entry + end;
    } else if (place.sectionLine >= 0) {
        // After the section's last non-blank line.
        qsizetype at = place.sectionEnd;
        while (at > place.sectionLine + 1 && lines.at(at - 1).trimmed().isEmpty())
            --at;
        lines.insert(at, entry + end);
    } else {
        if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
            lines.append(end);
        lines.append('[' + section.toUtf8() + ']' + end);
        lines.append(entry + end);
    }
}

} // namespace

QString readString(const QString &file, const QString &section, const QString &key,
                   const QString &defaultValue)
{
    const QList<QByteArray> lines = readLines(file, QString()).lines;
    const Place place = locate(lines, section, key);
    if (place.keyLine < 0)
        return defaultValue;
    const QString line = QString::fromUtf8(lines.at(place.keyLine));
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

void writeString(const QString &file, const QString &section, const QString &key,
                 const QString &value)
{
    const QString failure = QStringLiteral("Unable to write to %1").arg(file);
    Lines content = readLines(file, failure);
    insertEntry(content, locate(content.lines, section, key), section,
                (key + QLatin1Char('=') + value).toUtf8());
    QByteArray bytes = content.lines.join('\n');
    bytes.append('\n');
    try {
        if (!QDir().mkpath(QFileInfo(file).absolutePath()))
            throw AppError(failure);
        AtomicFileWriter::write(file, bytes);
    } catch (const AppError &) {
        throw AppError(failure);
    }
}

} // namespace PrivateProfile
