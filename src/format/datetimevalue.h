#pragma once

#include <QtGlobal>

// The date-time value: days since 30 December 1899 as a double, the fraction being the time
// of day. Day 0 is 1899-12-30.
using DateTimeValue = double;

// One moment taken apart; dayOfWeek is 1 for Sunday through 7 for Saturday.
struct DateTimeParts
{
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    int dayOfWeek = 7;
};

namespace DateTimeCodec {

// Whole days for a calendar date (proleptic Gregorian); the date must be valid.
qint64 encodeDate(int year, int month, int day);

// The fraction of a day for a time of day.
double encodeTime(int hour, int minute, int second, int millisecond);

DateTimeValue encode(const DateTimeParts &parts);

// Takes a value apart at whole milliseconds (ties to even). Returns false for values outside
// the years 1 to 9999, infinities and NaN, leaving parts untouched.
bool decode(DateTimeValue value, DateTimeParts &parts);

} // namespace DateTimeCodec
