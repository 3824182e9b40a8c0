#pragma once

#include <QString>

#include <optional>

// Turns the C library's strftime pictures into the program's date-time pattern language,
// e.g. "%d/%m/%Y" into "dd/mm/yyyy", and reads the clock conventions a time picture implies.
namespace StrftimeTranslator {

// The picture in the pattern language; literal letters are quoted so they stay text.
// ampmPicture stands in for %r. Conversions the language has no token for are dropped.
QString toPattern(const QString &picture, const QString &ampmPicture = QString());

// The date part of a date-and-time picture (its time and zone conversions removed, with the
// text that hangs on them), or nothing when no date conversion is left.
std::optional<QString> datePart(const QString &dateTimePicture);

// The first separator character that stands between two conversions, expanded composites
// (%D, %F, %T, %R, %r) included.
std::optional<QString> separator(const QString &picture, const QString &ampmPicture = QString());

// Whether the picture's hour has a leading zero (%H, %I) or not (%k, %l, %-H).
std::optional<bool> hourLeadingZero(const QString &timePicture, const QString &ampmPicture);

// Whether the picture shows a 24-hour clock (%H, %k) rather than a 12-hour one (%I, %l).
std::optional<bool> clock24(const QString &timePicture, const QString &ampmPicture);

} // namespace StrftimeTranslator
