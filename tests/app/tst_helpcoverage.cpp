#include "app/programfiles.h"
#include "base/commandtable.h"

#include "common/testfiles.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTextDocument>

#include <QTest>

// The help file speaks of every command the menus offer.
class TestHelpCoverage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyMenuCommandIsDescribed();
    void helpFoundBesideTheProgramOrInstalled();

private:
    QString m_help;
};

namespace {

// "&Date && Time" as the help writes it: "Date & Time".
QString plainCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    if (caption.endsWith(QLatin1String("...")))
        caption.chop(3);
    return caption.trimmed();
}

// The captions of every command a menu of the set offers, and of its submenus; the file lists
// are submenus of file names, not of commands.
QStringList menuCaptions(const CommandTable::Set &set)
{
    QStringList captions;
    for (const CommandTable::Menu &menu : set.menus) {
        for (const QString &entry : menu.entries) {
            if (entry.startsWith(u'-'))
                continue;
            const CommandTable::Command *command = set.command(entry);
            if (!command)
                command = CommandTable::frame().command(entry);
            const CommandTable::Menu *sub =
                    entry.startsWith(u'>') ? set.menu(entry.mid(1)) : nullptr;
            if (command)
                captions << plainCaption(command->caption);
            else if (sub)
                captions << plainCaption(sub->caption);
        }
    }
    return captions;
}

} // namespace

void TestHelpCoverage::initTestCase()
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(TestFiles::readBytes(
            qEnvironmentVariable("LEAFSTACK_SOURCE_DIR") + "/src/app/help/leaf95.html")));
    m_help = document.toPlainText();
    QVERIFY(m_help.size() > 1000);
}

void TestHelpCoverage::everyMenuCommandIsDescribed()
{
    const QStringList captions =
            menuCaptions(CommandTable::frame()) + menuCaptions(CommandTable::workspace());
    QVERIFY(captions.size() > 40);
    QStringList missing;
    for (const QString &caption : std::as_const(captions)) {
        if (!m_help.contains(caption) && !missing.contains(caption))
            missing << caption;
    }
    QVERIFY2(missing.isEmpty(), qPrintable("not in the help: " + missing.join(", ")));
}

void TestHelpCoverage::helpFoundBesideTheProgramOrInstalled()
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin");
    const QString data = root.filePath("share/leafstack");
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(data));
    // Neither place has it: the program's folder, where the error will name it.
    QCOMPARE(ProgramFiles::folder(bin), bin);
    QVERIFY(TestFiles::writeBytes(data + "/leaf95.html", "<html></html>"));
    QCOMPARE(ProgramFiles::folder(bin), data);
    // A build folder's copy wins.
    QVERIFY(TestFiles::writeBytes(bin + "/leaf95.html", "<html></html>"));
    QCOMPARE(ProgramFiles::folder(bin), bin);
}

QTEST_MAIN(TestHelpCoverage)
#include "tst_helpcoverage.moc"
