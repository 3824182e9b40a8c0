#pragma once

#include "clock.h"

// The machine's local clock.
class SystemClock : public Clock
{
public:
    QDateTime localNow() const override;

    static const SystemClock &instance();
};
