#pragma once

#include <QProcessEnvironment>
#include <QString>

// Tells, before the toolkit starts, whether there is a display to start on: Qt's X11 and
// Wayland back-ends abort the process when there is none.
namespace DisplayCheck {

// Empty when the program can start; otherwise one line saying what is missing and what to do.
QString problem(int argc, char **argv,
                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

} // namespace DisplayCheck
