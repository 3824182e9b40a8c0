#include "recoveryjournal.h"

#include "controls/textdocument.h"
#include "recoveryfolder.h"
#include "recoveryrecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

RecoveryJournal::RecoveryJournal(const QString &folder, TextDocument *document, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_document(document)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &RecoveryJournal::flush);
    connect(document, &TextDocument::replaced, this, &RecoveryJournal::replaced);
    connect(document, &TextDocument::modificationChanged, this, [this](bool modified) {
        // Unmodified, the text is as on disk again: nothing to recover.
        if (!modified) {
            discard();
            m_baseMatches = true;
        }
    });
    connect(document, &TextDocument::formatChanged, this, [this]() {
        if (active())
            append(RecoveryRecord::format(m_document->format()));
    });
    connect(document, &TextDocument::documentReset, this, &RecoveryJournal::discard);
}

RecoveryJournal::~RecoveryJournal()
{
    flush();
}

void RecoveryJournal::setBase(const Base &base)
{
    discard();
    m_base = base;
    m_baseMatches = true;
}

void RecoveryJournal::setNoBase()
{
    discard();
    m_baseMatches = false;
}

void RecoveryJournal::setDelay(int milliseconds)
{
    m_timer->setInterval(milliseconds);
}

void RecoveryJournal::replaced(const std::vector<TextStorage::Replacement> &replacements)
{
    if (!active()) {
        const bool fromBase = m_baseMatches;
        start();
        if (!active())
            return;
        if (!fromBase) {
            // Which text this edit came from is known nowhere on disk: keep the whole text.
            const TextStorage &storage = m_document->storage();
            const TextPiece whole = storage.piece(0, storage.length());
            append(RecoveryRecord::edits({{0, 0, &whole}}));
            return;
        }
    }
    append(RecoveryRecord::edits(replacements));
}

void RecoveryJournal::keepNow()
{
    setNoBase();
    start();
    if (!active())
        return;
    const TextStorage &storage = m_document->storage();
    const TextPiece whole = storage.piece(0, storage.length());
    append(RecoveryRecord::edits({{0, 0, &whole}}));
    flush();
}

QByteArray RecoveryJournal::header() const
{
    const TextFormat &format = m_document->format();
    QJsonObject fields;
    fields[QStringLiteral("path")] = m_base.path;
    fields[QStringLiteral("title")] = m_title;
    fields[QStringLiteral("base")] = !m_baseMatches ? QStringLiteral("none")
            : m_base.path.isEmpty()                 ? QStringLiteral("empty")
                                                    : QStringLiteral("file");
    fields[QStringLiteral("device")] = QString::number(m_base.identity.device);
    fields[QStringLiteral("inode")] = QString::number(m_base.identity.inode);
    fields[QStringLiteral("size")] = QString::number(m_base.identity.size);
    fields[QStringLiteral("modified")] = QString::number(m_base.identity.modified);
    fields[QStringLiteral("encoding")] = int(format.encoding);
    fields[QStringLiteral("bom")] = format.bom;
    fields[QStringLiteral("lineEnd")] = int(format.lineEnd);
    fields[QStringLiteral("pid")] = qint64(QCoreApplication::applicationPid());
    return RecoveryRecord::kMagic + QJsonDocument(fields).toJson(QJsonDocument::Compact) + '\n';
}

void RecoveryJournal::start()
{
    // Without a folder to keep it in, editing goes on all the same: recovery is a safety net.
    if (!RecoveryFolder::make(m_folder))
        return;
    m_path = m_folder + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces)
            + QStringLiteral(".journal");
    UnixFile file(::open(QFile::encodeName(m_path).constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!file.isOpen() || ::flock(file.fd(), LOCK_EX | LOCK_NB) != 0) {
        m_path.clear();
        return;
    }
    m_file = std::move(file);
    // The header at once: a journal is never an empty file of unknown origin.
    try {
        m_file.writeAll(header());
    } catch (...) {
        discard();
    }
}

void RecoveryJournal::append(QByteArray payload)
{
    m_pending += RecoveryRecord::framed(payload);
    if (!m_timer->isActive())
        m_timer->start();
}

void RecoveryJournal::flush()
{
    m_timer->stop();
    if (!active() || m_pending.isEmpty())
        return;
    try {
        m_file.writeAll(m_pending, ::lseek(m_file.fd(), 0, SEEK_END));
        (void)::fdatasync(m_file.fd());
    } catch (...) {
        // A full disk must not stop the editing; the next flush tries again.
        return;
    }
    m_pending.clear();
}

void RecoveryJournal::discard()
{
    m_timer->stop();
    m_pending.clear();
    if (!active())
        return;
    ::unlink(QFile::encodeName(m_path).constData());
    m_file = UnixFile();
    m_path.clear();
}
