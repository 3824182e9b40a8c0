#include "workspacefile.h"

#include "controls/textdocument.h"
#include "platform/filepath.h"
#include "workspace/statustexts.h"

const QString WorkspaceFile::untitledName = QStringLiteral("untitled.txt");

WorkspaceFile::WorkspaceFile(QObject *parent)
    : QObject(parent)
{ }

QString WorkspaceFile::caption() const
{
    return m_untitled ? untitledName : FilePath::fileNamePart(m_path);
}

QString WorkspaceFile::pathText() const
{
    if (!m_untitled)
        return m_path;
    QString folder = m_untitledFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return u' ' + folder + untitledName;
}

void WorkspaceFile::setUntitled(const QString &folder)
{
    m_untitled = true;
    m_path.clear();
    m_untitledFolder = folder;
    Q_EMIT nameChanged();
}

void WorkspaceFile::setPath(const QString &path)
{
    m_untitled = false;
    m_path = path;
    Q_EMIT nameChanged();
}

FileProperties::Source WorkspaceFile::propertiesSource(const TextDocument &document) const
{
    return {caption(), pathText(), path(), StatusTexts::size(document.byteSize()),
            document.isModified()};
}
