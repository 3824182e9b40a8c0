#pragma once

#include <QDateTime>

// Where the current local date and time come from; tests give a fixed moment.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime localNow() const = 0;
};
