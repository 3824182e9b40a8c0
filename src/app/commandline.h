#pragma once

#include <QString>
#include <QStringList>

// The program's command line: all arguments make one file name, so that a name with blanks
// that reached the program as several arguments is put back together.
namespace CommandLine {

// The arguments (without the program's own name) joined by single blanks; empty when there
// are none. No blank is added at the end: on Linux it would name another file.
QString joinedFileName(const QStringList &arguments);

// The joined name made absolute against the folder the program was started in; empty when
// there are no arguments.
QString fileToOpen(const QStringList &arguments, const QString &workingDirectory);

} // namespace CommandLine
