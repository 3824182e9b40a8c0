#include "app/defaulteditor.h"
#include "app/ui/defaulteditoroption.h"
#include "app/ui/frameactions.h"
#include "app/ui/tfrmmain.h"
#include "base/apperror.h"
#include "base/errorhandler.h"
#include "platform/desktopentries.h"
#include "settings/settingsstore.h"

#include "common/testfiles.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

#include <QTest>

#include <memory>

// The option against a desktop of its own: configuration, user and system data folders and a
// PATH under a temporary folder.
class TestDefaultEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void execValues_data();
    void execValues();
    void checkMarkFollowsTheEntry_data();
    void checkMarkFollowsTheEntry();
    void installAndRemoveKeepTheRestOfTheList();
    void installMakesAnEntryForAProgramTheDesktopCannotStart();
    void entryOfTheUsersOwnIsLeftAlone();
    void unwritableListRaisesAndChangesNothing();
    void systemEditorsSetAsideAndBack();
    void frameOptionFollowsTheList();
    void frameRemembersTheEditorItReplaced();

private:
    QString list() const { return m_dir->filePath("config/mimeapps.list"); }
    QString program() const { return m_dir->filePath("bin/leafstack"); }
    // The installed desktop entry, as the system's packages would put it.
    void installSystemEntry(const QByteArray &exec,
                            const QString &id = QStringLiteral("leafstack.desktop"));
    DefaultEditor editor(const QString &program) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_savedPath;
};

void TestDefaultEditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_savedPath = qgetenv("PATH");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath("home-share")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_dir->filePath("usr/share")));
    qputenv("PATH", QFile::encodeName(m_dir->filePath("bin")) + ':' + m_savedPath);
    QVERIFY(QDir().mkpath(m_dir->filePath("bin")));
    QVERIFY(TestFiles::writeBytes(program(), "#!/bin/sh\n"));
    QVERIFY(QFile::setPermissions(
            program(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void TestDefaultEditor::cleanup()
{
    qputenv("PATH", m_savedPath);
    ErrorHandler::setPresenter({});
}

void TestDefaultEditor::installSystemEntry(const QByteArray &exec, const QString &id)
{
    QVERIFY(QDir().mkpath(m_dir->filePath("usr/share/applications")));
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("usr/share/applications/" + id),
                                  "[Desktop Entry]\nType=Application\nName=Leafstack\nExec=" + exec
                                          + "\n"));
}

DefaultEditor TestDefaultEditor::editor(const QString &program) const
{
    return DefaultEditor(DefaultEditor::forThisDesktop(program));
}

void TestDefaultEditor::execValues_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("plain") << "/usr/bin/leafstack";
    QTest::newRow("blanks") << "/home/me/my programs/leafstack";
    QTest::newRow("quoting characters") << "/opt/a\"b`c$d\\e/leafstack";
    QTest::newRow("percent and tab") << "/opt/100%\tsure/leafstack";
}

void TestDefaultEditor::execValues()
{
    // What we write into a desktop entry names the program again when read back.
    QFETCH(QString, program);
    const QString value = DesktopEntries::execValueFor(program);
    QVERIFY(value.endsWith(QLatin1String(" %f")));
    QCOMPARE(DesktopEntries::execProgram(value), program);
    // Entries written by others.
    QCOMPARE(DesktopEntries::execProgram("leafstack %F"), QStringLiteral("leafstack"));
    QCOMPARE(DesktopEntries::execProgram("  \"/opt/my apps/leafstack\" --new %U"),
             QStringLiteral("/opt/my apps/leafstack"));
    // A blank from the string escapes still parts the words; a backslash is escaped twice.
    QCOMPARE(DesktopEntries::execProgram("/opt/my\\sapps/leafstack"), QStringLiteral("/opt/my"));
    QCOMPARE(DesktopEntries::execProgram(R"("/opt/a\\\\b/leafstack")"),
             QStringLiteral(R"(/opt/a\b/leafstack)"));
    QCOMPARE(DesktopEntries::execProgram(""), QString());
}

