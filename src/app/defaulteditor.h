#pragma once

#include <QList>
#include <QString>

#include <optional>

// The "Default Windows Notepad" option on a Linux desktop: the user's default-application list
// (mimeapps.list) names this program's desktop entry as the editor for plain text. The option
// is in force when the desktop would pick our entry, that is when the first id of the list's
// entry that is an installed desktop entry is exactly ours (ids are case-sensitive), and that
// entry starts this very program, so a program moved away reads as not in force.
class DefaultEditor
{
public:
    // A system editor's executable and the name it is kept under while we stand in for it.
    struct SystemEditor
    {
        QString executable;
        QString setAside;
    };

    struct Setup
    {
        QString profile; // the initialisation file holding the entry
        QString section;
        QString key;
        QString replacement; // the entry's value while we stand in: our desktop entry id
        QString program;     // this program's executable
        QString userEntries; // where a desktop entry of the user's own may be written
        // The desktop has no system editor executables to move; other setups may.
        QList<SystemEditor> systemEditors;
    };

    // The user's own mimeapps.list and desktop entries, for the given executable.
    static Setup forThisDesktop(const QString &program);

    explicit DefaultEditor(Setup setup);
    const Setup &setup() const { return m_setup; }

    // Read afresh from the files each time.
    bool isInForce() const;
    // Sets the system editors aside, makes sure our desktop entry starts this program and
    // names it in the list. Returns the entry's value it replaced, or nothing when that value
    // already named us. Throws AppError("Unable to write to %s") when the list or our desktop
    // entry cannot be written; what was done before stays done.
    std::optional<QString> install() const;
    // Brings the system editors back, gives the entry the value it had before install() (the
    // entry itself stays), and takes away the desktop entry install() wrote.
    void remove(const QString &previousValue = QString()) const;

    // The first id of a list value ("a.desktop;b.desktop;") that names an installed entry.
    static QString firstInstalledId(const QString &value);
    // The desktop entry of the user's own that install() writes when no installed entry
    // starts this program.
    QString userEntryFile() const;

private:
    bool entryStartsThisProgram() const;
    bool userEntryIsOurs() const;
    void writeUserEntry() const;
    void moveEditors(bool setAside) const;

    Setup m_setup;
};
