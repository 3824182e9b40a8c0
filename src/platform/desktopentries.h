#pragma once

#include <QString>
#include <QStringList>

// The freedesktop.org places and files that tell the desktop which program opens what: the
// user's configuration folder (home of mimeapps.list) and the desktop entries, found by their
// id in the user's data folder first and then in the system's.
namespace DesktopEntries {

// $XDG_CONFIG_HOME, or ~/.config.
QString configHome();
// Where the user's own desktop entries go: $XDG_DATA_HOME/applications.
QString userEntriesFolder();
// The desktop entry file with this id ("leafstack.desktop") that the desktop would use, or an
// empty text when there is none.
QString find(const QString &id);
// The same among the system's entries only, as installed with a package.
QString findInstalled(const QString &id);
// The entry of that id in the first of the data folders that has one.
QString findIn(const QStringList &dataFolders, const QString &id);

// The program the entry's Exec line starts, looked up on PATH when it names no folder; empty
// when the entry has none or it cannot be found.
QString programOf(const QString &entryFile);
// The first word of an Exec value with the format's escapes and quoting undone.
QString execProgram(const QString &execValue);
// An Exec value that starts program with the one file it is given (the program takes all its
// arguments as one name).
QString execValueFor(const QString &program);

} // namespace DesktopEntries
