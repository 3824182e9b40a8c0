#include "recoveryfile.h"

#include "base/apperror.h"
#include "controls/textdocument.h"
#include "recoveryrecord.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

std::vector<RecoveryFile> RecoveryFile::leftOver(const QString &folder)
{
    std::vector<RecoveryFile> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
            {QStringLiteral("*.journal")}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    for (const QFileInfo &entry : entries) {
        auto file = std::make_shared<UnixFile>(::open(
                QFile::encodeName(entry.filePath()).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        // A journal locked by a live process is that process's own.
        if (!file->isOpen() || ::flock(file->fd(), LOCK_EX | LOCK_NB) != 0)
            continue;
        // Its process ended before it wrote a thing: nothing in it to keep.
        if (file->status().st_size == 0) {
            ::unlink(QFile::encodeName(entry.filePath()).constData());
            continue;
        }
        RecoveryFile recovery;
        recovery.m_journalPath = entry.filePath();
        recovery.m_file = std::move(file);
        recovery.readHeader();
        files.push_back(std::move(recovery));
    }
    return files;
}

void RecoveryFile::readHeader()
{
    QFile reader(m_journalPath);
    if (!reader.open(QIODevice::ReadOnly)) {
        m_error = reader.errorString();
        return;
    }
    const QByteArray magic = reader.readLine();
    const QJsonDocument json = QJsonDocument::fromJson(reader.readLine());
    if (magic != RecoveryRecord::kMagic || !json.isObject()) {
        m_error = QStringLiteral("It is no recovery file this version of Leafstack can read.");
        return;
    }
    m_recordsAt = reader.pos();
    m_holdsEdits = reader.size() > m_recordsAt;
    const QJsonObject fields = json.object();
    m_path = fields.value(QStringLiteral("path")).toString();
    m_title = fields.value(QStringLiteral("title")).toString();
    const QString base = fields.value(QStringLiteral("base")).toString();
    m_base = base == QStringLiteral("file")   ? Base::File
            : base == QStringLiteral("empty") ? Base::Empty
                                              : Base::None;
    m_identity.exists = m_base == Base::File;
    m_identity.device = fields.value(QStringLiteral("device")).toString().toULongLong();
    m_identity.inode = fields.value(QStringLiteral("inode")).toString().toULongLong();
    m_identity.size = fields.value(QStringLiteral("size")).toString().toLongLong();
    m_identity.modified = fields.value(QStringLiteral("modified")).toString().toLongLong();
    const int encoding = fields.value(QStringLiteral("encoding")).toInt();
    const int lineEnd = fields.value(QStringLiteral("lineEnd")).toInt();
    if (encoding < 0 || encoding > 3 || lineEnd < 0 || lineEnd > 2) {
        m_error = QStringLiteral("Its header is damaged.");
        return;
    }
    m_format = {TextEncoding(encoding), fields.value(QStringLiteral("bom")).toBool(),
                LineEnd(lineEnd)};
}

void RecoveryFile::replayInto(TextDocument &document) const
{
    if (!readable())
        throw AppError(m_error);
    if (m_base == Base::File) {
        if (!(FileIdentity::of(m_path) == m_identity))
            throw AppError(QStringLiteral("%1 has changed since the edits were made, so they "
                                          "cannot be put back on it.")
                                   .arg(m_path));
        DecodedText text = TextFile::load(m_path);
        document.reset(std::move(text.storage), m_format, -1);
    } else {
        document.setPlainText(u"", m_format);
    }
    QFile reader(m_journalPath);
    if (!reader.open(QIODevice::ReadOnly))
        throw AppError(reader.errorString());
    const QByteArray data = reader.readAll();
    qsizetype offset = m_recordsAt;
    // A record cut short by the crash ends the journal; everything before it is whole.
    while (const auto record = RecoveryRecord::next(data, offset)) {
        if (record->format) {
            document.setFormat(*record->format);
            continue;
        }
        document.replaceExactly(record->replacements);
    }
    document.setModified(true);
}

void RecoveryFile::remove()
{
    ::unlink(QFile::encodeName(m_journalPath).constData());
    m_file.reset();
}
