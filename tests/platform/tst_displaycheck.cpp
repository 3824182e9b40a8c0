#include "platform/displaycheck.h"

#include <QTest>

class TestDisplayCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void problems_data();
    void problems();
};

void TestDisplayCheck::problems_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=value
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected"); // part of the problem; empty: none

    QTest::newRow("nothing") << QStringList() << QStringList() << "DISPLAY is not set";
    QTest::newRow("offscreen") << QStringList{"QT_QPA_PLATFORM=offscreen"} << QStringList() << "";
    QTest::newRow("-platform offscreen")
            << QStringList() << QStringList{"-platform", "offscreen"} << "";
    QTest::newRow("wayland session")
            << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList() << "";
    QTest::newRow("wayland without socket") << QStringList{"QT_QPA_PLATFORM=wayland"}
                                            << QStringList() << "WAYLAND_DISPLAY is not set";
    QTest::newRow("xcb forced in wayland")
            << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=w"} << QStringList()
            << "DISPLAY is not set";
    QTest::newRow("dead local display") << QStringList{"DISPLAY=:64999"} << QStringList()
                                        << "cannot reach the X display :64999";
    QTest::newRow("remote display trusted")
            << QStringList{"DISPLAY=remotehost:0"} << QStringList() << "";
}

void TestDisplayCheck::problems()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);

    QProcessEnvironment env;
    for (const QString &entry : environment)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    QList<QByteArray> storage{"leafstack"};
    for (const QString &argument : arguments)
        storage.append(argument.toUtf8());
    QList<char *> argv;
    for (QByteArray &argument : storage)
        argv.append(argument.data());

    const QString problem = DisplayCheck::problem(int(argv.size()), argv.data(), env);
    if (expected.isEmpty()) {
        QCOMPARE(problem, QString());
    } else {
        QVERIFY2(problem.contains(expected), qPrintable(problem));
        QVERIFY(problem.contains("xvfb-run"));
        QVERIFY(!problem.contains('\n'));
    }
}

QTEST_APPLESS_MAIN(TestDisplayCheck)
#include "tst_displaycheck.moc"
