#include "workspace/dialogfilter.h"

#include <QTest>

class TestDialogFilter : public QObject
{
    Q_OBJECT

private slots:
    void nameFilters_data();
    void nameFilters();
};

void TestDialogFilter::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default") << QStringLiteral(
            "Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|HTML Files (*.HTM)|*.htm|"
            "All Files (*.*)|*.*")
                             << QStringList{"Text Files (*.TXT) (*.txt)",
                                            "Initialization Files (*.INI) (*.ini)",
                                            "HTML Files (*.HTM) (*.htm)", "All Files (*.*) (*.*)"};
    QTest::newRow("several patterns") << QStringLiteral("Web|*.htm; *.html;|C|*.c")
                                      << QStringList{"Web (*.htm *.html)", "C (*.c)"};
    QTest::newRow("description without pattern")
            << QStringLiteral("Text|*.txt|Dangling") << QStringList{"Text (*.txt)"};
    QTest::newRow("empty pattern left out")
            << QStringLiteral("None||Text|*.txt") << QStringList{"Text (*.txt)"};
    QTest::newRow("empty") << QString() << QStringList();
}

void TestDialogFilter::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(DialogFilter::toNameFilters(filter), expected);
}

QTEST_MAIN(TestDialogFilter)
#include "tst_dialogfilter.moc"
