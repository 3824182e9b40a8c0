#include "format/datetimeformats.h"
#include "format/datetimevalue.h"

#include <QTest>

namespace {

DateTimeValue at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTimeCodec::encode({y, mo, d, h, mi, s, 0, 0});
}

} // namespace

class TestDateTimeFormats : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storedText_data();
    void storedText();
    void stamps_data();
    void stamps();
};

void TestDateTimeFormats::storedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("time");
    QTest::newRow("first row") << "0" << 0 << 0;
    QTest::newRow("none") << "-1" << -1 << -1;
    QTest::newRow("last time row") << "3" << 3 << 3;
    QTest::newRow("past the time table") << "4" << 4 << -1;
    QTest::newRow("last date row") << "7" << 7 << -1;
    QTest::newRow("past the date table") << "8" << 0 << -1;
    QTest::newRow("below none") << "-2" << 0 << -1;
    QTest::newRow("not a number") << "abc" << 0 << -1;
    QTest::newRow("blank around") << " 2" << 0 << -1;
    QTest::newRow("empty") << "" << 0 << -1;
    QTest::newRow("hexadecimal") << "0x2" << 0 << -1;
}

void TestDateTimeFormats::storedText()
{
    QFETCH(QString, text);
    QFETCH(int, date);
    QFETCH(int, time);
    QCOMPARE(DateTimeFormats::dateIndexFromText(text), date);
    QCOMPARE(DateTimeFormats::timeIndexFromText(text), time);
}

void TestDateTimeFormats::stamps_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("time");
    QTest::addColumn<double>("moment");
    QTest::addColumn<QString>("expected");
    const DateTimeValue afternoon = at(2026, 12, 7, 14, 5, 9);
    QTest::newRow("both") << 3 << 3 << afternoon << "Dec 7, 2026 at 2:05 pm";
    QTest::newRow("date alone") << 4 << -1 << afternoon << "December 7, 2026";
    QTest::newRow("time alone") << -1 << 2 << afternoon << "14:05";
    QTest::newRow("neither") << -1 << -1 << afternoon << "";
    QTest::newRow("c carries the time") << 0 << -1 << afternoon << "12/7/26 2:05:09 pm";
    QTest::newRow("c at midnight") << 0 << -1 << at(2026, 12, 7) << "12/7/26";
    QTest::newRow("long day name") << 7 << 1 << afternoon << "Monday Dec 7, 2026 at 2:05:09 pm";
    QTest::newRow("short day name") << 6 << 0 << afternoon << "Mon Dec 7, 2026 at 2:05 pm";
    QTest::newRow("day first") << 5 << -1 << at(1997, 3, 5, 9, 7) << "5 Mar 1997";
    QTest::newRow("out of range is no part") << 8 << 4 << afternoon << "";
}

void TestDateTimeFormats::stamps()
{
    QFETCH(int, date);
    QFETCH(int, time);
    QFETCH(double, moment);
    QFETCH(QString, expected);
    QCOMPARE(DateTimeFormats::stampText(date, time, moment, FormatSettings()), expected);
}

QTEST_GUILESS_MAIN(TestDateTimeFormats)
#include "tst_datetimeformats.moc"
