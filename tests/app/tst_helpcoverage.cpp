#include "app/programfiles.h"
#include "app/ui/frameactions.h"
#include "app/ui/tfrmmain.h"
#include "workspace/ui/tfrmedit.h"

#include "common/testfiles.h"
#include <QAction>
#include <QDir>
#include <QMenu>
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

// Every command of the menu and its submenus; the file lists hold file names, not commands.
void collect(const QMenu *menu, QStringList &captions)
{
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        captions << plainCaption(action->text());
        const QMenu *sub = action->menu();
        if (sub && sub->objectName() != QLatin1String("mniReopen")
            && sub->objectName() != QLatin1String("mniFavFiles"))
            collect(sub, captions);
    }
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
    TfrmMain frame;
    TfrmEdit *workspace = frame.NewChild();
    QStringList captions;
    for (const QMenu *menu : frame.actions().frameMenus())
        collect(menu, captions);
    collect(frame.actions().pumTray, captions);
    for (const QMenu *menu : workspace->mergedMenus())
        collect(menu, captions);
    for (const QMenu *menu : workspace->findChildren<QMenu *>(QStringLiteral("pumPopup")))
        collect(menu, captions);
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
