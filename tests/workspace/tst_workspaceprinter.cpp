#include "fakeworkspacehost.h"

#include "base/errorhandler.h"
#include "controls/textdocument.h"
#include "workspace/ui/tfrmedit.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspaceprinter.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Prints into PDF files and reads them back with the poppler tools.
class TestWorkspacePrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyTextPrintsOneBlankPage();
    void pagesBreakWhereTheTextNoLongerFits();
    void longLinesWrapAtThePageWidth();
    void titleAlignmentAndColours();
    void pageRangePrintsThosePagesOnly();
    void cancelledDialogPrintsNothing();
    void printerFailureIsReported();
    void printerSetupIsTheFrames();

private:
    TfrmEdit *makeWorkspace(const QString &text);
    int print(TfrmEdit *edit);
    static QString run(const QString &program, const QStringList &arguments);
    int pdfPages() const;
    QString pdfText(int page = 0) const;

    QTemporaryDir *m_dir = nullptr;
    QMdiArea *m_area = nullptr;
    FakeWorkspaceHost m_host;
    QStringList m_errors;
};

void TestWorkspacePrinter::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftotext"})
        QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                 "the poppler tools (poppler-utils) are needed");
}

void TestWorkspacePrinter::init()
{
    m_dir = new QTemporaryDir;
    m_area = new QMdiArea;
    m_area->setWindowTitle(QStringLiteral("Leafstack - [notes.txt]"));
    m_area->resize(800, 600);
    m_area->show();
    m_host = FakeWorkspaceHost();
    m_host.pdfPath = m_dir->filePath(QStringLiteral("out.pdf"));
    m_errors.clear();
    ErrorHandler::setPresenter([this](const QString &text) { m_errors.append(text); });
}

void TestWorkspacePrinter::cleanup()
{
    ErrorHandler::setPresenter({});
    for (QMdiSubWindow *window : m_area->subWindowList())
        static_cast<TfrmEdit *>(window)->closeWithoutQuery();
    delete m_area;
    delete m_dir;
}

TfrmEdit *TestWorkspacePrinter::makeWorkspace(const QString &text)
{
    auto *edit = new TfrmEdit(m_host.services());
    m_area->addSubWindow(edit);
    edit->show();
    edit->document()->setPlainText(text);
    return edit;
}

int TestWorkspacePrinter::print(TfrmEdit *edit)
{
    edit->printer()->setPrintDialogRunner([this](QPrintDialog &) {
        [&] {
            QCOMPARE(m_host.depth, 1);
        }();
        return true;
    });
    const int pages = edit->printer()->mniPrintClick();
    [&] {
        QCOMPARE(m_host.depth, 0);
    }();
    return pages;
}

QString TestWorkspacePrinter::run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int TestWorkspacePrinter::pdfPages() const
{
    const QString info = run(QStringLiteral("pdfinfo"), {m_host.pdfPath});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                             QRegularExpression::MultilineOption)
                                                  .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page (from 1), or of the whole document.
QString TestWorkspacePrinter::pdfText(int page) const
{
    QStringList arguments;
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    return run(QStringLiteral("pdftotext"), arguments << m_host.pdfPath << "-");
}

void TestWorkspacePrinter::emptyTextPrintsOneBlankPage()
{
    TfrmEdit *edit = makeWorkspace(QString());
    QCOMPARE(print(edit), 1);
    QCOMPARE(m_errors, QStringList());
    QCOMPARE(pdfPages(), 1);
    QCOMPARE(pdfText().trimmed(), QString());
}

// Every line prints once, in order, and a page holds as many lines as fit: a text of exactly
// three pages' worth prints three pages, one line more a fourth.
void TestWorkspacePrinter::pagesBreakWhereTheTextNoLongerFits()
{
    const auto lines = [](int count) {
        QStringList list;
        for (int i = 1; i <= count; ++i)
            list << QStringLiteral("Line %1").arg(i);
        return list;
    };
    TfrmEdit *edit = makeWorkspace(lines(300).join(u'\n'));
    const int pages = print(edit);
    QVERIFY(pages > 1);
    QCOMPARE(pdfPages(), pages);
    const QRegularExpression breaks(QStringLiteral("[\\n\\f]"));
    QCOMPARE(pdfText().split(breaks, Qt::SkipEmptyParts), lines(300));
    const int perPage = int(pdfText(1).split(breaks, Qt::SkipEmptyParts).size());
    QVERIFY(perPage > 10);

    edit->document()->setPlainText(lines(3 * perPage).join(u'\n'));
    QCOMPARE(print(edit), 3);
    QCOMPARE(pdfPages(), 3);
    QVERIFY(pdfText(3).contains(QStringLiteral("Line %1\n").arg(3 * perPage)));
    QVERIFY(pdfText(2).startsWith(QStringLiteral("Line %1\n").arg(perPage + 1)));

    edit->document()->setPlainText(lines(3 * perPage + 1).join(u'\n'));
    QCOMPARE(print(edit), 4);
    QCOMPARE(pdfText(4).trimmed(), QStringLiteral("Line %1").arg(3 * perPage + 1));
}

