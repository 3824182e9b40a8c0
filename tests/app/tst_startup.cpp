#include <QProcess>
#include <QTest>

// The program itself, started as a user would start it.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void withoutDisplaySaysWhatIsMissing();
};

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

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
