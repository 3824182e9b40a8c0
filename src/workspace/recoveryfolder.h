#pragma once

#include <QString>

// Where unsaved edits are kept against a crash: $XDG_STATE_HOME/Orvanel/Leafstack/recovery
// (~/.local/state/... without it), made with mode 0700 when missing.
namespace RecoveryFolder {
QString path();
// Makes the folder; false when it cannot be made.
bool make(const QString &folder);
} // namespace RecoveryFolder
