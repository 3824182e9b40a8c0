#include "programfiles.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramFiles {

QString folder(const QString &programFolder)
{
    const QString helpFile = QStringLiteral("leaf95.html");
    const QDir beside(programFolder);
    if (QFileInfo(beside.filePath(helpFile)).isFile())
        return programFolder;
    const QString installed =
            QDir::cleanPath(beside.filePath(QStringLiteral(LEAFSTACK_DATA_FROM_PROGRAM)));
    if (QFileInfo(QDir(installed).filePath(helpFile)).isFile())
        return installed;
    return programFolder;
}

} // namespace ProgramFiles
