#include "workspacearea.h"

#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "format/clock.h"
#include "format/formatsettings.h"
#include "workspace/fileproperties.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/tfrmproperties.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacestatusbar.h"

#include "common/testfiles.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarbutton.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
class FixedClock : public Clock
{
public:
    QDateTime moment;
    QDateTime localNow() const override { return moment; }
};

// Whoever runs the tests, the read-only check must see a user the file refuses: root writes
// anything, so root looks through the eyes of "nobody" meanwhile.
class AsOrdinaryUser
{
public:
    AsOrdinaryUser()
        : m_wasRoot(::geteuid() == 0)
    {
        if (m_wasRoot && ::seteuid(65534) != 0)
            qFatal("cannot take the identity of nobody");
    }
    ~AsOrdinaryUser()
    {
        if (m_wasRoot && ::seteuid(0) != 0)
            qFatal("cannot return to root");
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

private:
    bool m_wasRoot;
};

// What the dialog showed, taken while it was open.
struct Shown
{
    QString caption, fileName, type, location, size, created, modified, accessed;
    bool readOnly = false, system = false, hidden = false, archive = false;
    int depth = -1;
    int runs = 0;
};

const QString kNow = QStringLiteral("Monday, December 7, 2026 at 2:05:09 pm");
} // namespace

class TestTfrmProperties : public WorkspaceArea
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void untitledWorkspace();
    void savedFile();
    void valuesComeFromTheFileNotThePanels();
    void readOnlyFile();
    void dotFileIsHidden();
    void deviceIsSystem();
    void vanishedFileIsReported();
    void dialogLayoutAndOk();

private:
    TfrmEdit *makeWorkspace();
    TfrmEdit *openFile(const QString &name, const QByteArray &bytes);
    Shown showProperties(TfrmEdit *edit);

    FixedClock m_clock;
};

void TestTfrmProperties::initTestCase()
{
    FormatSettings::setCurrent(FormatSettings());
    m_clock.moment = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9));
}

void TestTfrmProperties::init()
{
    openArea();
    // Others may look into the folder (the read-only check runs as another user).
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
}

void TestTfrmProperties::cleanup()
{
    closeArea();
}

TfrmEdit *TestTfrmProperties::makeWorkspace()
{
    auto *edit = new TfrmEdit(m_host.services());
    edit->setClock(&m_clock);
    return showInArea(edit);
}

TfrmEdit *TestTfrmProperties::openFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    if (!TestFiles::writeBytes(path, bytes))
        return nullptr;
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    // Wednesday, 5 March 1997, 9:07:33 in the morning, local time.
    file.setFileTime(QDateTime(QDate(1997, 3, 5), QTime(9, 7, 33)),
                     QFileDevice::FileModificationTime);
    file.close();
    TfrmEdit *edit = makeWorkspace();
    return edit->Open(path) ? edit : nullptr;
}

Shown TestTfrmProperties::showProperties(TfrmEdit *edit)
{
    Shown shown;
    edit->setPropertiesRunner([&](TfrmProperties &dialog) {
        shown.caption = dialog.windowTitle();
        shown.fileName = dialog.lblFileName->text();
        shown.type = dialog.lblType->text();
        shown.location = dialog.lblLocation->text();
        shown.size = dialog.lblSize->text();
        shown.created = dialog.lblCreated->text();
        shown.modified = dialog.lblModified->text();
        shown.accessed = dialog.lblAccessed->text();
        shown.readOnly = dialog.chkReadOnly->isChecked();
        shown.system = dialog.chkSystem->isChecked();
        shown.hidden = dialog.chkHidden->isChecked();
        shown.archive = dialog.chkArchive->isChecked();
        shown.depth = m_host.depth;
        ++shown.runs;
    });
    edit->actions()->puiProperties->trigger();
    return shown;
}

void TestTfrmProperties::untitledWorkspace()
{
    TfrmEdit *edit = makeWorkspace();
    Shown shown = showProperties(edit);
    QCOMPARE(shown.runs, 1);
    QCOMPARE(shown.depth, 1);
    QCOMPARE(m_host.depth, 0);
    QCOMPARE(shown.caption, QStringLiteral("untitled.txt - Properties"));
    QCOMPARE(shown.fileName, QStringLiteral("untitled.txt"));
    QCOMPARE(shown.type, QStringLiteral("Text Document"));
    QCOMPARE(shown.location, u' ' + m_dir->path());
    QCOMPARE(shown.size, QStringLiteral("0 bytes"));
    QCOMPARE(shown.created, kNow);
    QCOMPARE(shown.accessed, kNow);
    QCOMPARE(shown.modified, QStringLiteral("Not Modified"));
    QVERIFY(!shown.readOnly && !shown.system && !shown.hidden && !shown.archive);

    QTest::keyClicks(edit->view(), QStringLiteral("abc"));
    shown = showProperties(edit);
    QCOMPARE(shown.modified, kNow);
    QCOMPARE(shown.size, QStringLiteral("3 bytes"));
}