void TestWorkspacePrinter::longLinesWrapAtThePageWidth()
{
    QStringList words;
    for (int i = 0; i < 400; ++i)
        words << QStringLiteral("w%1").arg(i);
    TfrmEdit *edit = makeWorkspace(words.join(u' '));
    edit->actions()->mniWordWrap->trigger(); // the page wraps whatever the view does
    QCOMPARE(print(edit), 1);
    const QStringList printed =
            pdfText().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QCOMPARE(printed, words);
    QVERIFY(pdfText().count(u'\n') > 5);
}

void TestWorkspacePrinter::titleAlignmentAndColours()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("leftword\nrightword\nhit"));
    edit->document()->setAlignment(1, 1, TextAlignment::Right);
    edit->document()->addHighlight(19, 3);
    QCOMPARE(print(edit), 1);
    const QString info = run(QStringLiteral("pdfinfo"), {m_host.pdfPath});
    QVERIFY2(info.contains(QRegularExpression(
                     QStringLiteral("(^|\\n)Title: +Leafstack - \\[notes\\.txt\\]\\n"))),
             qPrintable(info));
    const QString boxes = run(QStringLiteral("pdftotext"), {"-bbox", m_host.pdfPath, "-"});
    const auto left = [&](const QString &word) {
        const QRegularExpressionMatch match =
                QRegularExpression(QStringLiteral("xMin=\"([\\d.]+)\"[^>]*>%1<").arg(word))
                        .match(boxes);
        return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
    };
    QVERIFY(left(QStringLiteral("leftword")) >= 0);
    QVERIFY(left(QStringLiteral("leftword")) < 100);
    QVERIFY(left(QStringLiteral("rightword")) > 300);
    QVERIFY(left(QStringLiteral("hit")) < 100);
}

// "Pages from ... to" in the print dialog: those pages only, in the order of the text.
void TestWorkspacePrinter::pageRangePrintsThosePagesOnly()
{
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    TfrmEdit *edit = makeWorkspace(lines.join(u'\n'));
    const int all = print(edit);
    QVERIFY(all >= 4);
    const QString second = pdfText(2);
    const QString third = pdfText(3);
    const auto printRange = [&](int from, int to) {
        edit->printer()->setPrintDialogRunner([from, to](QPrintDialog &dialog) {
            dialog.printer()->setPrintRange(QPrinter::PageRange);
            dialog.printer()->setFromTo(from, to);
            return true;
        });
        return edit->printer()->mniPrintClick();
    };
    QCOMPARE(printRange(2, 3), 2);
    QCOMPARE(pdfPages(), 2);
    QCOMPARE(pdfText(1), second);
    QCOMPARE(pdfText(2), third);
    // A range reaching past the end prints what there is of it.
    QCOMPARE(printRange(all, all + 5), 1);
    QVERIFY(pdfText(1).trimmed().endsWith(QStringLiteral("Line 300")));
    QVERIFY(m_errors.isEmpty());

    // One past every page prints nothing, and says so.
    QVERIFY(QFile::remove(m_host.pdfPath));
    QCOMPARE(printRange(all + 1, all + 2), 0);
    QVERIFY(!QFile::exists(m_host.pdfPath));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.constFirst().startsWith(QStringLiteral("Nothing was printed")),
             qPrintable(m_errors.constFirst()));
    // The next print starts with the whole text again.
    QCOMPARE(print(edit), all);
}

void TestWorkspacePrinter::cancelledDialogPrintsNothing()
{
    TfrmEdit *edit = makeWorkspace(QStringLiteral("text"));
    edit->printer()->setPrintDialogRunner([](QPrintDialog &dialog) {
        [&] {
            // The whole text or a range of its pages; no selection.
            QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintSelection));
            QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintPageRange));
        }();
        return false;
    });
    edit->actions()->mniPrint->trigger();
    QCOMPARE(m_host.drops, 1);
    QCOMPARE(m_host.depth, 0);
    QVERIFY(!QFile::exists(m_host.pdfPath));
    QCOMPARE(m_errors, QStringList());
}

void TestWorkspacePrinter::printerFailureIsReported()
{
    m_host.pdfPath = m_dir->filePath(QStringLiteral("missing/out.pdf"));
    TfrmEdit *edit = makeWorkspace(QStringLiteral("text"));
    QCOMPARE(print(edit), 0);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors.constFirst().contains(QStringLiteral("Leafstack - [notes.txt]")));
}

void TestWorkspacePrinter::printerSetupIsTheFrames()
{
    TfrmEdit *edit = makeWorkspace(QString());
    QVERIFY(edit->actions()->mniPrintSetup->isEnabled());
    edit->actions()->mniPrintSetup->trigger();
    QCOMPARE(m_host.printerSetups, 1);
    QCOMPARE(edit->actions()->mniPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
}

QTEST_MAIN(TestWorkspacePrinter)
#include "tst_workspaceprinter.moc"
