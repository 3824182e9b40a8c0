#include "defaulteditor.h"

#include "apperror.h"
#include "platform/atomicfilewriter.h"
#include "platform/desktopentries.h"
#include "platform/privateprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// A list value names its preferred program first.
QString firstOfList(const QString &value)
{
    const QStringList ids = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return ids.isEmpty() ? QString() : ids.constFirst().trimmed();
}

bool sameProgram(const QString &a, const QString &b)
{
    const QString resolved = QFileInfo(a).canonicalFilePath();
    return !resolved.isEmpty() && resolved == QFileInfo(b).canonicalFilePath();
}

} // namespace

DefaultEditor::Setup DefaultEditor::forThisDesktop(const QString &program)
{
    Setup setup;
    setup.profile = QDir(DesktopEntries::configHome()).filePath(QStringLiteral("mimeapps.list"));
    setup.section = QStringLiteral("Default Applications");
    setup.key = QStringLiteral("text/plain");
    setup.replacement = QStringLiteral("leafstack.desktop");
    setup.program = program;
    setup.userEntries = DesktopEntries::userEntriesFolder();
    return setup;
}

DefaultEditor::DefaultEditor(Setup setup)
    : m_setup(std::move(setup))
{ }

bool DefaultEditor::isInForce() const
{
    const QString value =
            PrivateProfile::readString(m_setup.profile, m_setup.section, m_setup.key, QString());
    return firstOfList(value).compare(m_setup.replacement, Qt::CaseInsensitive) == 0
            && entryStartsThisProgram();
}

bool DefaultEditor::entryStartsThisProgram() const
{
    const QString entry = DesktopEntries::find(m_setup.replacement);
    return !entry.isEmpty() && sameProgram(DesktopEntries::programOf(entry), m_setup.program);
}

void DefaultEditor::install() const
{
    moveEditors(true);
    if (!entryStartsThisProgram())
        writeUserEntry();
    PrivateProfile::writeString(m_setup.profile, m_setup.section, m_setup.key, m_setup.replacement);
}

void DefaultEditor::remove() const
{
    moveEditors(false);
    PrivateProfile::writeString(m_setup.profile, m_setup.section, m_setup.key, QString());
}

void DefaultEditor::moveEditors(bool setAside) const
{
    // A rename that cannot happen (the other name taken, no permission) is left undone.
    for (const SystemEditor &editor : m_setup.systemEditors) {
        const QString &from = setAside ? editor.executable : editor.setAside;
        const QString &to = setAside ? editor.setAside : editor.executable;
        if (QFileInfo::exists(from))
            QFile::rename(from, to);
    }
}

void DefaultEditor::writeUserEntry() const
{
    // Ours shadows any other entry of that id, so the desktop starts this program.
    const QString file = QDir(m_setup.userEntries).filePath(m_setup.replacement);
    const QString content = QStringLiteral("[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=Leafstack\n"
                                           "GenericName=Text Editor\n"
                                           "Comment=Edit plain text files\n"
                                           "Exec=%1\n"
                                           "Icon=leafstack\n"
                                           "Terminal=false\n"
                                           "NoDisplay=true\n"
                                           "MimeType=text/plain;\n")
                                    .arg(DesktopEntries::execValueFor(m_setup.program));
    if (!QDir().mkpath(m_setup.userEntries))
        throw AppError(QStringLiteral("Unable to write to %1").arg(file));
    try {
        AtomicFileWriter::write(file, content.toUtf8());
    } catch (const AppError &) {
        throw AppError(QStringLiteral("Unable to write to %1").arg(file));
    }
}