void TestDefaultEditor::checkMarkFollowsTheEntry_data()
{
    QTest::addColumn<QByteArray>("listFile");
    QTest::addColumn<QByteArray>("exec");
    QTest::addColumn<QStringList>("others"); // other editors' installed entries
    QTest::addColumn<bool>("inForce");

    const QByteArray ours = "[Default Applications]\ntext/plain=leafstack.desktop\n";
    const QStringList gedit{"gedit.desktop"};
    QTest::newRow("ours") << ours << QByteArray("leafstack %F") << QStringList() << true;
    QTest::newRow("section and type in capitals")
            << QByteArray("[DEFAULT APPLICATIONS]\nTEXT/PLAIN=leafstack.desktop\n")
            << QByteArray("leafstack %F") << QStringList() << true;
    // Desktop entry ids are case-sensitive: this names no entry the desktop has.
    QTest::newRow("id in other letters")
            << QByteArray("[Default Applications]\ntext/plain=LeafStack.Desktop\n")
            << QByteArray("leafstack %F") << QStringList() << false;
    QTest::newRow("ours first in a list")
            << QByteArray("[Default Applications]\ntext/plain=leafstack.desktop;gedit.desktop;\n")
            << QByteArray("leafstack %F") << gedit << true;
    QTest::newRow("ours after an installed editor")
            << QByteArray("[Default Applications]\ntext/plain=gedit.desktop;leafstack.desktop;\n")
            << QByteArray("leafstack %F") << gedit << false;
    // The desktop passes over ids it has no entry for.
    QTest::newRow("ours after an editor not installed")
            << QByteArray("[Default Applications]\ntext/plain=gone.desktop;leafstack.desktop;\n")
            << QByteArray("leafstack %F") << gedit << true;
    QTest::newRow("another editor")
            << QByteArray("[Default Applications]\ntext/plain=gedit.desktop\n")
            << QByteArray("leafstack %F") << gedit << false;
    QTest::newRow("emptied") << QByteArray("[Default Applications]\ntext/plain=\n")
                             << QByteArray("leafstack %F") << QStringList() << false;
    QTest::newRow("only an association")
            << QByteArray("[Added Associations]\ntext/plain=leafstack.desktop\n")
            << QByteArray("leafstack %F") << QStringList() << false;
    QTest::newRow("no list") << QByteArray() << QByteArray("leafstack %F") << QStringList()
                             << false;
    // The entry starts a program somewhere else: ours was moved away after installing.
    QTest::newRow("program moved")
            << ours << QByteArray("/opt/old/leafstack %F") << QStringList() << false;
    QTest::newRow("entry starts nothing") << ours << QByteArray() << QStringList() << false;
}

void TestDefaultEditor::checkMarkFollowsTheEntry()
{
    QFETCH(QByteArray, listFile);
    QFETCH(QByteArray, exec);
    QFETCH(QStringList, others);
    QFETCH(bool, inForce);
    installSystemEntry(exec);
    for (const QString &id : std::as_const(others))
        installSystemEntry(exec, id);
    if (!listFile.isEmpty()) {
        QVERIFY(QDir().mkpath(m_dir->filePath("config")));
        QVERIFY(TestFiles::writeBytes(list(), listFile));
    }
    QCOMPARE(editor(program()).isInForce(), inForce);
}

void TestDefaultEditor::installAndRemoveKeepTheRestOfTheList()
{
    installSystemEntry("leafstack %F");
    installSystemEntry("gedit %F", "gedit.desktop");
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    const QByteArray before = "# mine\n[Default Applications]\nimage/png=viewer.desktop\n"
                              "text/plain=gedit.desktop\n\n[Added Associations]\n"
                              "text/plain=gedit.desktop;\n";
    QVERIFY(TestFiles::writeBytes(list(), before));
    const DefaultEditor option = editor(program());

    QCOMPARE(option.install(), std::optional<QString>("gedit.desktop"));
    QVERIFY(option.isInForce());
    QCOMPARE(TestFiles::readBytes(list()),
             QByteArray(before).replace("text/plain=gedit.desktop\n\n",
                                        "text/plain=leafstack.desktop\n\n"));
    // The installed entry starts this program: no entry of the user's own is needed.
    QVERIFY(!QFileInfo::exists(m_dir->filePath("home-share/applications/leafstack.desktop")));
    // Installing again replaces nothing of the user's.
    QCOMPARE(option.install(), std::nullopt);

    option.remove("gedit.desktop");
    QVERIFY(!option.isInForce());
    QCOMPARE(TestFiles::readBytes(list()), before);
    // With nothing to bring back, the entry stays, emptied.
    option.install();
    option.remove();
    QCOMPARE(TestFiles::readBytes(list()),
             QByteArray(before).replace("text/plain=gedit.desktop\n\n", "text/plain=\n\n"));
}

