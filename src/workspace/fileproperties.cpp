#include "fileproperties.h"

#include "base/apperror.h"
#include "format/dateformatter.h"
#include "format/localnow.h"
#include "platform/filepath.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const QString FileProperties::timePattern =
        QStringLiteral("dddd, mmmm d, yyyy \"at\" h:nn:ss am/pm");

FileProperties FileProperties::read(const Source &source, const Clock &clock,
                                    const FormatSettings &settings)
{
    const DateTimeValue now = LocalNow(clock);
    DateTimeValue fileTime = now;
    if (!source.path.isEmpty()) {
        QFileInfo info(source.path);
        const QDateTime written = info.lastModified();
        if (!info.exists() || !written.isValid())
            throw AppError(QStringLiteral("Invalid argument to date encode"));
        fileTime = ToDateTimeValue(written.toLocalTime());
    }
    FileProperties properties;
    properties.caption = source.name + QStringLiteral(" - Properties");
    properties.fileName = source.name;
    properties.type = QStringLiteral("Text Document");
    properties.location = locationOf(source.pathPanel);
    properties.size = source.size;
    properties.created = FormatDateText(timePattern, fileTime, settings);
    properties.modified = source.modified ? FormatDateText(timePattern, now, settings)
                                          : QStringLiteral("Not Modified");
    properties.accessed = FormatDateText(timePattern, now, settings);
    if (!source.path.isEmpty())
        properties.readAttributes(source.path);
    return properties;
}

// The folder of the path panel's text, without a final "/" unless it is the root.
QString FileProperties::locationOf(const QString &pathPanel)
{
    const qsizetype slash = pathPanel.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    QString folder = pathPanel.left(slash);
    if (folder.trimmed().isEmpty())
        folder += u'/';
    return folder;
}

// A file that cannot be examined shows no attribute at all.
void FileProperties::readAttributes(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(native.constData(), &status) != 0)
        return;
    readOnly = ::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0;
    hidden = FilePath::fileNamePart(path).startsWith(u'.');
    system = !S_ISREG(status.st_mode);
    archive = false;
}
