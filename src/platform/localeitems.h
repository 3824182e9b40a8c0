#pragma once

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
