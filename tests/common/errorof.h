#pragma once

#include "base/apperror.h"

#include <QString>

#include <functional>

// The text of the AppError action throws, or nothing when it throws none: what the user would
// be shown.
inline QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &error) {
        return error.message();
    }
    return QString();
}
