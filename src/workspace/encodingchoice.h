#pragma once

#include "controls/textformat.h"

#include <QStringList>

// The encodings Save As offers, as the user sees them.
namespace EncodingChoice {

QStringList labels();
// The entry that format is.
int indexOf(const TextFormat &format);
// format saved as entry index; the entry format already is leaves it as it is.
TextFormat chosen(int index, const TextFormat &format);

} // namespace EncodingChoice
