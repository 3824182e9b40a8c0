#pragma once

#include "regtree.h"

#include <QByteArray>
#include <QStringList>

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

// Reads every line it can. A line that is not in this form is left out and described in
// problems ("line 12: unclosed quote"); so are the values below a key line that is not.
RegTree parse(const QByteArray &utf8, QStringList *problems = nullptr);

QByteArray serialize(const RegTree &tree);

} // namespace RegFileFormat
