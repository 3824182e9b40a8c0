#pragma once

#include <QString>

// Where the help file and the read-me are: beside the program when it runs from its build
// folder, in its data folder (share/leafstack) once installed.
namespace ProgramFiles {

// The folder holding the help file, looked for from the program's own folder; the program's
// folder when neither place has it.
QString folder(const QString &programFolder);

} // namespace ProgramFiles
