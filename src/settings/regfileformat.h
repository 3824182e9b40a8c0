#pragma once

#include "regtree.h"

#include <QByteArray>

// The registry-export text form of a settings file:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Orvanel\Leafstack\Main Form]
//   "Flags"="0"
//   "Count"=dword:00000002
//   "Blob"=hex:01,02,ff
//
// In quoted names and data, \\ is a backslash, \" a quote, \n \r \t a line feed, carriage
// return and tab, and \xHH any other control character, so every string comes back as written.
namespace RegFileFormat {

// Throws AppError naming the line for text that is not in this form.
RegTree parse(const QByteArray &utf8);

QByteArray serialize(const RegTree &tree);

} // namespace RegFileFormat