void TestTfrmProperties::savedFile()
{
    TfrmEdit *edit = openFile(QStringLiteral("Notes.txt"), QByteArray(1234, 'x'));
    QVERIFY(edit);
    Shown shown = showProperties(edit);
    QCOMPARE(shown.caption, QStringLiteral("Notes.txt - Properties"));
    QCOMPARE(shown.location, m_dir->path());
    QCOMPARE(shown.size, QStringLiteral("1,234 bytes"));
    QCOMPARE(shown.created, QStringLiteral("Wednesday, March 5, 1997 at 9:07:33 am"));
    QCOMPARE(shown.modified, QStringLiteral("Not Modified"));
    QCOMPARE(shown.accessed, kNow);
    QVERIFY(!shown.readOnly && !shown.system && !shown.hidden && !shown.archive);

    edit->view()->replaceSelection(QStringLiteral("y"));
    QCOMPARE(showProperties(edit).modified, kNow);
}

void TestTfrmProperties::valuesComeFromTheFileNotThePanels()
{
    // 7 bytes on disk, 5 characters in the document: each CR LF is one break.
    TfrmEdit *edit = openFile(QStringLiteral("Dos Lines.txt"), "a\r\nb\r\nc");
    QVERIFY(edit);
    QCOMPARE(edit->document()->length(), 5);
    // What the panels show is for the eye only (the path panel may be elided).
    edit->statusPanels()->setText(WorkspaceStatusBar::Size, QStringLiteral("pnlNumBytes"));
    edit->statusPanels()->setText(WorkspaceStatusBar::Path, QStringLiteral("/elsewhere/x.txt"));
    const Shown shown = showProperties(edit);
    QCOMPARE(shown.size, QStringLiteral("7 bytes"));
    QCOMPARE(shown.location, m_dir->path());
    QCOMPARE(shown.fileName, QStringLiteral("Dos Lines.txt"));
}

void TestTfrmProperties::readOnlyFile()
{
    TfrmEdit *edit = openFile(QStringLiteral("locked.txt"), "text");
    QVERIFY(edit);
    const QByteArray path = QFile::encodeName(m_dir->filePath(QStringLiteral("locked.txt")));
    QVERIFY(::chmod(path.constData(), 0444) == 0);
    Shown shown;
    {
        AsOrdinaryUser ordinary;
        shown = showProperties(edit);
    }
    QCOMPARE(m_errors, QStringList());
    QVERIFY(shown.readOnly);
    QVERIFY(!shown.system && !shown.hidden && !shown.archive);
    // Once the user may write it again, the box clears.
    QVERIFY(::chmod(path.constData(), 0666) == 0);
    {
        AsOrdinaryUser ordinary;
        shown = showProperties(edit);
    }
    QVERIFY(!shown.readOnly);
}

void TestTfrmProperties::dotFileIsHidden()
{
    TfrmEdit *edit = openFile(QStringLiteral(".profile"), "export A=1\n");
    QVERIFY(edit);
    const Shown shown = showProperties(edit);
    QCOMPARE(shown.caption, QStringLiteral(".profile - Properties"));
    QVERIFY(shown.hidden);
    QVERIFY(!shown.readOnly && !shown.system && !shown.archive);
}

void TestTfrmProperties::deviceIsSystem()
{
    FileProperties::Source source;
    source.name = QStringLiteral("null");
    source.path = source.pathPanel = QStringLiteral("/dev/null");
    const FileProperties properties = FileProperties::read(source, m_clock);
    QVERIFY(properties.system);
    QVERIFY(!properties.hidden && !properties.archive);
    QCOMPARE(properties.location, QStringLiteral("/dev"));
    source.path = source.pathPanel = QStringLiteral("/.hidden-at-root");
    QCOMPARE(FileProperties::read({QStringLiteral("x"), QStringLiteral("/x"), {}, {}, false},
                                  m_clock)
                     .location,
             QStringLiteral("/"));
}

void TestTfrmProperties::vanishedFileIsReported()
{
    TfrmEdit *edit = openFile(QStringLiteral("gone.txt"), "text");
    QVERIFY(edit);
    QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("gone.txt"))));
    const Shown shown = showProperties(edit);
    QCOMPARE(shown.runs, 0);
    QCOMPARE(m_errors, QStringList{QStringLiteral("Invalid argument to date encode")});
    QCOMPARE(m_host.depth, 0);
}

void TestTfrmProperties::dialogLayoutAndOk()
{
    TfrmProperties dialog;
    QCOMPARE(dialog.size(), QSize(367, 432));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(dialog.pages->count(), 1);
    QCOMPARE(dialog.pages->tabText(0), QStringLiteral("General"));
    const QList<TSpeedbarSection *> sections = dialog.barProperties->sections();
    QCOMPARE(sections.size(), 1);
    QCOMPARE(sections.constFirst()->Caption(), QStringLiteral("File Menu"));
    QCOMPARE(sections.constFirst()->items().size(), 1);
    TSpeedItem *ok = sections.constFirst()->items().constFirst();
    QCOMPARE(ok->name(), QStringLiteral("btnOK"));
    QCOMPARE(ok->BtnCaption(), QStringLiteral("OK"));
    QCOMPARE(ok->Caption(), QStringLiteral("Close Properties"));
    QCOMPARE(ok->Hint(), QStringLiteral("Close Properties|"));
    QVERIFY(ok->Visible());
    // The boxes show, they do not change.
    dialog.show();
    QTest::mouseClick(dialog.chkReadOnly, Qt::LeftButton);
    QVERIFY(!dialog.chkReadOnly->isChecked());
    QTest::mouseClick(ok->button(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestTfrmProperties)
#include "tst_tfrmproperties.moc"
