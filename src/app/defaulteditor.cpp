#include "defaulteditor.h"

#include "base/apperror.h"
#include "platform/atomicfilewriter.h"
#include "platform/desktopentries.h"
#include "platform/privateprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

// Marks the desktop entry that install() wrote, so that remove() takes away its own only.
const QString kWrittenKey = QStringLiteral("X-Leafstack-Default-Editor");

bool sameProgram(const QString &a, const QString &b)
{
    const QString resolved = QFileInfo(a).canonicalFilePath();
    return !resolved.isEmpty() && resolved == QFileInfo(b).canonicalFilePath();
}

QString entryValue(const QString &file, const QString &key)
{
    return PrivateProfile::readString(file, QStringLiteral("Desktop Entry"), key, QString());
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

QString DefaultEditor::firstInstalledId(const QString &value)
{
    for (const QString &id : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!DesktopEntries::find(id.trimmed()).isEmpty())
            return id.trimmed();
    }
    return {};
}

QString DefaultEditor::userEntryFile() const
{
    return QDir(m_setup.userEntries).filePath(m_setup.replacement);
}

bool DefaultEditor::isInForce() const
{
    const QString value =
            PrivateProfile::readString(m_setup.profile, m_setup.section, m_setup.key, QString());
    return firstInstalledId(value) == m_setup.replacement && entryStartsThisProgram();
}

bool DefaultEditor::entryStartsThisProgram() const
{
    const QString entry = DesktopEntries::find(m_setup.replacement);
    return !entry.isEmpty() && sameProgram(DesktopEntries::programOf(entry), m_setup.program);
}

// Ours carries the mark; one without it that hides itself under our name was written before
// the mark was.
bool DefaultEditor::userEntryIsOurs() const
{
    const QString file = userEntryFile();
    if (!QFileInfo(file).isFile())
        return false;
    return entryValue(file, kWrittenKey) == QLatin1String("true")
            || (entryValue(file, QStringLiteral("Name")) == QLatin1String("Leafstack")
                && entryValue(file, QStringLiteral("NoDisplay")) == QLatin1String("true"));
}

std::optional<QString> DefaultEditor::install() const
{
    const QString previous =
            PrivateProfile::readString(m_setup.profile, m_setup.section, m_setup.key, QString());
    const bool alreadyOurs = firstInstalledId(previous) == m_setup.replacement;
    moveEditors(true);
    // An entry of the user's own hides the installed one from the menus: write one only when
    // no installed entry starts this program, and take ours away when one does.
    const QString installed = DesktopEntries::findInstalled(m_setup.replacement);
    if (!installed.isEmpty()
        && sameProgram(DesktopEntries::programOf(installed), m_setup.program)) {
        if (userEntryIsOurs())
            QFile::remove(userEntryFile());
    } else if (!entryStartsThisProgram()) {
        writeUserEntry();
    }
    PrivateProfile::writeString(m_setup.profile, m_setup.section, m_setup.key, m_setup.replacement);
    if (alreadyOurs)
        return std::nullopt;
    return previous;
}

void DefaultEditor::remove(const QString &previousValue) const
{
    moveEditors(false);
    PrivateProfile::writeString(m_setup.profile, m_setup.section, m_setup.key, previousValue);
    if (userEntryIsOurs())
        QFile::remove(userEntryFile());
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
    // Ours shadows any other entry of that id, so the desktop starts this program. An entry of
    // that name that the user made is not ours to replace.
    const QString file = userEntryFile();
    if (QFileInfo::exists(file) && !userEntryIsOurs())
        throw AppError(QStringLiteral("Unable to write to %1: a desktop entry of the user's own "
                                      "is there")
                               .arg(file));
    const QString content =
            QStringLiteral("[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=Leafstack\n"
                           "GenericName=Text Editor\n"
                           "Comment=Edit plain text files\n"
                           "Exec=%1\n"
                           "Icon=leafstack\n"
                           "Terminal=false\n"
                           "NoDisplay=true\n"
                           "MimeType=text/plain;\n"
                           "%2=true\n")
                    .arg(DesktopEntries::execValueFor(m_setup.program), kWrittenKey);
    if (!QDir().mkpath(m_setup.userEntries))
        throw AppError(QStringLiteral("Unable to write to %1").arg(file));
    try {
        AtomicFileWriter::write(file, content.toUtf8());
    } catch (const AppError &) {
        throw AppError(QStringLiteral("Unable to write to %1").arg(file));
    }
}
