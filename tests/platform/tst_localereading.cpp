#include "platform/posixlocalereader.h"
#include "platform/strftimetranslator.h"

#include "format/dateformatter.h"
#include "format/numberformatter.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <locale.h>

using namespace StrftimeTranslator;

class TestLocaleReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pictures_data();
    void pictures();
    void dateParts_data();
    void dateParts();
    void clockConventions_data();
    void clockConventions();
    void separators();
    void environmentChoosesTheLocale();
    void cAndMissingLocalesAreUnreadable_data();
    void cAndMissingLocalesAreUnreadable();
    void realLocalesAreRead();

private:
    QTemporaryDir m_locales;
    bool m_localesBuilt = true;
};

void TestLocaleReading::pictures_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("en_GB") << "%d/%m/%Y"
                           << "dd/mm/yyyy";
    QTest::newRow("en_US") << "%m/%d/%Y"
                           << "mm/dd/yyyy";
    QTest::newRow("de_DE") << "%d.%m.%Y"
                           << "dd.mm.yyyy";
    QTest::newRow("ISO") << "%Y-%m-%d"
                         << "yyyy-mm-dd";
    QTest::newRow("composite D") << "%D"
                                 << "mm/dd/yy";
    QTest::newRow("composite F") << "%F"
                                 << "yyyy-mm-dd";
    QTest::newRow("names") << "%a %e %B %Y"
                           << "ddd d mmmm yyyy";
    QTest::newRow("no padding") << "%-d/%-m/%y"
                                << "d/m/yy";
    QTest::newRow("non-latin literals") << "%Y年%m月%d日"
                                        << "yyyy年mm月dd日";
    QTest::newRow("literal words are quoted") << "%d de %B de %Y"
                                              << "dd \"de\" mmmm \"de\" yyyy";
    QTest::newRow("literal quote") << "%d\"%m"
                                   << "dd'\"'mm";
    QTest::newRow("24-hour time") << "%H:%M:%S"
                                  << "hh:nn:ss";
    QTest::newRow("12-hour time") << "%I:%M:%S %p"
                                  << "hh:nn:ss AMPM";
    QTest::newRow("space-padded hour") << "%l:%M %p"
                                       << "h:nn AMPM";
    QTest::newRow("percent") << "%d%%"
                             << "dd%";
    QTest::newRow("unknown conversions dropped") << "%d %j %Z"
                                                 << "dd  ";
    QTest::newRow("modifiers") << "%Ey %Od"
                               << "yy dd";
    QTest::newRow("trailing percent") << "%d%"
                                      << "dd%";
}

void TestLocaleReading::pictures()
{
    QFETCH(QString, picture);
    QFETCH(QString, pattern);
    QCOMPARE(toPattern(picture), pattern);
}

void TestLocaleReading::dateParts_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("pattern"); // empty: none

    QTest::newRow("en_US") << "%a %d %b %Y %r %Z"
                           << "ddd dd mmm yyyy";
    QTest::newRow("C-like") << "%a %b %e %H:%M:%S %Y"
                            << "ddd mmm d yyyy";
    QTest::newRow("ja_JP") << "%Y年%m月%d日 %H時%M分%S秒"
                           << "yyyy年mm月dd日";
    QTest::newRow("fr_FR") << "%a %d %b %Y %T %Z"
                           << "ddd dd mmm yyyy";
    QTest::newRow("time only") << "%H:%M"
                               << "";
}

void TestLocaleReading::dateParts()
{
    QFETCH(QString, picture);
    QFETCH(QString, pattern);
    QCOMPARE(datePart(picture).value_or(QString()), pattern);
}

void TestLocaleReading::clockConventions_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("ampm");
    QTest::addColumn<int>("leadingZero"); // -1 unknown
    QTest::addColumn<int>("clock24");

    QTest::newRow("%H") << "%H:%M:%S"
                        << "" << 1 << 1;
    QTest::newRow("%r") << "%r"
                        << "%I:%M:%S %p" << 1 << 0;
    QTest::newRow("%r own picture") << "%r"
                                    << "%l.%M %p" << 0 << 0;
    QTest::newRow("%l") << "%l:%M %p"
                        << "" << 0 << 0;
    QTest::newRow("%k") << "%k:%M"
                        << "" << 0 << 1;
    QTest::newRow("%-H") << "%-H:%M"
                         << "" << 0 << 1;
    QTest::newRow("%T") << "%T"
                        << "" << 1 << 1;
    QTest::newRow("no hour") << "%M:%S"
                             << "" << -1 << -1;
}

void TestLocaleReading::clockConventions()
{
    QFETCH(QString, picture);
    QFETCH(QString, ampm);
    QFETCH(int, leadingZero);
    QFETCH(int, clock24);
    const auto zero = hourLeadingZero(picture, ampm);
    const auto twentyFour = StrftimeTranslator::clock24(picture, ampm);
    QCOMPARE(zero.has_value() ? int(*zero) : -1, leadingZero);
    QCOMPARE(twentyFour.has_value() ? int(*twentyFour) : -1, clock24);
}

