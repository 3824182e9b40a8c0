#pragma once

#include "format/clock.h"
#include "format/formatsettings.h"
#include "format/systemclock.h"

#include <QString>

// What the Properties dialog shows of a Workspace's file, every text ready to display.
class FileProperties
{
public:
    // What the Workspace knows of its file.
    struct Source
    {
        QString name;      // the caption
        QString pathPanel; // the path panel's text
        QString path;      // the file on disk; empty for an untitled Workspace
        QString size;      // the size panel's text
        bool modified = false;
    };

    // The pattern of the three time stamps.
    static const QString timePattern;

    // Throws AppError when the file's last change cannot be read (it was deleted or moved).
    static FileProperties read(const Source &source, const Clock &clock = SystemClock::instance(),
                               const FormatSettings &settings = FormatSettings::current());

    QString caption;
    QString fileName;
    QString type;
    QString location;
    QString size;
    QString created;
    QString modified;
    QString accessed;
    bool readOnly = false;
    bool system = false;
    bool hidden = false;
    bool archive = false;

private:
    static QString locationOf(const QString &pathPanel);
    void readAttributes(const QString &path);
};
