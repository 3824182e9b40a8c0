#include "app/aboutreport.h"
#include "app/ui/tfrmabout.h"
#include "platform/machineregistry.h"
#include "platform/systemfacts.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include "common/testfiles.h"
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <QApplication>
#include <QGuiApplication>
#include <QTest>

class TestAboutBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ownerAndOrganization_data();
    void ownerAndOrganization();
    void registryAnswersOnlyWhereTheOwnerIsKept();
    void versionAndBuild_data();
    void versionAndBuild();
    void readsTheSystemsFiles();
    void sourcesInOtherShapes();
    void boxShowsTheReportEachTimeItIsActivated();
    void closeButtonEndsTheBox();
};

namespace {

SystemFacts facts(const QString &fullName, const QString &login, const QString &organization)
{
    SystemFacts result;
    result.fullName = fullName;
    result.loginName = login;
    result.organization = organization;
    result.processor = QStringLiteral("AMD Ryzen 7 5800X 8-Core Processor");
    result.machine = QStringLiteral("x86_64");
    result.distribution = QStringLiteral("Debian GNU/Linux");
    result.kernelName = QStringLiteral("Linux");
    result.kernelRelease = QStringLiteral("6.1.0-13-amd64");
    return result;
}

} // namespace

void TestAboutBox::ownerAndOrganization_data()
{
    QTest::addColumn<QString>("fullName");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("organization");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("shownOrganization");
    QTest::newRow("full name and organisation") << "Ada Lovelace"
                                                << "ada"
                                                << "Analytical Engines Ltd"
                                                << "Ada Lovelace"
                                                << "Analytical Engines Ltd";
    QTest::newRow("no full name") << ""
                                  << "ada"
                                  << ""
                                  << "ada"
                                  << "unknown";
    QTest::newRow("nothing known") << ""
                                   << ""
                                   << ""
                                   << "unknown"
                                   << "unknown";
}

void TestAboutBox::ownerAndOrganization()
{
    QFETCH(QString, fullName);
    QFETCH(QString, login);
    QFETCH(QString, organization);
    QFETCH(QString, owner);
    QFETCH(QString, shownOrganization);
    const SystemFacts machine = facts(fullName, login, organization);
    const AboutReport report = AboutReport::fill(MachineRegistry(machine), machine);
    QCOMPARE(report.owner, owner);
    QCOMPARE(report.organization, shownOrganization);
}

void TestAboutBox::registryAnswersOnlyWhereTheOwnerIsKept()
{
    const MachineRegistry registry(facts("Ada Lovelace", "ada", ""));
    const QString nt = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    QCOMPARE(registry.value(nt, "RegisteredOwner"), std::optional<QString>("Ada Lovelace"));
    QCOMPARE(registry.value("software\\microsoft\\windows nt\\currentversion\\", "registeredowner"),
             std::optional<QString>("Ada Lovelace"));
    // The first key the report reads holds nothing here, so the report's second read counts.
    QCOMPARE(registry.value("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner"),
             std::nullopt);
    QCOMPARE(registry.value(nt, "RegisteredOrganization"), std::nullopt);
    QCOMPARE(registry.value(nt, "ProductName"), std::nullopt);
}

void TestAboutBox::versionAndBuild_data()
{
    QTest::addColumn<QString>("release");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("build");
    QTest::newRow("Debian") << "6.1.0-13-amd64"
                            << "6.1"
                            << "0";
    QTest::newRow("patch level") << "5.15.133.1-microsoft-standard-WSL2"
                                 << "5.15"
                                 << "133";
    QTest::newRow("two parts") << "4.0"
                               << "4.0"
                               << "0";
    QTest::newRow("build past 16 bits") << "6.1.66486"
                                        << "6.1"
                                        << "950";
    QTest::newRow("no numbers") << "custom"
                                << "0.0"
                                << "0";
}

void TestAboutBox::versionAndBuild()
{
    QFETCH(QString, release);
    QFETCH(QString, version);
    QFETCH(QString, build);
    QCOMPARE(AboutReport::versionOf(release), version);
    QCOMPARE(AboutReport::buildOf(release), build);
}

void TestAboutBox::readsTheSystemsFiles()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("proc"));
    QVERIFY(QDir(root.path()).mkpath("usr/lib"));
    QVERIFY(QDir(root.path()).mkpath("etc"));
    QVERIFY(TestFiles::writeBytes(
            root.filePath("proc/cpuinfo"),
            "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: "
            "Intel(R) Core(TM)   i5-8250U CPU @ 1.60GHz\n\nprocessor\t: 1\n"));
    // Only the fallback place holds os-release.
    QVERIFY(TestFiles::writeBytes(root.filePath("usr/lib/os-release"),
                                  "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n"
                                  "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n"));
    QVERIFY(TestFiles::writeBytes(root.filePath("etc/organization"), "Orvanel Software\nline 2\n"));
    qunsetenv("ORGANIZATION");
    const SystemFacts read = SystemFacts::read(root.path());
    QCOMPARE(read.processor, QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    QCOMPARE(read.distribution, QStringLiteral("Debian GNU/Linux"));
    QCOMPARE(read.organization, QStringLiteral("Orvanel Software"));
    QVERIFY(!read.loginName.isEmpty());
    QVERIFY(!read.kernelRelease.isEmpty());

    // A machine that says nothing: the kernel's name and the processor type stand in.
    QTemporaryDir empty;
    const SystemFacts bare = SystemFacts::read(empty.path());
    const AboutReport report = AboutReport::fill(MachineRegistry(bare), bare);
    QCOMPARE(report.system, bare.kernelName);
    QCOMPARE(report.processor, bare.machine);
    QVERIFY(!report.system.isEmpty());
}

