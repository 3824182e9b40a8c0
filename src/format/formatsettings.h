#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// The locale items as the platform supplies them; an empty optional is an item that could not
// be read. Pictures are already in the pattern language.
struct LocaleItems
{
    std::optional<QString> dateSeparator;
    std::optional<QString> timeSeparator;
    std::optional<QString> shortDatePicture;
    std::optional<QString> longDatePicture;
    std::optional<QString> amDesignator;
    std::optional<QString> pmDesignator;
    std::optional<bool> hourLeadingZero;
    std::optional<bool> clock24;
    std::optional<QString> thousandsSeparator;
    std::optional<QString> decimalSeparator;
    std::optional<QStringList> shortMonthNames; // 12 names, January first
    std::optional<QStringList> longMonthNames;
    std::optional<QStringList> shortDayNames; // 7 names, Sunday first
    std::optional<QStringList> longDayNames;
};

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