void TestDefaultEditor::installMakesAnEntryForAProgramTheDesktopCannotStart()
{
    // Run from a build folder with blanks in its name, no installed entry starts it.
    const QString built = m_dir->filePath("my builds/leafstack");
    QVERIFY(QDir().mkpath(m_dir->filePath("my builds")));
    QVERIFY(QFile::copy(program(), built));
    installSystemEntry("leafstack %F");
    const DefaultEditor option = editor(built);
    QVERIFY(!option.isInForce());

    option.install();
    const QString own = m_dir->filePath("home-share/applications/leafstack.desktop");
    QCOMPARE(DesktopEntries::find("leafstack.desktop"), own);
    QCOMPARE(DesktopEntries::programOf(own), built);
    QVERIFY(option.isInForce());
    // The installed program now reads as not in force: the desktop would start the other one.
    QVERIFY(!editor(program()).isInForce());

    // Choosing the option from the installed program takes the hidden entry away again, so
    // that the menus show the installed program.
    editor(program()).install();
    QVERIFY(!QFileInfo::exists(own));
    QVERIFY(editor(program()).isInForce());
    QVERIFY(!option.isInForce());

    // Turned off, the entry made for the build copy goes too.
    option.install();
    QVERIFY(QFileInfo::exists(own));
    option.remove();
    QVERIFY(!QFileInfo::exists(own));
    QCOMPARE(DesktopEntries::find("leafstack.desktop"),
             m_dir->filePath("usr/share/applications/leafstack.desktop"));
}

void TestDefaultEditor::entryOfTheUsersOwnIsLeftAlone()
{
    const QString built = m_dir->filePath("build/leafstack");
    QVERIFY(QDir().mkpath(m_dir->filePath("build")));
    QVERIFY(QFile::copy(program(), built));
    installSystemEntry("leafstack %F");
    const QString own = m_dir->filePath("home-share/applications/leafstack.desktop");
    QVERIFY(QDir().mkpath(m_dir->filePath("home-share/applications")));
    const QByteArray mine = "[Desktop Entry]\nType=Application\nName=My Editor\nExec=leafstack "
                            "--my-way %F\n";
    QVERIFY(TestFiles::writeBytes(own, mine));

    // It starts the installed program: used as it is, and kept when the option goes off.
    editor(program()).install();
    QVERIFY(editor(program()).isInForce());
    editor(program()).remove();
    QCOMPARE(TestFiles::readBytes(own), mine);
    // The build copy would need an entry of that name: the user's is not overwritten.
    try {
        editor(built).install();
        QFAIL("the user's own desktop entry was replaced");
    } catch (const AppError &error) {
        QVERIFY(error.message().startsWith(QStringLiteral("Unable to write to %1").arg(own)));
    }
    QCOMPARE(TestFiles::readBytes(own), mine);
}

