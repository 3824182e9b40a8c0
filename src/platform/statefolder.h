#pragma once

#include <QByteArray>
#include <QString>

// Where the program keeps what must outlive a run but is no setting:
// $XDG_STATE_HOME/Orvanel/Leafstack, or ~/.local/state/Orvanel/Leafstack.
class StateFolder
{
public:
    static QString path();

    // The named folder inside it, made (readable by this user only) when missing. Throws
    // AppError "<folder>: <reason>" when it cannot be made.
    static QByteArray ensure(const QString &name);
};
