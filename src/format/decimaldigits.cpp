#include "decimaldigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

DecimalDigits::DecimalDigits(double value)
{
    value = std::fabs(value);
    if (value == 0.0 || !std::isfinite(value))
        return;
    char buffer[64];
    const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            m_digits += text[i];
    }
    m_point = std::atoi(text.c_str() + e + 1) + 1;
    while (!m_digits.empty() && m_digits.back() == '0')
        m_digits.pop_back();
}

void DecimalDigits::roundAt(int keep)
{
    if (keep >= static_cast<int>(m_digits.size()))
        return;
    if (keep < 0) {
        m_digits.clear();
        return;
    }
    const bool up = m_digits[static_cast<std::size_t>(keep)] >= '5';
    m_digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && m_digits[static_cast<std::size_t>(i)] == '9') {
            m_digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++m_digits[static_cast<std::size_t>(i)];
        } else {
            m_digits.insert(m_digits.begin(), '1');
            ++m_point;
        }
    }
    while (!m_digits.empty() && m_digits.back() == '0')
        m_digits.pop_back();
}

void DecimalDigits::roundToDecimals(int places)
{
    roundAt(m_point + places);
}

void DecimalDigits::roundToSignificant(int count)
{
    roundAt(count);
}

std::string DecimalDigits::integralDigits() const
{
    if (m_point <= 0 || m_digits.empty())
        return {};
    std::string out = m_digits.substr(0, static_cast<std::size_t>(m_point));
    out.append(static_cast<std::size_t>(m_point) - out.size(), '0');
    return out;
}

std::string DecimalDigits::fractionDigits(int count) const
{
    std::string out;
    for (int i = 0; i < count; ++i) {
        const int index = m_point + i;
        out += index >= 0 && index < static_cast<int>(m_digits.size())
                ? m_digits[static_cast<std::size_t>(index)]
                : '0';
    }
    return out;
}

std::string DecimalDigits::significantDigits(int count) const
{
    std::string out = m_digits.substr(0, static_cast<std::size_t>(count));
    out.append(static_cast<std::size_t>(count) - out.size(), '0');
    return out;
}
