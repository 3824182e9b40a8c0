#include "posixlocalereader.h"

#include "strftimetranslator.h"

#include <QStringDecoder>

#include <langinfo.h>
#include <locale.h>

namespace PosixLocaleReader {

namespace {

bool isCLocale(const QString &name)
{
    return name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")
            || name.startsWith(QLatin1String("C."));
}

// One C library locale object for one category; null when the locale is C or not installed.
class Locale
{
public:
    Locale(int mask, const QString &name)
    {
        // LC_CTYPE of the same locale tells the character set its texts are written in.
        if (!isCLocale(name))
            m_handle = ::newlocale(mask | LC_CTYPE_MASK, name.toLocal8Bit().constData(),
                                   static_cast<locale_t>(nullptr));
        if (m_handle) {
            const QByteArray codeset = ::nl_langinfo_l(CODESET, m_handle);
            m_utf8 = codeset.compare("UTF-8", Qt::CaseInsensitive) == 0
                    || codeset.compare("utf8", Qt::CaseInsensitive) == 0;
            m_codeset = codeset;
        }
    }
    ~Locale()
    {
        if (m_handle)
            ::freelocale(m_handle);
    }
    Locale(const Locale &) = delete;
    Locale &operator=(const Locale &) = delete;

    bool valid() const { return m_handle != nullptr; }

    std::optional<QString> item(nl_item what) const
    {
        if (!m_handle)
            return std::nullopt;
        const QByteArray raw = ::nl_langinfo_l(what, m_handle);
        if (raw.isEmpty())
            return std::nullopt;
        if (m_utf8)
            return QString::fromUtf8(raw);
        QStringDecoder decoder(m_codeset.constData());
        return decoder.isValid() ? QString(decoder(raw)) : QString::fromLatin1(raw);
    }

    std::optional<QStringList> names(const nl_item *items, int count) const
    {
        if (!m_handle)
            return std::nullopt;
        QStringList result;
        for (int i = 0; i < count; ++i)
            result.append(item(items[i]).value_or(QString()));
        return result;
    }

private:
    locale_t m_handle = nullptr;
    bool m_utf8 = false;
    QByteArray m_codeset;
};

void readTime(const Locale &time, LocaleItems &items)
{
    if (!time.valid())
        return;
    const QString dateFmt = time.item(D_FMT).value_or(QString());
    const QString timeFmt = time.item(T_FMT).value_or(QString());
    const QString ampmFmt = time.item(T_FMT_AMPM).value_or(QString());
    const QString dateTimeFmt = time.item(D_T_FMT).value_or(QString());

    if (!dateFmt.isEmpty()) {
        items.shortDatePicture = StrftimeTranslator::toPattern(dateFmt);
        items.dateSeparator = StrftimeTranslator::separator(dateFmt);
    }
    if (!dateTimeFmt.isEmpty())
        items.longDatePicture = StrftimeTranslator::datePart(dateTimeFmt);
    if (!timeFmt.isEmpty()) {
        items.timeSeparator = StrftimeTranslator::separator(timeFmt, ampmFmt);
        items.hourLeadingZero = StrftimeTranslator::hourLeadingZero(timeFmt, ampmFmt);
        items.clock24 = StrftimeTranslator::clock24(timeFmt, ampmFmt);
    }
    items.amDesignator = time.item(AM_STR);
    items.pmDesignator = time.item(PM_STR);

    static const nl_item abmon[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                    ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static const nl_item mon[] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                  MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static const nl_item abday[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    static const nl_item day[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    items.shortMonthNames = time.names(abmon, 12);
    items.longMonthNames = time.names(mon, 12);
    items.shortDayNames = time.names(abday, 7);
    items.longDayNames = time.names(day, 7);
}

} // namespace

QString localeName(const QProcessEnvironment &env, const QString &category)
{
    for (const QString &variable : {QStringLiteral("LC_ALL"), category, QStringLiteral("LANG")}) {
        const QString value = env.value(variable);
        if (!value.isEmpty())
            return value;
    }
    return QStringLiteral("C");
}

LocaleItems read(const QProcessEnvironment &env)
{
    LocaleItems items;
    const Locale time(LC_TIME_MASK, localeName(env, QStringLiteral("LC_TIME")));
    readTime(time, items);
    const Locale numeric(LC_NUMERIC_MASK, localeName(env, QStringLiteral("LC_NUMERIC")));
    items.decimalSeparator = numeric.item(RADIXCHAR);
    items.thousandsSeparator = numeric.item(THOUSEP);
    return items;
}

} // namespace PosixLocaleReader
