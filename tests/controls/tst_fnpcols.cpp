#include "controls/tfnpcols.h"

#include <QSignalSpy>
#include <QTest>

// The columns of a multi-column list: the list lays itself out again on each change reported.
class TestFnpCols : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachChangeIsReportedOnce();
    void assignCopiesAndReportsOnlyADifference();
};

void TestFnpCols::eachChangeIsReportedOnce()
{
    TFnpCols cols;
    QSignalSpy changed(&cols, &TFnpCols::changed);
    TFnpCol *first = cols.add();
    TFnpCol *second = cols.add();
    QCOMPARE(changed.size(), 2);
    first->setWidth(60);
    second->setAlignment(Qt::AlignRight);
    second->setOwnerDraw(true);
    QCOMPARE(changed.size(), 5);
    // Setting what is already there changes nothing.
    first->setWidth(60);
    second->setAlignment(Qt::AlignRight);
    QCOMPARE(changed.size(), 5);
    QCOMPARE(cols.widths(), (QList<int>{60, 150}));
    cols.clear();
    QCOMPARE(changed.size(), 6);
    QCOMPARE(cols.count(), 0);
}

void TestFnpCols::assignCopiesAndReportsOnlyADifference()
{
    TFnpCol from;
    from.setWidth(80);
    from.setAlignment(Qt::AlignHCenter);
    from.setOwnerDraw(true);
    TFnpCol to;
    QSignalSpy changed(&to, &TFnpCol::changed);
    to.assign(from);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(to.width(), 80);
    QCOMPARE(to.alignment(), Qt::Alignment(Qt::AlignHCenter));
    QVERIFY(to.ownerDraw());
    to.assign(from);
    QCOMPARE(changed.size(), 1);
    // The property names a stored list of columns uses.
    QCOMPARE(to.property("Width").toInt(), 80);
    QVERIFY(to.setProperty("OwnerDraw", false));
    QVERIFY(!to.ownerDraw());
}

QTEST_GUILESS_MAIN(TestFnpCols)
#include "tst_fnpcols.moc"
