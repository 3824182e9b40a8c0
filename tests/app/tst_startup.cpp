#include <QProcess>
#include <QTest>

// The program itself, started as a user would start it.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutDisplaySaysWhatIsMissing();
    void ownOptionsNeedNoDisplay_data();
    void ownOptionsNeedNoDisplay();
};

namespace {
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The program without any display, as from a text console.
Run runHeadless(const QStringList &arguments)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(LEAFSTACK_BINARY), arguments);
    Run run;
    if (!program.waitForFinished(20'000) || program.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = program.exitCode();
    run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}
} // namespace

void TestStartup::withoutDisplaySaysWhatIsMissing()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(LEAFSTACK_BINARY), {QStringLiteral("some file.txt")});
    QVERIFY(program.waitForFinished(20'000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit); // no toolkit abort
    QVERIFY(program.exitCode() != 0);
    const QString output = QString::fromLocal8Bit(program.readAllStandardError()).trimmed();
    QVERIFY2(!output.contains('\n'), qPrintable(output));
    QVERIFY2(output.contains("DISPLAY") && output.contains("xvfb-run"), qPrintable(output));
}

void TestStartup::ownOptionsNeedNoDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: leafstack [options] [file...]"
                          << "";
    QTest::newRow("short help among names") << QStringList{"a.txt", "-h"} << 0 << "--version"
                                            << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Leafstack " LEAFSTACK_VERSION "\n"
                             << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << ""
                                    << "leafstack: Unknown option '--bogus'";
    // Past "--", and for the toolkit's own options, these are files: the program needs its
    // display for them.
    QTest::newRow("help after double dash") << QStringList{"--", "--help"} << 2 << ""
                                            << "no display";
    QTest::newRow("toolkit option") << QStringList{"-platform", "offscreen"} << 2 << ""
                                    << "no display";
}

void TestStartup::ownOptionsNeedNoDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = runHeadless(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.contains(out), qPrintable(run.out));
    QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
