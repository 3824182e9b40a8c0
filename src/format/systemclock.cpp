#include "systemclock.h"

QDateTime SystemClock::localNow() const
{
    return QDateTime::currentDateTime();
}

const SystemClock &SystemClock::instance()
{
    static const SystemClock clock;
    return clock;
}
