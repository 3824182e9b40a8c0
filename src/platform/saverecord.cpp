#include "saverecord.h"

#include "statefolder.h"

#include <QFile>
#include <QList>

#include <cstring>
#include <dirent.h>

namespace {

const QByteArray kHeader = QByteArrayLiteral("Leafstack writes a file in place");
const QByteArray kEnd = QByteArrayLiteral("end");

QByteArray field(const QByteArray &line, const char *name)
{
    const QByteArray key = QByteArray(name) + '=';
    return line.startsWith(key) ? QByteArray::fromPercentEncoding(line.mid(key.size()))
                                : QByteArray();
}

} // namespace

QByteArray SaveRecord::folder()
{
    return QFile::encodeName(StateFolder::path() + QLatin1Char('/') + QLatin1String(folderName));
}

QByteArray SaveRecord::toBytes() const
{
    // Percent-encoded: a path may hold any byte but NUL, line breaks too.
    return kHeader + "\ntarget=" + target.toPercentEncoding("/")
            + "\ncopy=" + copy.toPercentEncoding("/") + '\n' + kEnd + '\n';
}

std::optional<SaveRecord> SaveRecord::fromBytes(const QByteArray &bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() != 5 || lines[0] != kHeader || lines[3] != kEnd || !lines[4].isEmpty())
        return std::nullopt;
    SaveRecord record{field(lines[1], "target"), field(lines[2], "copy")};
    if (!record.target.startsWith('/') || !record.copy.startsWith('/'))
        return std::nullopt;
    return record;
}

bool SaveRecord::namesCopy(const QByteArray &copyPath)
{
    const QByteArray notes = folder();
    DIR *dir = ::opendir(notes.constData());
    if (!dir)
        return false;
    bool named = false;
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, notePrefix, std::strlen(notePrefix)) != 0)
            continue;
        QFile note(QFile::decodeName(notes + '/' + entry->d_name));
        // A note we cannot read may name it: then it stays.
        const bool unreadable = !note.open(QIODevice::ReadOnly);
        const std::optional<SaveRecord> record =
                unreadable ? std::nullopt : fromBytes(note.read(64 * 1024));
        if (unreadable || (record && record->copy == copyPath)) {
            named = true;
            break;
        }
    }
    ::closedir(dir);
    return named;
}
