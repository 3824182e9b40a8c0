#pragma once

#include <string>

// The decimal digits of a finite double's magnitude in their shortest round-trip form, with
// rounding at a decimal place, halves away from zero.
class DecimalDigits
{
public:
    explicit DecimalDigits(double value);

    bool isZero() const { return m_digits.empty(); }
    // Digits before the decimal point (may be zero or negative for values below 1).
    int pointPosition() const { return m_point; }

    // Rounds to `places` digits after the decimal point.
    void roundToDecimals(int places);
    // Rounds to `count` significant digits.
    void roundToSignificant(int count);

    // Integral digits without leading zeros ("" for values below 1).
    std::string integralDigits() const;
    // Exactly `count` digits after the decimal point.
    std::string fractionDigits(int count) const;
    // Exactly `count` leading significant digits, padded with zeros.
    std::string significantDigits(int count) const;

private:
    void roundAt(int keep);

    std::string m_digits; // no leading or trailing zeros; empty for zero
    int m_point = 0;      // the value is 0.DIGITS x 10^m_point
};
