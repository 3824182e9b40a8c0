#include "searchhitcolor.h"

#include <algorithm>
#include <cmath>

namespace {

// What text needs to stand out from its background.
constexpr double kReadable = 4.5;

double relativeLuminance(const QColor &color)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
            + 0.0722 * linear(color.blueF());
}

} // namespace

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor SearchHitColor(const QColor &base)
{
    const QColor blue(0, 0, 255);
    if (ContrastRatio(blue, base) >= kReadable)
        return blue;
    // Step the lightness away from the background's until the hit reads; where no blue reads
    // (a middle grey), the one that stands out most.
    const bool darkBase = relativeLuminance(base) < 0.18;
    QColor best = blue;
    double bestRatio = ContrastRatio(blue, base);
    for (int lightness = blue.lightness(); lightness >= 0 && lightness <= 255;
         lightness += darkBase ? 4 : -4) {
        const QColor candidate = QColor::fromHsl(blue.hslHue(), 255, lightness);
        const double ratio = ContrastRatio(candidate, base);
        if (ratio >= kReadable)
            return candidate;
        if (ratio > bestRatio) {
            best = candidate;
            bestRatio = ratio;
        }
    }
    return best;
}
