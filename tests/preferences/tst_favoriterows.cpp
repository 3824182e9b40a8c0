#include "preferences/favoriterows.h"

#include <QTest>

class TestFavoriteRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filling_data();
    void filling();
    void addingKeepsOrderAndLimit();
};

void TestFavoriteRows::filling_data()
{
    QTest::addColumn<QStringList>("favorites");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("sorted ignoring case")
            << QStringList{"/b/Zeta.txt", "/a/beta.txt", "/A/alpha.txt"}
            << QStringList{"/A/alpha.txt", "/a/beta.txt", "/b/Zeta.txt"};
    QTest::newRow("empty positions left out")
            << QStringList{"", "/x", "", "", "/w", "", "", ""} << QStringList{"/w", "/x"};
    QTest::newRow("same name twice")
            << QStringList{"/x", "/X", "/x"} << QStringList{"/x", "/X", "/x"};
    QTest::newRow("none") << QStringList{"", ""} << QStringList{};
}

void TestFavoriteRows::filling()
{
    QFETCH(QStringList, favorites);
    QFETCH(QStringList, rows);
    QCOMPARE(FavoriteRows::fromFavorites(favorites), rows);
    QCOMPARE(FavoriteRows::toFavorites(rows), rows);
}

void TestFavoriteRows::addingKeepsOrderAndLimit()
{
    QStringList rows{"/home/a.txt", "/home/c.txt"};
    QVERIFY(FavoriteRows::add(rows, "/home/B.TXT"));
    QCOMPARE(rows, (QStringList{"/home/a.txt", "/home/B.TXT", "/home/c.txt"}));
    QVERIFY(FavoriteRows::add(rows, "/home/a.txt")); // a file already listed comes again
    QCOMPARE(rows.count("/home/a.txt"), 2);
    for (int i = 0; i < 4; ++i)
        QVERIFY(FavoriteRows::add(rows, QStringLiteral("/z/%1").arg(i)));
    QCOMPARE(rows.size(), FavoriteRows::kMaxRows);
    const QStringList full = rows;
    QVERIFY(!FavoriteRows::add(rows, "/0"));
    QCOMPARE(rows, full);
    QCOMPARE(FavoriteRows::toFavorites({"/a", "", "/b"}), (QStringList{"/a", "/b"}));
}

QTEST_GUILESS_MAIN(TestFavoriteRows)
#include "tst_favoriterows.moc"
