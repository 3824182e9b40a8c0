#pragma once

#include "datetimevalue.h"
#include "formatsettings.h"

#include <QString>

// Formats a date-time value by a pattern such as "mmm d, yyyy" or "h:nn am/pm". The result is
// at most 256 characters; anything beyond is dropped. An empty pattern means "c". A value
// outside the years 1 to 9999 gives empty text.
QString FormatDateText(const QString &pattern, DateTimeValue value,
                       const FormatSettings &settings = FormatSettings::current());
