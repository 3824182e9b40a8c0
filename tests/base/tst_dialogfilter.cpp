#include "base/apperror.h"
#include "base/dialogfilter.h"

#include <QRegularExpression>
#include <QTest>

class TestDialogFilter : public QObject
{
    Q_OBJECT

private slots:
    void nameFilters_data();
    void nameFilters();
    void globsIgnoreCase_data();
    void globsIgnoreCase();
    void defaultIndex();
    void indexText();
};

void TestDialogFilter::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << QStringLiteral(
            "Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|HTML Files (*.HTM)|*.htm|"
            "All Files (*.*)|*.*")
                             << QStringList{"Text Files (*.TXT) (*.[tT][xX][tT])",
                                            "Initialization Files (*.INI) (*.[iI][nN][iI])",
                                            "HTML Files (*.HTM) (*.[hH][tT][mM])",
                                            "All Files (*.*) (*)"};
    QTest::newRow("several patterns")
            << QStringLiteral("Web|*.htm; *.html;|C|*.c")
            << QStringList{"Web (*.[hH][tT][mM] *.[hH][tT][mM][lL])", "C (*.[cC])"};
    // Every pair keeps its place, so a 1-based index names the same filter everywhere.
    QTest::newRow("empty pattern matches all") << QStringLiteral("None||Text|*.txt")
                                               << QStringList{"None (*)", "Text (*.[tT][xX][tT])"};
    QTest::newRow("description without pattern")
            << QStringLiteral("Text|*.txt|Dangling|")
            << QStringList{"Text (*.[tT][xX][tT])", "Dangling (*)"};
    QTest::newRow("pattern without description")
            << QStringLiteral("Text|*.txt|*.md")
            << QStringList{"Text (*.[tT][xX][tT])", "*.md (*.[mM][dD])"};
    QTest::newRow("empty") << QString() << QStringList();
}

void TestDialogFilter::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    const QStringList filters = DialogFilter::toNameFilters(filter);
    QCOMPARE(filters, expected);
    // Each entry is one a file dialog can take apart again.
    static const QRegularExpression entry(
            QStringLiteral("^(.*)\\(([a-zA-Z0-9_.,*? +;#\\-\\[\\]@\\{\\}/!<>\\$%&=^~:\\|]*)\\)$"));
    for (const QString &f : filters)
        QVERIFY2(entry.match(f).hasMatch(), qPrintable(f));
}

void TestDialogFilter::globsIgnoreCase_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("matching");
    QTest::addColumn<QStringList>("other");
    QTest::newRow("extension") << "*.txt" << QStringList{"a.txt", "B.TXT", "c.Txt"}
                               << QStringList{"a.txt.bak", "txt", "a.text"};
    QTest::newRow("all files") << "*.*" << QStringList{"Makefile", "a.b", ".hidden"}
                               << QStringList{};
    QTest::newRow("digits and marks")
            << "log-2?.1" << QStringList{"LOG-21.1", "log-2x.1"} << QStringList{"log-2.1"};
    QTest::newRow("brackets are literal")
            << "a[1].c" << QStringList{"A[1].C"} << QStringList{"a1.c"};
    QTest::newRow("blank") << "my notes.txt" << QStringList{"My Notes.TXT"}
                           << QStringList{"mynotes.txt"};
    QTest::newRow("accented letter")
            << "caf\u00e9.txt" << QStringList{"caf\u00e9.txt"} << QStringList{"cafe.tx"};
}

void TestDialogFilter::globsIgnoreCase()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, matching);
    QFETCH(QStringList, other);
    const QString glob = DialogFilter::caseInsensitiveGlob(pattern);
    QVERIFY2(!glob.contains(u' ') && !glob.contains(u'(') && !glob.contains(u')'),
             qPrintable(glob));
    // Matched case-sensitively, as the strictest file dialog would.
    const QRegularExpression rx(QRegularExpression::wildcardToRegularExpression(glob));
    for (const QString &name : matching)
        QVERIFY2(rx.match(name).hasMatch(), qPrintable(name + " / " + glob));
    for (const QString &name : other)
        QVERIFY2(!rx.match(name).hasMatch(), qPrintable(name + " / " + glob));
}

void TestDialogFilter::defaultIndex()
{
    const QStringList filters{"A (*.[aA])", "B (*.[bB])"};
    QCOMPARE(DialogFilter::nameFilterAt(filters, 1), filters[0]);
    QCOMPARE(DialogFilter::nameFilterAt(filters, 2), filters[1]);
    QCOMPARE(DialogFilter::nameFilterAt(filters, 3), QString());
    QCOMPARE(DialogFilter::nameFilterAt(filters, 0), QString());
    QCOMPARE(DialogFilter::nameFilterAt(filters, -1), QString());
}

void TestDialogFilter::indexText()
{
    QCOMPARE(DialogFilter::indexFromText("12"), 12);
    QCOMPARE(DialogFilter::indexFromText("-1"), -1);
    for (const char *bad : {"", " 1", "1 ", "x", "0x1"}) {
        bool thrown = false;
        try {
            DialogFilter::indexFromText(QString::fromLatin1(bad));
        } catch (const AppError &error) {
            thrown = true;
            QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(bad));
        }
        QVERIFY2(thrown, bad);
    }
}

QTEST_GUILESS_MAIN(TestDialogFilter)
#include "tst_dialogfilter.moc"
