#include "textfile.h"

#include "base/apperror.h"
#include "format/numberformatter.h"
#include "platform/atomicfilewriter.h"
#include "platform/filebackup.h"
#include "platform/filepath.h"
#include "platform/memorybudget.h"
#include "platform/unixfile.h"
#include "textencoder.h"
#include "textsource.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

class FileTextSource : public TextSource
{
public:
    FileTextSource(const UnixFile &file, qint64 size)
        : m_file(file)
        , m_size(size)
    { }
    qsizetype read(char *buffer, qsizetype max) override
    {
        for (;;) {
            const ssize_t n = ::read(m_file.fd(), buffer, size_t(max));
            if (n >= 0)
                return n;
            if (errno != EINTR)
                UnixFile::fail(errno);
        }
    }
    void rewind() override
    {
        if (::lseek(m_file.fd(), 0, SEEK_SET) != 0)
            UnixFile::fail(errno);
    }
    qint64 size() const override { return m_size; }

private:
    const UnixFile &m_file;
    qint64 m_size;
};

QString megabytes(qint64 bytes)
{
    return FormatNumberText(QStringLiteral("#,###,##0"), double((bytes + (1 << 20) - 1) >> 20));
}

[[noreturn]] void refuseSize(qint64 fileSize, qint64 needed, qint64 available)
{
    throw AppError(QStringLiteral("It is %1 bytes long; editing it takes about %2 MB of memory, "
                                  "and only %3 MB are free.")
                           .arg(FormatNumberText(QStringLiteral("#,###,##0"), double(fileSize)),
                                megabytes(needed), megabytes(available)));
}

// The file opened for reading, once it is known to be a regular file that fits in memory.
UnixFile openChecked(const QString &path, struct stat &st, qint64 &available)
{
    // O_NONBLOCK: opening a named pipe must not hang the program before it is refused.
    UnixFile file(::open(QFile::encodeName(path).constData(),
                         O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.isOpen())
        UnixFile::fail(errno);
    st = file.status();
    if (S_ISDIR(st.st_mode))
        throw AppError(QStringLiteral("It is a folder."));
    if (!S_ISREG(st.st_mode))
        throw AppError(QStringLiteral("It is not a regular file."));
    available = MemoryBudget::available();
    const qint64 expected = TextFile::expectedFootprint(st.st_size);
    if (available >= 0 && expected > available)
        refuseSize(st.st_size, expected, available);
    return file;
}

DecodedText readFile(const QString &path, const TextDecoder::Options &options)
{
    struct stat st
    { };
    qint64 available = -1;
    const UnixFile file = openChecked(path, st, available);
    TextDecoder::Options guarded = options;
    guarded.budget = [&](qint64 used) {
        if (options.budget)
            options.budget(used);
        // Lines shorter than expected take more than the estimate: check as the text grows.
        if (available >= 0 && used > available)
            refuseSize(st.st_size, used + used / 4, available);
    };
    FileTextSource source(file, st.st_size);
    return TextDecoder::decode(source, guarded);
}

} // namespace

DecodedText TextFile::load(const QString &path, const TextDecoder::Options &options)
{
    try {
        return readFile(path, options);
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Cannot open file %1\r%2").arg(path, error.message()));
    }
}

void TextFile::check(const QString &path)
{
    try {
        struct stat st
        { };
        qint64 available = -1;
        openChecked(path, st, available);
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Cannot open file %1\r%2").arg(path, error.message()));
    }
}

qint64 TextFile::expectedFootprint(qint64 fileSize)
{
    // A byte a character, and about five bytes for a line of some twenty characters.
    return fileSize + fileSize / 4;
}

QString TextFile::save(const QString &path, const TextStorage &text, const TextFormat &format)
{
    AtomicFileWriter::Result result;
    try {
        result = AtomicFileWriter::write(path, [&](const AtomicFileWriter::Sink &sink) {
            TextEncoder::encode(text, format, sink);
        });
    } catch (const AppError &error) {
        throw AppError(QStringLiteral("Cannot create file %1\r%2").arg(path, error.message()));
    }
    if (result.notKept.isEmpty())
        return QString();
    QString what = result.notKept.join(QStringLiteral(", "));
    if (result.notKept.size() > 1)
        what.replace(what.lastIndexOf(QStringLiteral(", ")), 2, QStringLiteral(" and "));
    return QStringLiteral("%1 was saved, but it could not keep its %2.").arg(path, what);
}

bool TextFile::makeBackup(const QString &path)
{
    return FileBackup::make(path, FilePath::backupName(path));
}

qsizetype TextFile::findUnencodable(const TextStorage &text, TextEncoding encoding)
{
    return TextEncoder::findUnencodable(text, encoding);
}
