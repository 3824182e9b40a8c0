#include "formatsettings.h"

#include "platform/posixlocalereader.h"

namespace {

FormatSettings &currentSettings()
{
    static FormatSettings settings;
    return settings;
}

QChar firstCharOr(const std::optional<QString> &text, QChar fallback)
{
    return text && !text->isEmpty() ? text->at(0) : fallback;
}

QString textOr(const std::optional<QString> &text, const QString &fallback)
{
    return text && !text->isEmpty() ? *text : fallback;
}

QStringList namesOr(const std::optional<QStringList> &names, qsizetype count,
                    const QStringList &fallback)
{
    if (!names || names->size() != count)
        return fallback;
    QStringList result = fallback;
    // A single name that is missing takes its own fall-back.
    for (qsizetype i = 0; i < count; ++i) {
        if (!names->at(i).isEmpty())
            result[i] = names->at(i);
    }
    return result;
}

} // namespace

void FormatSettings::applyItems(const LocaleItems &items)
{
    dateSeparator = firstCharOr(items.dateSeparator, QLatin1Char('/'));
    timeSeparator = firstCharOr(items.timeSeparator, QLatin1Char(':'));
    shortDateFormat = textOr(items.shortDatePicture, QStringLiteral("m/d/yy"));
    longDateFormat = textOr(items.longDatePicture, QStringLiteral("mmmm d, yyyy"));
    timeAMString = textOr(items.amDesignator, QStringLiteral("am"));
    timePMString = textOr(items.pmDesignator, QStringLiteral("pm"));
    const QString hourPart =
            items.hourLeadingZero.value_or(false) ? QStringLiteral("hh") : QStringLiteral("h");
    const QString suffix = items.clock24.value_or(false) ? QString() : QStringLiteral(" AMPM");
    shortTimeFormat = hourPart + QStringLiteral(":mm") + suffix;
    longTimeFormat = hourPart + QStringLiteral(":mm:ss") + suffix;
    thousandSeparator = firstCharOr(items.thousandsSeparator, QLatin1Char(','));
    decimalSeparator = firstCharOr(items.decimalSeparator, QLatin1Char('.'));
}

void FormatSettings::applyNames(const LocaleItems &items)
{
    shortMonthNames = namesOr(items.shortMonthNames, 12, defaultShortMonthNames());
    longMonthNames = namesOr(items.longMonthNames, 12, defaultLongMonthNames());
    shortDayNames = namesOr(items.shortDayNames, 7, defaultShortDayNames());
    longDayNames = namesOr(items.longDayNames, 7, defaultLongDayNames());
}

QStringList FormatSettings::defaultShortMonthNames()
{
    return {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
            QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
            QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
            QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
}

QStringList FormatSettings::defaultLongMonthNames()
{
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

QStringList FormatSettings::defaultShortDayNames()
{
    return {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
            QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
            QStringLiteral("Sat")};
}

QStringList FormatSettings::defaultLongDayNames()
{
    return {QStringLiteral("Sunday"),    QStringLiteral("Monday"),   QStringLiteral("Tuesday"),
            QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
            QStringLiteral("Saturday")};
}

const FormatSettings &FormatSettings::current()
{
    return currentSettings();
}

void FormatSettings::setCurrent(const FormatSettings &settings)
{
    currentSettings() = settings;
}

void LoadLocaleSettings()
{
    const LocaleItems items = PosixLocaleReader::read();
    FormatSettings settings = FormatSettings::current();
    settings.applyNames(items);
    settings.applyItems(items);
    FormatSettings::setCurrent(settings);
}

void RefreshLocaleSettings()
{
    const LocaleItems items = PosixLocaleReader::read();
    FormatSettings settings = FormatSettings::current();
    settings.applyItems(items);
    FormatSettings::setCurrent(settings);
}