void TestDefaultEditor::frameRemembersTheEditorItReplaced()
{
    installSystemEntry(
            DesktopEntries::execValueFor(QCoreApplication::applicationFilePath()).toUtf8());
    installSystemEntry("geany %F", "geany.desktop");
    QVERIFY(QDir().mkpath(m_dir->filePath("config")));
    QVERIFY(TestFiles::writeBytes(list(), "[Default Applications]\ntext/plain=geany.desktop;\n"));
    const QString settings = m_dir->filePath("Leafstack.reg");
    {
        SettingsStore store(settings);
        TfrmMain frame;
        frame.setSettingsStore(&store);
        emit frame.actions().mnuOptions->aboutToShow();
        frame.actions().mniSetDefault->trigger();
        QVERIFY(frame.actions().mniSetDefault->isChecked());
    }
    QCOMPARE(TestFiles::readBytes(list()),
             QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n"));
    // Another run turns it off: the user's editor comes back, and nothing is left remembered.
    SettingsStore store(settings);
    TfrmMain frame;
    frame.setSettingsStore(&store);
    emit frame.actions().mnuOptions->aboutToShow();
    QVERIFY(frame.actions().mniSetDefault->isChecked());
    frame.actions().mniSetDefault->trigger();
    QVERIFY(!frame.actions().mniSetDefault->isChecked());
    QCOMPARE(TestFiles::readBytes(list()),
             QByteArray("[Default Applications]\ntext/plain=geany.desktop;\n"));
    QVERIFY(!SettingsStore(settings).keyExists(DefaultEditorOption::storeKey()));
}

void TestDefaultEditor::unwritableListRaisesAndChangesNothing()
{
    installSystemEntry("leafstack %F");
    // A file where the configuration folder should be.
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("config"), "not a folder"));
    try {
        editor(program()).install();
        QFAIL("an install that could not be written was reported as done");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Unable to write to %1").arg(list()));
    }
    QCOMPARE(TestFiles::readBytes(m_dir->filePath("config")), QByteArray("not a folder"));
}

void TestDefaultEditor::systemEditorsSetAsideAndBack()
{
    installSystemEntry("leafstack %F");
    DefaultEditor::Setup setup = DefaultEditor::forThisDesktop(program());
    const QString first = m_dir->filePath("notepad.exe");
    const QString second = m_dir->filePath("system32/notepad.exe");
    QVERIFY(QDir().mkpath(m_dir->filePath("system32")));
    QVERIFY(TestFiles::writeBytes(first, "editor"));
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("notepad.bak"), "older copy"));
    setup.systemEditors = {{first, m_dir->filePath("notepad.bak")},
                           {second, m_dir->filePath("system32/notepad.bak")}};
    const DefaultEditor option(setup);

    // The set-aside name is taken: that rename fails quietly and the entry is still written.
    option.install();
    QVERIFY(option.isInForce());
    QCOMPARE(TestFiles::readBytes(first), QByteArray("editor"));
    QCOMPARE(TestFiles::readBytes(m_dir->filePath("notepad.bak")), QByteArray("older copy"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath("system32/notepad.bak")));

    QVERIFY(QFile::remove(first));
    option.remove();
    QCOMPARE(TestFiles::readBytes(first), QByteArray("older copy"));
    QVERIFY(!QFileInfo::exists(m_dir->filePath("notepad.bak")));
}

void TestDefaultEditor::frameOptionFollowsTheList()
{
    // The frame's option for this very test program.
    installSystemEntry(
            DesktopEntries::execValueFor(QCoreApplication::applicationFilePath()).toUtf8());
    QStringList errors;
    ErrorHandler::setPresenter([&](const QString &text) { errors << text; });
    TfrmMain frame;
    QAction *option = frame.actions().mniSetDefault;
    QMenu *options = frame.actions().mnuOptions;

    emit options->aboutToShow();
    QVERIFY(!option->isChecked());
    option->trigger();
    QVERIFY(option->isChecked());
    QCOMPARE(TestFiles::readBytes(list()),
             QByteArray("[Default Applications]\ntext/plain=leafstack.desktop\n"));
    emit options->aboutToShow();
    QVERIFY(option->isChecked());

    // Another program took over meanwhile: the mark follows the list when the menu opens.
    QVERIFY(TestFiles::writeBytes(list(), "[Default Applications]\ntext/plain=gedit.desktop\n"));
    emit options->aboutToShow();
    QVERIFY(!option->isChecked());

    // A list that cannot be written: the error is shown and the mark stays as it was.
    QVERIFY(QFile::remove(list()));
    QVERIFY(QDir(m_dir->filePath("config")).removeRecursively());
    QVERIFY(TestFiles::writeBytes(m_dir->filePath("config"), "not a folder"));
    option->trigger();
    QCOMPARE(errors, QStringList{QStringLiteral("Unable to write to %1").arg(list())});
    QVERIFY(!option->isChecked());
}

QTEST_MAIN(TestDefaultEditor)
#include "tst_defaulteditor.moc"
