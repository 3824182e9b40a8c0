#include "localnow.h"

DateTimeValue ToDateTimeValue(const QDateTime &local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    return static_cast<double>(DateTimeCodec::encodeDate(date.year(), date.month(), date.day()))
            + DateTimeCodec::encodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

DateTimeValue LocalNow(const Clock &clock)
{
    // Date and time come from one reading, so a call at midnight cannot pair yesterday's date
    // with today's time.
    return ToDateTimeValue(clock.localNow());
}
