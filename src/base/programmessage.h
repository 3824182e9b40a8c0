#pragma once

#include <QString>

// Texts of the message boxes the program raises itself.
namespace ProgramMessage {

// The product name and a rule of 18 dashes, then the message; lines are separated by "\r".
QString compose(const QString &message);

// The same text with each "\r" (or "\r\n") turned into a line break for display.
QString toDisplay(const QString &text);

} // namespace ProgramMessage