void TestLocaleReading::separators()
{
    QCOMPARE(separator("%d.%m.%Y").value_or("?"), QStringLiteral("."));
    QCOMPARE(separator("%D").value_or("?"), QStringLiteral("/"));
    QCOMPARE(separator("%Y-%m-%d").value_or("?"), QStringLiteral("-"));
    QCOMPARE(separator("%r", "%I.%M.%S %p").value_or("?"), QStringLiteral("."));
    QCOMPARE(separator("%Y年%m月%d日").has_value(), false);
}

void TestLocaleReading::environmentChoosesTheLocale()
{
    QProcessEnvironment env;
    QCOMPARE(PosixLocaleReader::localeName(env, "LC_TIME"), QStringLiteral("C"));
    env.insert("LANG", "de_DE.UTF-8");
    QCOMPARE(PosixLocaleReader::localeName(env, "LC_TIME"), QStringLiteral("de_DE.UTF-8"));
    env.insert("LC_TIME", "en_GB.UTF-8");
    QCOMPARE(PosixLocaleReader::localeName(env, "LC_TIME"), QStringLiteral("en_GB.UTF-8"));
    QCOMPARE(PosixLocaleReader::localeName(env, "LC_NUMERIC"), QStringLiteral("de_DE.UTF-8"));
    env.insert("LC_ALL", "fr_FR.UTF-8");
    QCOMPARE(PosixLocaleReader::localeName(env, "LC_TIME"), QStringLiteral("fr_FR.UTF-8"));
}

void TestLocaleReading::cAndMissingLocalesAreUnreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("C") << "C";
    QTest::newRow("POSIX") << "POSIX";
    QTest::newRow("C.UTF-8") << "C.UTF-8";
    QTest::newRow("not installed") << "xx_YY.UTF-8";
}

void TestLocaleReading::cAndMissingLocalesAreUnreadable()
{
    QFETCH(QString, name);
    QProcessEnvironment env;
    env.insert("LC_ALL", name);
    const LocaleItems items = PosixLocaleReader::read(env);
    QVERIFY(!items.shortDatePicture && !items.longDatePicture && !items.amDesignator);
    QVERIFY(!items.hourLeadingZero && !items.clock24 && !items.dateSeparator);
    QVERIFY(!items.thousandsSeparator && !items.decimalSeparator && !items.longMonthNames);
}

void TestLocaleReading::initTestCase()
{
    // Compile real locales into a folder of our own, so the reading is tested whatever the
    // machine has installed.
    QVERIFY(m_locales.isValid());
    for (const char *name : {"en_US", "de_DE"}) {
        QProcess localedef;
        localedef.start("localedef",
                        {"-i", name, "-f", "UTF-8", m_locales.filePath(QString(name) + ".UTF-8")});
        if (!localedef.waitForFinished(60'000) || localedef.exitStatus() != QProcess::NormalExit) {
            m_localesBuilt = false;
            return;
        }
    }
    qputenv("LOCPATH", QFile::encodeName(m_locales.path()));
}

void TestLocaleReading::realLocalesAreRead()
{
    if (!m_localesBuilt)
        QSKIP("localedef could not build the test locales");
    QProcessEnvironment env;
    env.insert("LANG", "en_US.UTF-8");
    FormatSettings us;
    LocaleItems items = PosixLocaleReader::read(env);
    us.applyNames(items);
    us.applyItems(items);
    QCOMPARE(us.shortDateFormat, QStringLiteral("mm/dd/yyyy"));
    QCOMPARE(us.longTimeFormat, QStringLiteral("hh:mm:ss AMPM"));
    QCOMPARE(us.timePMString, QStringLiteral("PM"));
    QCOMPARE(us.thousandSeparator, QLatin1Char(','));
    const DateTimeValue moment = DateTimeCodec::encode({2026, 12, 7, 14, 5, 9, 0, 0});
    QCOMPARE(FormatDateText("c", moment, us), QStringLiteral("12/07/2026 02:05:09 PM"));

    env.insert("LC_TIME", "de_DE.UTF-8");
    env.insert("LC_NUMERIC", "de_DE.UTF-8");
    FormatSettings de;
    items = PosixLocaleReader::read(env);
    de.applyNames(items);
    de.applyItems(items);
    QCOMPARE(de.shortDateFormat, QStringLiteral("dd.mm.yyyy"));
    QCOMPARE(de.longDateFormat, QStringLiteral("ddd dd mmm yyyy"));
    QCOMPARE(de.longTimeFormat, QStringLiteral("hh:mm:ss"));
    QCOMPARE(de.timeAMString, QStringLiteral("am")); // German has none: the fall-back
    QCOMPARE(de.longMonthNames.value(2), QStringLiteral("März"));
    QCOMPARE(FormatDateText("c", moment, de), QStringLiteral("07.12.2026 14:05:09"));
    QCOMPARE(FormatNumberText("#,###,##0 bytes", 1234567.0, de), QStringLiteral("1.234.567 bytes"));
}

QTEST_APPLESS_MAIN(TestLocaleReading)
#include "tst_localereading.moc"
