#pragma once

#include "platform/systemfacts.h"

#include <QString>

class MachineRegistry;

// The About box's report on the machine: who the system is registered to, its processor, the
// operating system, its version and build.
struct AboutReport
{
    QString owner;
    QString organization;
    QString processor;
    QString system;
    QString version;
    QString build;

    static AboutReport fill(const MachineRegistry &registry, const SystemFacts &facts);

    // "6.1.0-13-amd64" gives "6.1" and "0"; a part the release lacks reads 0.
    static QString versionOf(const QString &kernelRelease);
    static QString buildOf(const QString &kernelRelease);
};
