#pragma once

#include "systemfacts.h"

#include <QString>

#include <optional>

// The machine-wide registry, read only, as this system can answer it: the registered owner
// (the user's full name, else the login name) and organisation, under
// "\SOFTWARE\Microsoft\Windows NT\CurrentVersion" as on NT systems. Key names match without
// regard to letter case.
class MachineRegistry
{
public:
    explicit MachineRegistry(SystemFacts facts);

    // The value, or nothing when the key or value is not there.
    std::optional<QString> value(const QString &key, const QString &name) const;
    QString readString(const QString &key, const QString &name, const QString &defaultValue) const
    {
        return value(key, name).value_or(defaultValue);
    }

private:
    SystemFacts m_facts;
};
