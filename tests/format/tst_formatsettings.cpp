#include "format/dateformatter.h"
#include "format/formatsettings.h"
#include "format/localnow.h"
#include "format/numberformatter.h"

#include <QTest>

namespace {

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime moment)
        : m_moment(std::move(moment))
    { }
    QDateTime localNow() const override { return m_moment; }

private:
    QDateTime m_moment;
};

} // namespace

class TestFormatSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unreadableItemsTakeTheirFallbacks();
    void timePatternsAreBuiltFromTheClockConventions_data();
    void timePatternsAreBuiltFromTheClockConventions();
    void readableItemsAreUsed();
    void refreshKeepsTheNames();
    void cLocaleGivesTheWorkedExamples();
    void localNowReadsTheInjectedClock();
};

void TestFormatSettings::unreadableItemsTakeTheirFallbacks()
{
    FormatSettings settings;
    settings.dateSeparator = QLatin1Char('-');
    settings.shortMonthNames.fill(QStringLiteral("x"));
    LocaleItems empty;
    empty.dateSeparator = QString(); // read but empty counts as unreadable
    empty.longMonthNames = QStringList{QStringLiteral("only one")};
    settings.applyItems(empty);
    settings.applyNames(empty);

    const FormatSettings fallback;
    QCOMPARE(settings.dateSeparator, QLatin1Char('/'));
    QCOMPARE(settings.timeSeparator, QLatin1Char(':'));
    QCOMPARE(settings.shortDateFormat, QStringLiteral("m/d/yy"));
    QCOMPARE(settings.longDateFormat, QStringLiteral("mmmm d, yyyy"));
    QCOMPARE(settings.timeAMString, QStringLiteral("am"));
    QCOMPARE(settings.timePMString, QStringLiteral("pm"));
    QCOMPARE(settings.shortTimeFormat, QStringLiteral("h:mm AMPM"));
    QCOMPARE(settings.longTimeFormat, QStringLiteral("h:mm:ss AMPM"));
    QCOMPARE(settings.thousandSeparator, QLatin1Char(','));
    QCOMPARE(settings.decimalSeparator, QLatin1Char('.'));
    QCOMPARE(settings.shortMonthNames, fallback.shortMonthNames);
    QCOMPARE(settings.longMonthNames, fallback.longMonthNames);
    QCOMPARE(settings.longDayNames.first(), QStringLiteral("Sunday"));
}

void TestFormatSettings::timePatternsAreBuiltFromTheClockConventions_data()
{
    QTest::addColumn<int>("leadingZero"); // -1 unreadable
    QTest::addColumn<int>("clock24");
    QTest::addColumn<QString>("shortTime");
    QTest::addColumn<QString>("longTime");

    QTest::newRow("unreadable") << -1 << -1 << "h:mm AMPM"
                                << "h:mm:ss AMPM";
    QTest::newRow("24-hour, zero") << 1 << 1 << "hh:mm"
                                   << "hh:mm:ss";
    QTest::newRow("24-hour") << 0 << 1 << "h:mm"
                             << "h:mm:ss";
    QTest::newRow("12-hour, zero") << 1 << 0 << "hh:mm AMPM"
                                   << "hh:mm:ss AMPM";
}

void TestFormatSettings::timePatternsAreBuiltFromTheClockConventions()
{
    QFETCH(int, leadingZero);
    QFETCH(int, clock24);
    LocaleItems items;
    if (leadingZero >= 0)
        items.hourLeadingZero = leadingZero == 1;
    if (clock24 >= 0)
        items.clock24 = clock24 == 1;
    FormatSettings settings;
    settings.applyItems(items);
    QTEST(settings.shortTimeFormat, "shortTime");
    QTEST(settings.longTimeFormat, "longTime");
}

void TestFormatSettings::readableItemsAreUsed()
{
    LocaleItems items;
    items.dateSeparator = QStringLiteral(".-");
    items.thousandsSeparator = QString(QChar(0x202F)) + "x";
    items.decimalSeparator = QStringLiteral(",");
    items.shortDatePicture = QStringLiteral("dd.mm.yyyy");
    items.amDesignator = QStringLiteral("AM");
    items.shortDayNames = QStringList{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    FormatSettings settings;
    settings.applyItems(items);
    settings.applyNames(items);
    QCOMPARE(settings.dateSeparator, QLatin1Char('.'));
    QCOMPARE(settings.thousandSeparator, QChar(0x202F));
    QCOMPARE(settings.shortDateFormat, QStringLiteral("dd.mm.yyyy"));
    QCOMPARE(FormatNumberText("#,##0.0", 12345.25, settings),
             QString("12") + QChar(0x202F) + "345,3");
    QCOMPARE(FormatDateText("ddd ampm", DateTimeCodec::encodeDate(2026, 12, 7) + 0.25, settings),
             QStringLiteral("Mo AM"));
}

void TestFormatSettings::refreshKeepsTheNames()
{
    FormatSettings custom;
    custom.longMonthNames[0] = QStringLiteral("Janvier");
    custom.thousandSeparator = QLatin1Char('#');
    FormatSettings::setCurrent(custom);
    RefreshLocaleSettings();
    QCOMPARE(FormatSettings::current().longMonthNames.first(), QStringLiteral("Janvier"));
    QCOMPARE(FormatSettings::current().thousandSeparator, QLatin1Char(','));
    LoadLocaleSettings();
    QCOMPARE(FormatSettings::current().longMonthNames.first(), QStringLiteral("January"));
}

void TestFormatSettings::cLocaleGivesTheWorkedExamples()
{
    // The tests run with LC_ALL=C: every item is unreadable.
    QCOMPARE(qgetenv("LC_ALL"), QByteArray("C"));
    LoadLocaleSettings();
    const DateTimeValue moment = DateTimeCodec::encode({2026, 12, 7, 14, 5, 9, 0, 0});
    QCOMPARE(FormatDateText("c", moment), QStringLiteral("12/7/26 2:05:09 pm"));
    QCOMPARE(FormatDateText("dddddd", moment), QStringLiteral("December 7, 2026"));
    QCOMPARE(FormatNumberText("#,###,##0 bytes", 1234567), QStringLiteral("1,234,567 bytes"));
}

void TestFormatSettings::localNowReadsTheInjectedClock()
{
    const FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 999)));
    const DateTimeValue now = LocalNow(clock);
    QCOMPARE(FormatDateText("yyyy-mm-dd hh:nn:ss", now, FormatSettings()),
             QStringLiteral("2026-12-07 23:59:59"));
    QCOMPARE(LocalNow(FixedClock(QDateTime(QDate(1899, 12, 30), QTime(12, 0)))), 0.5);
    // The system clock gives today's date.
    const QDate today = QDate::currentDate();
    const DateTimeValue systemNow = LocalNow();
    QVERIFY(std::floor(systemNow)
                    == DateTimeCodec::encodeDate(today.year(), today.month(), today.day())
            || std::floor(systemNow)
                    == DateTimeCodec::encodeDate(today.year(), today.month(), today.day()) + 1);
}

QTEST_APPLESS_MAIN(TestFormatSettings)
#include "tst_formatsettings.moc"
