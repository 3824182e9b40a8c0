#include "format/dateformatter.h"
#include "format/datetimevalue.h"

#include <QTest>

namespace {

DateTimeValue at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return DateTimeCodec::encode({y, mo, d, h, mi, s, ms, 0});
}

const DateTimeValue kExample = at(2026, 12, 7, 14, 5, 9);

} // namespace

class TestDateFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patterns_data();
    void patterns();
    void decoding_data();
    void decoding();
    void millisecondsRoundTiesToEven();
    void nestingStopsAtTheSecondLevel();
    void outputIsCutAt256Characters();
    void localeStringsAndSeparators();
};

void TestDateFormat::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    // The program's own patterns at 2026-12-07 14:05:09, fall-back settings.
    QTest::newRow("c") << "c" << kExample << "12/7/26 2:05:09 pm";
    QTest::newRow("ddddd") << "ddddd" << kExample << "12/7/26";
    QTest::newRow("dddddd") << "dddddd" << kExample << "December 7, 2026";
    QTest::newRow("mmm d, yyyy") << "mmm d, yyyy" << kExample << "Dec 7, 2026";
    QTest::newRow("mmmm d, yyyy") << "mmmm d, yyyy" << kExample << "December 7, 2026";
    QTest::newRow("d mmm yyyy") << "d mmm yyyy" << kExample << "7 Dec 2026";
    QTest::newRow("ddd mmm d, yyyy") << "ddd mmm d, yyyy" << kExample << "Mon Dec 7, 2026";
    QTest::newRow("dddd mmm d, yyyy") << "dddd mmm d, yyyy" << kExample << "Monday Dec 7, 2026";
    QTest::newRow("t") << "t" << kExample << "2:05 pm";
    QTest::newRow("tt") << "tt" << kExample << "2:05:09 pm";
    QTest::newRow("h:nn") << "h:nn" << kExample << "14:05";
    QTest::newRow("h:nn am/pm") << "h:nn am/pm" << kExample << "2:05 pm";
    QTest::newRow("file date") << "dddd, mmmm d, yyyy \"at\" h:nn:ss am/pm" << kExample
                               << "Monday, December 7, 2026 at 2:05:09 pm";
    QTest::newRow("empty means c") << "" << kExample << "12/7/26 2:05:09 pm";

    // Midnight and the 12-hour rules.
    QTest::newRow("c at midnight") << "c" << at(2026, 12, 7) << "12/7/26";
    QTest::newRow("c ignores ms") << "c" << at(2026, 12, 7, 0, 0, 0, 400) << "12/7/26";
    QTest::newRow("h:nn 00:07") << "h:nn" << at(2026, 1, 1, 0, 7) << "0:07";
    QTest::newRow("am/pm 00:07") << "h:nn am/pm" << at(2026, 1, 1, 0, 7) << "12:07 am";
    QTest::newRow("am/pm 12:30") << "h:nn am/pm" << at(2026, 1, 1, 12, 30) << "12:30 pm";
    QTest::newRow("am/pm 23:59") << "hh:nn AM/PM" << at(2026, 1, 1, 23, 59) << "11:59 PM";
    QTest::newRow("case as written") << "h Am/pM" << at(2026, 1, 1, 13) << "1 pM";
    QTest::newRow("a/p") << "h:nn a/p" << kExample << "2:05 p";
    QTest::newRow("A/P morning") << "h:nn A/P" << at(2026, 1, 1, 9, 3) << "9:03 A";
    QTest::newRow("ampm uses locale") << "h ampm" << at(2026, 1, 1, 9) << "9 am";
    QTest::newRow("lone a is text, still 12-hour") << "h a" << kExample << "2 a";
    QTest::newRow("a beyond the next h") << "h:nn h am/pm" << kExample << "14:05 2 pm";
    QTest::newRow("quoted a is no clock hint") << "h 'a'" << kExample << "14 a";

    // Minutes versus months.
    QTest::newRow("h:mm minutes") << "h:mm" << kExample << "14:05";
    QTest::newRow("mm/dd month") << "mm/dd" << kExample << "12/07";
    QTest::newRow("hh mm") << "hh mm" << kExample << "14 05";
    QTest::newRow("letter between resets") << "h z mm" << kExample << "14 z 12";
    QTest::newRow("minute run of three") << "h:mmm" << kExample << "14:05";

    // Years, runs and plain text.
    QTest::newRow("yy 2005") << "yy" << at(2005, 3, 1) << "05";
    QTest::newRow("y 2005") << "y" << at(2005, 3, 1) << "05";
    QTest::newRow("yyy") << "yyy" << at(2005, 3, 1) << "2005";
    QTest::newRow("year 33") << "yyyy" << at(33, 3, 1) << "0033";
    QTest::newRow("dD is two runs") << "dD" << kExample << "77";
    QTest::newRow("dd mm") << "dd/mm" << at(2026, 3, 4) << "04/03";
    QTest::newRow("seconds") << "s ss sss" << at(2026, 3, 4, 1, 2, 3) << "3 03 03";
    QTest::newRow("n and nn") << "n nn" << at(2026, 3, 4, 1, 2, 3) << "2 02";
    QTest::newRow("quoted h") << "'h' hh" << at(2026, 3, 4, 7) << "h 07";
    QTest::newRow("double quotes") << "\"dd\" d" << kExample << "dd 7";
    QTest::newRow("unclosed quote") << "d 'mmm yyyy" << kExample << "7 mmm yyyy";
    QTest::newRow("other letters copied") << "z x q" << kExample << "z x q";
    QTest::newRow("long day names") << "dddd" << at(2026, 12, 12) << "Saturday";
    QTest::newRow("sunday") << "ddd" << at(2026, 12, 13) << "Sun";

    // Values out of the calendar's range give no text.
    QTest::newRow("first day") << "yyyy-mm-dd" << at(1, 1, 1) << "0001-01-01";
    QTest::newRow("last day") << "yyyy-mm-dd" << at(9999, 12, 31) << "9999-12-31";
    QTest::newRow("after last day") << "c" << at(9999, 12, 31) + 1.0 << "";
    QTest::newRow("nan") << "c" << std::nan("") << "";
    QTest::newRow("infinity") << "c" << HUGE_VAL << "";
}

