#include "dateformatter.h"

namespace {

constexpr qsizetype kMaxLength = 256;
constexpr int kMaxDepth = 2;

class DateFormatter
{
public:
    DateFormatter(const DateTimeParts &parts, const FormatSettings &settings)
        : m_parts(parts)
        , m_settings(settings)
    { }

    void format(const QString &pattern, int depth);
    QString result() const { return m_out; }

private:
    void append(const QString &text) { m_out += text.left(kMaxLength - m_out.size()); }
    void append(QChar c)
    {
        if (m_out.size() < kMaxLength)
            m_out += c;
    }
    void appendNumber(int value, int digits)
    {
        append(QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0')));
    }
    void expand(const QString &pattern, int depth)
    {
        if (depth < kMaxDepth)
            format(pattern, depth + 1);
    }
    bool timeIsMidnight() const
    {
        return m_parts.hour == 0 && m_parts.minute == 0 && m_parts.second == 0;
    }
    int hour12() const
    {
        const int hour = m_parts.hour % 12;
        return hour == 0 ? 12 : hour;
    }
    static bool uses12HourClock(const QString &pattern, qsizetype from);
    qsizetype formatAmPm(const QString &pattern, qsizetype at);

    const DateTimeParts &m_parts;
    const FormatSettings &m_settings;
    QString m_out;
};

// Looks from the end of an hour run to the next hour letter for an unquoted 'a'.
bool DateFormatter::uses12HourClock(const QString &pattern, qsizetype from)
{
    bool quoted = false;
    for (qsizetype i = from; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('h') || c == QLatin1Char('H'))
            return false;
        if (c == QLatin1Char('"') || c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('a') || c == QLatin1Char('A')))
            return true;
    }
    return false;
}

// Writes one of the forms that start with 'a'; returns how many pattern characters it took.
qsizetype DateFormatter::formatAmPm(const QString &pattern, qsizetype at)
{
    const bool afternoon = m_parts.hour >= 12;
    const QStringView rest = QStringView(pattern).mid(at);
    if (rest.startsWith(QLatin1String("am/pm"), Qt::CaseInsensitive)) {
        append(afternoon ? rest.mid(3, 2).toString() : rest.left(2).toString());
        return 5;
    }
    if (rest.startsWith(QLatin1String("a/p"), Qt::CaseInsensitive)) {
        append(afternoon ? rest.at(2) : rest.at(0));
        return 3;
    }
    if (rest.startsWith(QLatin1String("ampm"), Qt::CaseInsensitive)) {
        append(afternoon ? m_settings.timePMString : m_settings.timeAMString);
        return 4;
    }
    append(rest.at(0));
    return 1;
}

void DateFormatter::format(const QString &pattern, int depth)
{
    QChar last = QLatin1Char(' ');
    qsizetype i = 0;
    while (i < pattern.size() && m_out.size() < kMaxLength) {
        const QChar c = pattern.at(i);
        const QChar token = c.toUpper();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            append(pattern.mid(i + 1, end - i - 1));
            i = close < 0 ? end : end + 1;
            continue;
        }
        if (token == QLatin1Char('A')) {
            i += formatAmPm(pattern, i);
            last = token;
            continue;
        }
        if (!QStringLiteral("CDMYHNST").contains(token)) {
            if (c == QLatin1Char('/'))
                append(m_settings.dateSeparator);
            else if (c == QLatin1Char(':'))
                append(m_settings.timeSeparator);
            else
                append(c);
            if (c.isLetter())
                last = token;
            ++i;
            continue;
        }
        // A run of the same letter, case-sensitively: "dD" is two runs of one.
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run) == c)
            ++run;
        const qsizetype end = i + run;
        switch (token.unicode()) {
        case 'C':
            if (depth >= kMaxDepth)
                break; // a third level writes nothing, not even the blank
            expand(m_settings.shortDateFormat, depth);
            if (!timeIsMidnight()) {
                append(QLatin1Char(' '));
                expand(m_settings.longTimeFormat, depth);
            }
            break;
        case 'D':
            if (run <= 2)
                appendNumber(m_parts.day, int(run));
            else if (run == 3)
                append(m_settings.shortDayNames.value(m_parts.dayOfWeek - 1));
            else if (run == 4)
                append(m_settings.longDayNames.value(m_parts.dayOfWeek - 1));
            else if (run == 5)
                expand(m_settings.shortDateFormat, depth);
            else
                expand(m_settings.longDateFormat, depth);
            break;
        case 'M':
            if (last == QLatin1Char('H'))
                appendNumber(m_parts.minute, run >= 2 ? 2 : 1);
            else if (run <= 2)
                appendNumber(m_parts.month, int(run));
            else if (run == 3)
                append(m_settings.shortMonthNames.value(m_parts.month - 1));
            else
                append(m_settings.longMonthNames.value(m_parts.month - 1));
            break;
        case 'Y':
            if (run <= 2)
                appendNumber(m_parts.year % 100, 2);
            else
                appendNumber(m_parts.year, 4);
            break;
        case 'H':
            appendNumber(uses12HourClock(pattern, end) ? hour12() : m_parts.hour, run >= 2 ? 2 : 1);
            break;
        case 'N':
            appendNumber(m_parts.minute, run >= 2 ? 2 : 1);
            break;
        case 'S':
            appendNumber(m_parts.second, run >= 2 ? 2 : 1);
            break;
        case 'T':
            expand(run == 1 ? m_settings.shortTimeFormat : m_settings.longTimeFormat, depth);
            break;
        }
        last = token;
        i = end;
    }
}

} // namespace

QString FormatDateText(const QString &pattern, DateTimeValue value, const FormatSettings &settings)
{
    DateTimeParts parts;
    if (!DateTimeCodec::decode(value, parts))
        return {};
    DateFormatter formatter(parts, settings);
    formatter.format(pattern.isEmpty() ? QStringLiteral("c") : pattern, 1);
    return formatter.result();
}
