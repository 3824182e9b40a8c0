#pragma once

#include "platform/localeitems.h"

#include <QChar>
#include <QString>
#include <QStringList>

// The settings the format language draws on. A default-made object holds the fall-backs.
struct FormatSettings
{
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    QString shortDateFormat = QStringLiteral("m/d/yy");
    QString longDateFormat = QStringLiteral("mmmm d, yyyy");
    QString timeAMString = QStringLiteral("am");
    QString timePMString = QStringLiteral("pm");
    QString shortTimeFormat = QStringLiteral("h:mm AMPM");
    QString longTimeFormat = QStringLiteral("h:mm:ss AMPM");
    QChar thousandSeparator = QLatin1Char(',');
    QChar decimalSeparator = QLatin1Char('.');
    QStringList shortMonthNames = defaultShortMonthNames();
    QStringList longMonthNames = defaultLongMonthNames();
    QStringList shortDayNames = defaultShortDayNames();
    QStringList longDayNames = defaultLongDayNames();

    // Sets every item but the month and day names, each from the locale or its fall-back.
    void applyItems(const LocaleItems &items);
    // Sets the month and day names from the locale or their fall-backs.
    void applyNames(const LocaleItems &items);

    static QStringList defaultShortMonthNames();
    static QStringList defaultLongMonthNames();
    static QStringList defaultShortDayNames();
    static QStringList defaultLongDayNames();

    // The process-wide settings, as loaded at start-up.
    static const FormatSettings &current();
    static void setCurrent(const FormatSettings &settings);
};

// Reads month and day names, then every other setting, from the process's locale.
void LoadLocaleSettings();
// Re-reads every setting except the month and day names.
void RefreshLocaleSettings();
