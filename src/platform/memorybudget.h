#pragma once

#include <QtGlobal>

#include <optional>

// How much more memory this process may take before allocations fail or the system runs
// short: the least of the room left under its control group's limit, under its address-space
// limit (ulimit -v) and the system's available memory.
class MemoryBudget
{
public:
    // Bytes, or -1 when nothing is known.
    static qint64 available();
    // Tests pretend a budget; nullopt reads the system again.
    static void setAvailableForTests(std::optional<qint64> bytes);
};