void TestDateFormat::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatDateText(pattern, value, FormatSettings()), expected);
}

void TestDateFormat::decoding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // yyyy-mm-dd hh:nn:ss dddd

    QTest::newRow("day 0") << 0.0 << "1899-12-30 00:00:00 Saturday";
    QTest::newRow("day 1") << 1.0 << "1899-12-31 00:00:00 Sunday";
    QTest::newRow("quarter past") << 2.25 << "1900-01-01 06:00:00 Monday";
    QTest::newRow("before the epoch counts back") << -0.25 << "1899-12-29 18:00:00 Friday";
    QTest::newRow("2000-01-01") << 36526.5 << "2000-01-01 12:00:00 Saturday";
    QTest::newRow("leap day") << double(DateTimeCodec::encodeDate(2024, 2, 29))
                              << "2024-02-29 00:00:00 Thursday";
    QTest::newRow("1900 is no leap year")
            << double(DateTimeCodec::encodeDate(1900, 3, 1)) - 1 << "1900-02-28 00:00:00 Wednesday";
}

void TestDateFormat::decoding()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatDateText("yyyy-mm-dd hh:nn:ss dddd", value, FormatSettings()), expected);
}

void TestDateFormat::millisecondsRoundTiesToEven()
{
    // Exact halves of a millisecond (the products below are exact in binary).
    const double day = DateTimeCodec::encodeDate(2026, 12, 7);
    const double justBelow = day + (50'709'998.5) / 86'400'000.0;
    const double tieUp = day + (50'709'999.5) / 86'400'000.0;
    QCOMPARE(justBelow * 86'400'000.0, day * 86'400'000.0 + 50'709'998.5);
    QCOMPARE(FormatDateText("hh:nn:ss", justBelow, FormatSettings()), QStringLiteral("14:05:09"));
    QCOMPARE(FormatDateText("hh:nn:ss", tieUp, FormatSettings()), QStringLiteral("14:05:10"));

    DateTimeParts parts;
    QVERIFY(DateTimeCodec::decode(0.5 / 86'400'000.0, parts));
    QCOMPARE(parts.millisecond, 0);
    QVERIFY(DateTimeCodec::decode(1.5 / 86'400'000.0, parts));
    QCOMPARE(parts.millisecond, 2);

    // Half a millisecond before midnight rounds into the next day.
    QCOMPARE(FormatDateText("c", 86'399'999.5 / 86'400'000.0, FormatSettings()),
             QStringLiteral("12/31/99"));
}

void TestDateFormat::nestingStopsAtTheSecondLevel()
{
    FormatSettings settings;
    settings.shortDateFormat = QStringLiteral("d/m tt");
    settings.longDateFormat = QStringLiteral("ddddd!");
    // Level two may not expand: "tt" and "ddddd" inside a locale picture write nothing.
    QCOMPARE(FormatDateText("ddddd", kExample, settings), QStringLiteral("7/12 "));
    QCOMPARE(FormatDateText("dddddd", kExample, settings), QStringLiteral("!"));
    settings.shortDateFormat = QStringLiteral("c|");
    QCOMPARE(FormatDateText("c", kExample, settings), QStringLiteral("| 2:05:09 pm"));
    // The caller's own pattern may expand as often as it likes.
    QCOMPARE(FormatDateText("t t", kExample, settings), QStringLiteral("2:05 pm 2:05 pm"));
}

void TestDateFormat::outputIsCutAt256Characters()
{
    QCOMPARE(FormatDateText(QString(300, QLatin1Char('x')), kExample, FormatSettings()),
             QString(256, QLatin1Char('x')));
    const QString longText =
            FormatDateText(QStringLiteral("dddddd ").repeated(40), kExample, FormatSettings());
    QCOMPARE(longText.size(), 256);
    QVERIFY(longText.startsWith(QStringLiteral("December 7, 2026 December")));
    QCOMPARE(FormatDateText(QString(255, QLatin1Char('x')) + "yyyy", kExample, FormatSettings()),
             QString(255, QLatin1Char('x')) + "2");
}

void TestDateFormat::localeStringsAndSeparators()
{
    FormatSettings settings;
    settings.dateSeparator = QLatin1Char('.');
    settings.timeSeparator = QLatin1Char('h');
    settings.timeAMString = QStringLiteral("vorm.");
    settings.timePMString = QStringLiteral("nachm.");
    settings.shortDateFormat = QStringLiteral("dd/mm/yyyy");
    settings.longTimeFormat = QStringLiteral("hh:mm:ss");
    settings.longMonthNames[11] = QStringLiteral("Dezember");
    settings.longDayNames[1] = QStringLiteral("Montag");
    QCOMPARE(FormatDateText("c", kExample, settings), QStringLiteral("07.12.2026 14h05h09"));
    QCOMPARE(FormatDateText("dddd, d mmmm", kExample, settings),
             QStringLiteral("Montag, 7 Dezember"));
    QCOMPARE(FormatDateText("h ampm", kExample, settings), QStringLiteral("2 nachm."));
}

QTEST_APPLESS_MAIN(TestDateFormat)
#include "tst_dateformat.moc"
