#pragma once

#include <QString>

// Reads and writes one entry of an initialisation file ("[Section]" lines and "key=value"
// lines). Sections and keys match without regard to letter case; every other line, comment
// and the order of the file are kept byte for byte, line ends included. Writing creates the
// file (and its folder) when missing and replaces it atomically, following a symbolic link.
namespace PrivateProfile {

// The entry's value with blanks trimmed, or the default when the file, section or key is missing.
QString readString(const QString &file, const QString &section, const QString &key,
                   const QString &defaultValue);

// Throws AppError("Unable to write to %s") when the file cannot be written, or exists but
// cannot be read (writing would lose what it holds).
void writeString(const QString &file, const QString &section, const QString &key,
                 const QString &value);

} // namespace PrivateProfile
