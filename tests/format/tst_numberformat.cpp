#include "base/apperror.h"
#include "format/numberformatter.h"

#include <QTest>

#include <cmath>

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patterns_data();
    void patterns();
    void separatorsComeFromTheLocale();
    void overlongPatternIsRefused();
};

void TestNumberFormat::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const QString bytes = QStringLiteral("#,###,##0 bytes");
    QTest::newRow("0 bytes") << bytes << 0.0 << "0 bytes";
    QTest::newRow("5 bytes") << bytes << 5.0 << "5 bytes";
    QTest::newRow("1234 bytes") << bytes << 1234.0 << "1,234 bytes";
    QTest::newRow("1234567 bytes") << bytes << 1234567.0 << "1,234,567 bytes";
    QTest::newRow("1234567890 bytes") << bytes << 1234567890.0 << "1,234,567,890 bytes";
    QTest::newRow("ten digits in seven places") << "#,###,##0" << 1234567890.0 << "1,234,567,890";
    QTest::newRow("999 ungrouped") << bytes << 999.0 << "999 bytes";
    QTest::newRow("comma position is irrelevant") << "0,0" << 1234567.0 << "1,234,567";
    QTest::newRow("no comma, no grouping") << "0" << 1234567.0 << "1234567";

    // Digit places.
    QTest::newRow("leading zeros") << "00000" << 42.0 << "00042";
    QTest::newRow("# drops leftover places") << "###" << 0.0 << "";
    QTest::newRow("zeros from leftmost 0 onwards") << "#0#" << 5.0 << "05";
    QTest::newRow("fraction kept") << "0.00" << 2.5 << "2.50";
    QTest::newRow("halves away from zero") << "0.00" << 2.345 << "2.35";
    QTest::newRow("negative half away") << "0" << -2.5 << "-3";
    QTest::newRow("half up") << "0" << 0.5 << "1";
    QTest::newRow("carry into new digit") << "#,##0.0" << 999999.96 << "1,000,000.0";
    QTest::newRow("optional decimals") << "#.##" << 5.0 << "5";
    QTest::newRow("optional decimals shown") << "0.##" << 1.5 << "1.5";
    QTest::newRow("fraction only") << ".00" << 0.25 << ".25";
    QTest::newRow("grouping with decimals") << "#,##0.00" << 1234567.891 << "1,234,567.89";
    QTest::newRow("tiny value") << "0.00" << 1e-300 << "0.00";

    // Text in the pattern.
    QTest::newRow("quoted text") << "0 \"#bytes\"" << 5.0 << "5 #bytes";
    QTest::newRow("single quotes") << "'n='0" << 7.0 << "n=7";
    QTest::newRow("e without sign is text") << "0 E" << 5.0 << "5 E";

    // Sections.
    QTest::newRow("negative with first section") << "0 kb" << -12.0 << "-12 kb";
    QTest::newRow("own negative section") << "0;(0);zero" << -5.0 << "(5)";
    QTest::newRow("zero section") << "0;(0);zero" << 0.0 << "zero";
    QTest::newRow("positive section") << "0;(0);zero" << 5.0 << "5";
    QTest::newRow("empty negative falls back") << "0;;zero" << -5.0 << "-5";
    QTest::newRow("rounds to zero uses zero section") << "0;(0);zero" << -0.4 << "zero";
    QTest::newRow("quoted semicolon") << "0\";\"" << 3.0 << "3;";

    // Scientific form.
    QTest::newRow("E+") << "0.00E+00" << 12345.0 << "1.23E+04";
    QTest::newRow("e-") << "0.0e-0" << 0.00012 << "1.2e-4";
    QTest::newRow("E- positive exponent") << "0.0E-00" << 1500.0 << "1.5E03";
    QTest::newRow("E+ zero") << "0.0E+0" << 0.0 << "0.0E+0";

    // The general form.
    QTest::newRow("empty pattern") << "" << 1234.5 << "1234.5";
    QTest::newRow("empty pattern fraction") << "" << 0.1 << "0.1";
    QTest::newRow("huge value") << "#,##0" << 1e18 << "1e+18";
    QTest::newRow("infinity") << "0" << HUGE_VAL << "INF";
    QTest::newRow("minus infinity") << "0" << -HUGE_VAL << "-INF";
    QTest::newRow("nan") << "0" << std::nan("") << "NAN";
}

void TestNumberFormat::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatNumberText(pattern, value, FormatSettings()), expected);
}

void TestNumberFormat::separatorsComeFromTheLocale()
{
    FormatSettings settings;
    settings.thousandSeparator = QLatin1Char('.');
    settings.decimalSeparator = QLatin1Char(',');
    QCOMPARE(FormatNumberText("#,###,##0 bytes", 1234567, settings),
             QStringLiteral("1.234.567 bytes"));
    QCOMPARE(FormatNumberText("#,##0.00", 1234.5, settings), QStringLiteral("1.234,50"));
    QCOMPARE(FormatNumberText("", 0.25, settings), QStringLiteral("0,25"));
}

void TestNumberFormat::overlongPatternIsRefused()
{
    const QString longest(224, QLatin1Char('0'));
    QCOMPARE(FormatNumberText(longest, 7, FormatSettings()), QString(223, QLatin1Char('0')) + "7");
    try {
        FormatNumberText(longest + "0", 7, FormatSettings());
        QFAIL("a pattern of 225 characters was accepted");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Format string too long"));
    }
}

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
