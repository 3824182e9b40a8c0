#pragma once

#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QStringList>

// The visible buttons of a bar as "name@left,top", in item order: what a layout test compares.
inline QStringList places(const TSpeedBar &bar)
{
    QStringList result;
    for (const TSpeedItem *item : bar.items()) {
        if (item->Visible())
            result.append(QStringLiteral("%1@%2,%3")
                                  .arg(item->name())
                                  .arg(item->Left())
                                  .arg(item->Top()));
    }
    return result;
}
