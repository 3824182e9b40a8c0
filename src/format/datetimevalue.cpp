#include "datetimevalue.h"

#include <cmath>

namespace DateTimeCodec {

namespace {

constexpr qint64 kMsPerDay = 86'400'000;
// Days from 1970-01-01 back to 1899-12-30.
constexpr qint64 kEpochOffset = 25'569;
// 0001-01-01 and 9999-12-31 as date-time values.
constexpr double kFirstDay = -693'593.0;
constexpr double kLastDayEnd = 2'958'466.0;

// Days since 1970-01-01 for a civil date (Howard Hinnant's algorithm).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

void civilFromDays(qint64 z, int &year, int &month, int &day)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<qint64>(yoe) + era * 400 + (month <= 2));
}

} // namespace

qint64 encodeDate(int year, int month, int day)
{
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))
            + kEpochOffset;
}

double encodeTime(int hour, int minute, int second, int millisecond)
{
    const qint64 ms = ((hour * 60LL + minute) * 60LL + second) * 1000LL + millisecond;
    return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

DateTimeValue encode(const DateTimeParts &parts)
{
    return static_cast<double>(encodeDate(parts.year, parts.month, parts.day))
            + encodeTime(parts.hour, parts.minute, parts.second, parts.millisecond);
}

bool decode(DateTimeValue value, DateTimeParts &parts)
{
    if (!std::isfinite(value) || value < kFirstDay || value >= kLastDayEnd)
        return false;
    // nearbyint honours the default rounding mode: to nearest, ties to even.
    const auto total = static_cast<qint64>(std::nearbyint(value * static_cast<double>(kMsPerDay)));
    qint64 days = total / kMsPerDay;
    qint64 ms = total % kMsPerDay;
    if (ms < 0) {
        ms += kMsPerDay;
        --days;
    }
    if (days >= static_cast<qint64>(kLastDayEnd))
        return false; // rounded up past the last day
    civilFromDays(days - kEpochOffset, parts.year, parts.month, parts.day);
    parts.millisecond = static_cast<int>(ms % 1000);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.minute = static_cast<int>(ms / 60'000 % 60);
    parts.hour = static_cast<int>(ms / 3'600'000);
    // 1899-12-30 was a Saturday (7).
    const qint64 weekday = ((days + 6) % 7 + 7) % 7; // 0 = Sunday
    parts.dayOfWeek = static_cast<int>(weekday) + 1;
    return true;
}

} // namespace DateTimeCodec