void TestAboutBox::sourcesInOtherShapes()
{
    QCOMPARE(SystemFacts::fullNameFromGecos("Ada Lovelace,Room 4,555-1234,,", "ada"),
             QStringLiteral("Ada Lovelace"));
    QCOMPARE(SystemFacts::fullNameFromGecos("& Byron", "ada"), QStringLiteral("Ada Byron"));
    QCOMPARE(SystemFacts::fullNameFromGecos(",,,", "ada"), QString());
    QCOMPARE(SystemFacts::processorFromCpuInfo("processor\t: 0\nBogoMIPS\t: 108.00\n"
                                               "Model\t\t: Raspberry Pi 4 Model B Rev 1.4\n"),
             QStringLiteral("Raspberry Pi 4 Model B Rev 1.4"));
    QCOMPARE(SystemFacts::distributionFromOsRelease("NAME=Fedora\n"), QStringLiteral("Fedora"));
    QCOMPARE(SystemFacts::distributionFromOsRelease("NAME='Arch Linux'\n"),
             QStringLiteral("Arch Linux"));
    QCOMPARE(SystemFacts::distributionFromOsRelease("NAME=\"Say \\\"hi\\\"\"\n"),
             QStringLiteral("Say \"hi\""));
    QCOMPARE(SystemFacts::distributionFromOsRelease("PRETTY_NAME=x\n"), QString());
    QCOMPARE(SystemFacts::organizationFrom("  Acme  ", "Other\n"), QStringLiteral("Acme"));
    QCOMPARE(SystemFacts::organizationFrom("", "Other\n"), QStringLiteral("Other"));
    QCOMPARE(SystemFacts::organizationFrom("", "No line end"), QStringLiteral("No line end"));
}

void TestAboutBox::boxShowsTheReportEachTimeItIsActivated()
{
    SystemFacts machine = facts("Ada Lovelace", "ada", "");
    TfrmAbout about(nullptr, [&] { return machine; });
    QCOMPARE(about.size(), QSize(299, 347));
    QVERIFY(about.windowFlags() & Qt::FramelessWindowHint);
    about.FormActivate();
    const auto text = [&](const char *name) {
        return about.label(name)->text();
    };
    QCOMPARE(text("lblRegOwner"), QStringLiteral("Ada Lovelace"));
    QCOMPARE(text("lblRegOrganization"), QStringLiteral("unknown"));
    QCOMPARE(text("lblFreeGDI"), QStringLiteral("AMD Ryzen 7 5800X 8-Core Processor"));
    QCOMPARE(text("lblFreeSystem"), QStringLiteral("Debian GNU/Linux"));
    QCOMPARE(text("lblFreeUser"), QStringLiteral("6.1"));
    QCOMPARE(text("lblDisBuild"), QStringLiteral("0"));
    QCOMPARE(text("lblRegistered"), QStringLiteral("Registered To:"));
    QCOMPARE(text("lblGDI"), QStringLiteral("Processor:"));
    QCOMPARE(text("lblSystem"), QStringLiteral("Operating System:"));
    QCOMPARE(text("lblUser"), QStringLiteral("Version:"));
    QCOMPARE(text("lblBuild"), QStringLiteral("Build:"));
    QVERIFY(text("lblVersion").startsWith(QLatin1String("Version ")));
    QVERIFY(!about.label("imgAbout")->pixmap().isNull());

    // The machine changed meanwhile: the next activation reports afresh.
    machine.organization = QStringLiteral("Orvanel");
    machine.kernelRelease = QStringLiteral("6.5.7");
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(text("lblRegOrganization"), QStringLiteral("Orvanel"));
    QCOMPARE(text("lblDisBuild"), QStringLiteral("7"));
}

void TestAboutBox::closeButtonEndsTheBox()
{
    TfrmAbout about(nullptr, [] { return SystemFacts(); });
    TSpeedItem *item = about.toolBar()->FindItem(QStringLiteral("btnOK"));
    QVERIFY(item);
    QCOMPARE(item->BtnCaption(), QStringLiteral("Close"));
    QCOMPARE(item->Caption(), QStringLiteral("Close About Box"));
    QCOMPARE(item->Hint(), QStringLiteral("Close About Box"));
    QVERIFY(item->Visible());
    QCOMPARE(about.toolBar()->sections().size(), 1);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    item->action()->trigger();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));

    // Return, Space and Escape close it too, wherever the focus is.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : &about;
        QTest::keyClick(focus, key);
        QVERIFY2(!about.isVisible(), qPrintable(QKeySequence(key).toString()));
    }

    // Its Close picture is drawn in the palette's colours: light on a dark palette.
    const QPalette light = QGuiApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::WindowText, Qt::white);
    QGuiApplication::setPalette(dark);
    const QImage glyph = item->Glyph().pixmap(32).toImage();
    QGuiApplication::setPalette(light);
    int lightPixels = 0;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            const QColor pixel = glyph.pixelColor(x, y);
            lightPixels += pixel.alpha() > 200 && pixel.lightness() > 200;
        }
    }
    QVERIFY(lightPixels > 20);
}

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
