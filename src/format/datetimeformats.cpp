#include "datetimeformats.h"

#include "dateformatter.h"

const QStringList &DateTimeFormats::dateFormats()
{
    static const QStringList formats{QStringLiteral("c"),
                                     QStringLiteral("ddddd"),
                                     QStringLiteral("dddddd"),
                                     QStringLiteral("mmm d, yyyy"),
                                     QStringLiteral("mmmm d, yyyy"),
                                     QStringLiteral("d mmm yyyy"),
                                     QStringLiteral("ddd mmm d, yyyy"),
                                     QStringLiteral("dddd mmm d, yyyy")};
    return formats;
}

const QStringList &DateTimeFormats::timeFormats()
{
    static const QStringList formats{QStringLiteral("t"), QStringLiteral("tt"),
                                     QStringLiteral("h:nn"), QStringLiteral("h:nn am/pm")};
    return formats;
}

int DateTimeFormats::indexFromText(const QString &text, int count, int fallback)
{
    bool ok = false;
    const int index = text.toInt(&ok, 10);
    if (!ok || text.trimmed() != text || index < kNone || index >= count)
        return fallback;
    return index;
}

int DateTimeFormats::dateIndexFromText(const QString &text)
{
    return indexFromText(text, kDateFormatCount, kDefaultDateIndex);
}

int DateTimeFormats::timeIndexFromText(const QString &text)
{
    return indexFromText(text, kTimeFormatCount, kDefaultTimeIndex);
}

QString DateTimeFormats::joinStamp(const std::optional<QString> &date,
                                   const std::optional<QString> &time)
{
    if (date && time)
        return *date + QStringLiteral(" at ") + *time;
    if (date)
        return *date;
    return time.value_or(QString());
}

QString DateTimeFormats::stampText(int dateIndex, int timeIndex, DateTimeValue moment,
                                   const FormatSettings &settings)
{
    std::optional<QString> date;
    std::optional<QString> time;
    if (dateIndex >= 0 && dateIndex < kDateFormatCount)
        date = FormatDateText(dateFormats().at(dateIndex), moment, settings);
    if (timeIndex >= 0 && timeIndex < kTimeFormatCount)
        time = FormatDateText(timeFormats().at(timeIndex), moment, settings);
    return joinStamp(date, time);
}
