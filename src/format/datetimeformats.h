#pragma once

#include "datetimevalue.h"
#include "formatsettings.h"

#include <QString>
#include <QStringList>

#include <optional>

// The date and time stamp formats the user chooses from (Preferences, "Date & Time") and the
// Workspace's Date & Time command inserts. A choice is a row of each table, -1 for no part.
class DateTimeFormats
{
public:
    static constexpr int kDateFormatCount = 8;
    static constexpr int kTimeFormatCount = 4;
    static constexpr int kNone = -1;
    static constexpr int kDefaultDateIndex = 0;
    static constexpr int kDefaultTimeIndex = kNone;

    // Format strings of the format language, row 0 first.
    static const QStringList &dateFormats();
    static const QStringList &timeFormats();

    // A stored choice ("lblDate", "lblTime": decimal text) as a row. Text that is not a whole
    // number, or a number outside -1 and the table's rows, reads as the default choice.
    static int dateIndexFromText(const QString &text);
    static int timeIndexFromText(const QString &text);

    // Joins the parts of a stamp: both parts "date at time", otherwise the one given.
    static QString joinStamp(const std::optional<QString> &date,
                             const std::optional<QString> &time);

    // The stamp of a moment for a choice of rows (-1 or out of range: no such part).
    static QString stampText(int dateIndex, int timeIndex, DateTimeValue moment,
                             const FormatSettings &settings = FormatSettings::current());

private:
    static int indexFromText(const QString &text, int count, int fallback);
};
