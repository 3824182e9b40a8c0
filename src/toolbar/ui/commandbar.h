#pragma once

#include <QList>

class CommandActions;
class TSpeedBar;
class TSpeedItem;

// Fills a tool bar with the sections and items of a command table set: each item runs its
// command's action and follows its state; items of a checked-one-at-a-time group are pressed
// one at a time. Returns the items in the table's order.
namespace CommandBar {

QList<TSpeedItem *> fill(TSpeedBar *bar, const CommandActions &actions);

} // namespace CommandBar
