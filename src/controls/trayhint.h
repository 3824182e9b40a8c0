#pragma once

#include <QString>

namespace TrayHint {

// The most a notification-area tip holds.
constexpr int MaxLength = 63;

// The tip shown for a hint: its short part (the text before the first "|"), cut to MaxLength
// characters without splitting a character in two.
QString shortHint(const QString &hint);

} // namespace TrayHint
