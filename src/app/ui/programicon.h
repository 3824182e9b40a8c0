#pragma once

#include <QIcon>

// The program's picture, drawn from its SVG at the sizes windows, menus and the notification
// area ask for.
namespace ProgramIcon {

QIcon icon();

} // namespace ProgramIcon
