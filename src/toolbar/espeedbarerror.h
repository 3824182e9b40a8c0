#pragma once

#include "base/apperror.h"

// A tool bar refused a value: an alignment a self-placing bar cannot take, or a section caption
// that the bar already has.
class ESpeedbarError : public AppError
{
public:
    using AppError::AppError;
};
