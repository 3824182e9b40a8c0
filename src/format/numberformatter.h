#pragma once

#include "formatsettings.h"

#include <QString>

// Formats a number by a pattern such as "#,###,##0 bytes": digit places 0 and #, a decimal
// point, thousands grouping, E+/E- scientific form, quoted text, and up to three sections
// (positive;negative;zero). The result is at most 256 characters.
// Throws AppError("Format string too long") for patterns over 224 characters.
QString FormatNumberText(const QString &pattern, double value,
                         const FormatSettings &settings = FormatSettings::current());
