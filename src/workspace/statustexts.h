#pragma once

#include "controls/textformat.h"

#include <QString>

// The texts of a Workspace's status panels.
namespace StatusTexts {

// "line:column", both counted from 1.
QString caret(qsizetype line, qsizetype column);
// The size with the pattern "#,###,##0 bytes".
QString size(qint64 bytes);
// "Modified" or nothing.
QString modified(bool modified);
// The encoding with its byte order mark and the kind of line ends: "UTF-8 BOM, CRLF".
QString encoding(const TextFormat &format, bool mixedLineEnds);
QString encodingName(TextEncoding encoding);

} // namespace StatusTexts
