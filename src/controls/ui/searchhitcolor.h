#pragma once

#include <QColor>

// The colour of the letters of a search hit on a text whose background is base: pure blue
// (0, 0, 255) wherever it reads well, as on every light background; on a dark one the same
// hue, lightened until it reads.
QColor SearchHitColor(const QColor &base);

// The contrast of two colours as the accessibility guidelines measure it, from 1 to 21.
double ContrastRatio(const QColor &a, const QColor &b);
