#pragma once

#include <QByteArray>
#include <QString>

// What the machine says about its user, processor and operating system, read from the
// account database, /proc/cpuinfo, os-release and the kernel. Empty texts where it says nothing.
struct SystemFacts
{
    QString fullName; // the account's full name
    QString loginName;
    QString organization;
    QString processor;     // the CPU's model name
    QString machine;       // the hardware's name for its processor type ("x86_64")
    QString distribution;  // os-release NAME
    QString kernelName;    // "Linux"
    QString kernelRelease; // "6.1.0-13-amd64"

    // The running system's facts; root replaces "/" for the files read (tests).
    static SystemFacts read(const QString &root = QStringLiteral("/"));

    // Readers of the sources' formats.
    static QString fullNameFromGecos(const QByteArray &gecos, const QString &loginName);
    static QString processorFromCpuInfo(const QByteArray &cpuInfo);
    static QString distributionFromOsRelease(const QByteArray &osRelease);
    // The first line of /etc/organization; the ORGANIZATION variable wins.
    static QString organizationFrom(const QByteArray &environment, const QByteArray &file);
};
