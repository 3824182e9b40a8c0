#pragma once

#include "clock.h"
#include "datetimevalue.h"
#include "systemclock.h"

// The current local date and time as a date-time value.
DateTimeValue LocalNow(const Clock &clock = SystemClock::instance());

// A local date and time as a date-time value.
DateTimeValue ToDateTimeValue(const QDateTime &local);
