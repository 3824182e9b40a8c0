#include "app/ui/frameactions.h"
#include "app/ui/framesettings.h"
#include "app/ui/frametoolbar.h"
#include "app/ui/stayontop.h"
#include "app/ui/tfrmmain.h"
#include "base/filelists.h"
#include "base/opendialogsettings.h"
#include "base/valuelabel.h"
#include "controls/ui/tfnplistbox.h"
#include "format/clock.h"
#include "format/formatsettings.h"
#include "preferences/ui/datetimepage.h"
#include "preferences/ui/favoritespage.h"
#include "preferences/ui/filterpage.h"
#include "preferences/ui/tfrmtools.h"
#include "settings/settingsstore.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kDesignFilter = QStringLiteral(
        "Text Files (*.TXT)|*.txt|Initialization Files (*.INI)|*.ini|HTML Files (*.HTM)|*.htm|"
        "All Files (*.*)|*.*");
const QString kRule = QStringLiteral("Leafstack\n------------------\n");

class FixedClock : public Clock
{
public:
    QDateTime localNow() const override { return moment; }
    QDateTime moment{QDate(2026, 12, 7), QTime(14, 5, 9)};
};

void click(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void doubleClick(QListWidget *list, int row)
{
    const QPoint point = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
}

TSpeedItem *barItem(TSpeedBar *bar, const char *name)
{
    return bar->FindItem(QString::fromLatin1(name));
}

} // namespace

class TestTfrmTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void dialogShell();
    void filterStates();
    void filterMessages();
    void filterEditsLimited();
    void closeCommitsAndCancelDoesNot();
    void keyboardAlone();
    void dateAndTimeChoices();
    void storedChoiceOutOfRange();
    void favoritesSortedAndLimited();
    void favoritesDelete();
    void browseDialog_data();
    void browseDialog();
    void browseFilterIgnoresCase();
    void placementKeptUnderPreferences();
    void openedFromTheFrame();

private:
    std::unique_ptr<TfrmTools> makeDialog();
    // Answers every message box with answer and keeps its text.
    FilterPage::MessageRunner answering(int answer)
    {
        return [this, answer](QMessageBox &box) {
            m_messages.append(box.text());
            m_buttons.append(box.standardButtons());
            return answer;
        };
    }

    OpenDialogSettings m_open{kDesignFilter, nullptr};
    ValueLabel m_filter{QStringLiteral("lblFilter"), QStringLiteral("1"), nullptr};
    ValueLabel m_date{QStringLiteral("lblDate"), QStringLiteral("0"), nullptr};
    ValueLabel m_time{QStringLiteral("lblTime"), QStringLiteral("-1"), nullptr};
    FileLists m_lists;
    FixedClock m_clock;
    QStringList m_messages;
    QList<QMessageBox::StandardButtons> m_buttons;
};

void TestTfrmTools::initTestCase()
{
    FormatSettings::setCurrent(FormatSettings());
}

void TestTfrmTools::init()
{
    m_open.setFilter(kDesignFilter);
    m_filter.setCaption("1");
    m_date.setCaption("0");
    m_time.setCaption("-1");
    m_lists.setFavoriteFiles({});
    m_messages.clear();
    m_buttons.clear();
    m_clock.moment = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9));
}

std::unique_ptr<TfrmTools> TestTfrmTools::makeDialog()
{
    auto dialog = std::make_unique<TfrmTools>(
            PreferencesValues{&m_open, &m_filter, &m_date, &m_time, &m_lists, nullptr}, m_clock);
    dialog->filterPage()->setMessageRunner(answering(QMessageBox::Yes));
    dialog->favoritesPage()->setMessageRunner(answering(QMessageBox::Yes));
    dialog->show();
    return dialog;
}

void TestTfrmTools::dialogShell()
{
    auto dialog = makeDialog();
    QCOMPARE(dialog->windowTitle(), "Preferences...");
    QTabWidget *pages = dialog->pages();
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), "Open/Save Filters");
    QCOMPARE(pages->tabText(1), "Date && Time");
    QCOMPARE(pages->tabText(2), "Favorite Files");
    QCOMPARE(pages->currentIndex(), 0);
    TSpeedItem *close = barItem(dialog->toolBar(), "btnClose");
    TSpeedItem *cancel = barItem(dialog->toolBar(), "btnCancel");
    QVERIFY(close && cancel);
    QCOMPARE(close->BtnCaption(), "Close");
    QCOMPARE(close->Hint(), "Close Preferences|");
    QCOMPARE(cancel->BtnCaption(), "Cancel");
    QCOMPARE(cancel->Hint(), "Cancel Preferences|");
    QCOMPARE(dialog->filterPage()->toolBar()->align(), TSpeedBar::alRight);
    QVERIFY(!dialog->favoritesPage()->btnDelFiles()->isEnabled());
}

void TestTfrmTools::filterStates()
{
    auto dialog = makeDialog();
    FilterPage *page = dialog->filterPage();
    QListWidget *list = page->lstFilters();
    TSpeedBar *bar = page->toolBar();
    TSpeedItem *newItem = barItem(bar, "btnNew");
    TSpeedItem *canItem = barItem(bar, "btnCan");
    const QPoint newPlace(newItem->Left(), newItem->Top());
    QCOMPARE(list->count(), 4);
    QVERIFY(newItem->Visible() && !canItem->Visible());
    QVERIFY(!page->action("btnAdd")->isEnabled());
    QVERIFY(!page->action("btnEdit")->isEnabled());
    QVERIFY(page->edtDescription()->isHidden());
    QVERIFY(!page->chkSetDefault()->isEnabled());

    click(list, 0);
    QCOMPARE(page->editor().state(), FilterListEditor::State::Selected);
    QVERIFY(!newItem->Visible() && canItem->Visible());
    QCOMPARE(QPoint(canItem->Left(), canItem->Top()), newPlace);
    QVERIFY(page->action("btnEdit")->isEnabled() && page->action("btnDelete")->isEnabled());
    QVERIFY(page->chkSetDefault()->isEnabled() && page->chkSetDefault()->isChecked());

    doubleClick(list, 2);
    QCOMPARE(page->editor().state(), FilterListEditor::State::Editing);
    QVERIFY(page->edtDescription()->isVisible());
    QCOMPARE(page->edtDescription()->text(), "HTML Files (*.HTM)");
    QCOMPARE(page->edtExtension()->text(), "*.htm");
    QCOMPARE(barItem(bar, "btnAdd")->BtnCaption(), "Update");
    QVERIFY(!page->chkSetDefault()->isChecked());

    page->edtExtension()->setText("*.htm;*.html");
    page->chkSetDefault()->click();
    QCOMPARE(m_filter.caption(), "3");
    page->action("btnAdd")->trigger();
    QCOMPARE(list->item(2)->text(), "HTML Files (*.HTM)|*.htm;*.html");
    QVERIFY(newItem->Visible() && !canItem->Visible());
    QCOMPARE(QPoint(newItem->Left(), newItem->Top()), newPlace);
    QVERIFY(page->edtDescription()->isHidden());

    page->action("btnNew")->trigger();
    QCOMPARE(barItem(bar, "btnAdd")->BtnCaption(), "Add");
    QCOMPARE(page->edtDescription()->text(), "All Files (*.*)");
    QCOMPARE(page->edtExtension()->text(), "*.*");
    page->edtDescription()->setText("C Sources");
    page->edtExtension()->setText("*.c;*.h");
    page->chkSetDefault()->click();
    page->action("btnAdd")->trigger();
    QCOMPARE(list->count(), 5);
    QCOMPARE(list->item(4)->text(), "C Sources|*.c;*.h");
    QCOMPARE(m_filter.caption(), "5");

    // Cancel Operation leaves no row selected.
    click(list, 1);
    page->action("btnCan")->trigger();
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(page->editor().state(), FilterListEditor::State::Idle);
    QVERIFY(m_messages.isEmpty());
}

void TestTfrmTools::filterMessages()
{
    auto dialog = makeDialog();
    FilterPage *page = dialog->filterPage();
    QListWidget *list = page->lstFilters();

    page->action("btnNew")->trigger();
    page->action("btnAdd")->trigger();
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.last(),
             kRule + "A new description and/or filename must be entered before adding filter!");
    QCOMPARE(m_buttons.last(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(page->editor().state(), FilterListEditor::State::Adding);

    click(list, 3);
    page->action("btnDelete")->trigger();
    QCOMPARE(m_messages.last(), kRule + "This filter cannot be deleted!");
    QCOMPARE(list->count(), 4);
    QCOMPARE(page->editor().state(), FilterListEditor::State::Selected);

    page->setMessageRunner(answering(QMessageBox::No));
    click(list, 1);
    page->action("btnDelete")->trigger();
    QCOMPARE(m_messages.last(), kRule + "Are you sure you wish to delete this filter?");
    QCOMPARE(m_buttons.last(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->currentRow(), 1);

    m_filter.setCaption("1");
    page->setMessageRunner(answering(QMessageBox::Yes));
    click(list, 0);
    page->action("btnDelete")->trigger();
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), "Initialization Files (*.INI)|*.ini");
    QCOMPARE(m_filter.caption(), "1");
    QVERIFY(list->selectedItems().isEmpty());
}

void TestTfrmTools::filterEditsLimited()
{
    auto dialog = makeDialog();
    FilterPage *page = dialog->filterPage();
    page->action("btnNew")->trigger();
    QLineEdit *description = page->edtDescription();
    QCOMPARE(description->maxLength(), 254);
    QCOMPARE(page->edtExtension()->maxLength(), 254);
    description->clear();
    QTest::keyClicks(description, "Left|Right");
    QCOMPARE(description->text(), "LeftRight");
    description->setText(QString(300, u'x'));
    QCOMPARE(description->text().size(), 254);
}

void TestTfrmTools::closeCommitsAndCancelDoesNot()
{
    const QString favorite = QStringLiteral("/home/user/Notes.txt");
    m_lists.setFavoriteFiles({"", "/z.txt", "", "/A.txt"});
    {
        auto dialog = makeDialog();
        dialog->filterPage()->action("btnNew")->trigger();
        dialog->filterPage()->edtDescription()->setText("Logs");
        dialog->filterPage()->edtExtension()->setText("*.log");
        dialog->filterPage()->action("btnAdd")->trigger();
        click(dialog->datePage()->lstTime(), 2);
        dialog->favoritesPage()->setFileDialogRunner([&](QFileDialog &) { return favorite; });
        dialog->favoritesPage()->btnBrowse()->trigger();
        dialog->btnCancelClick();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }
    QCOMPARE(m_open.filter(), kDesignFilter);
    QCOMPARE(m_lists.favoriteFiles(), (QStringList{"", "/z.txt", "", "/A.txt"}));
    QCOMPARE(m_time.caption(), "2"); // taken at once

    {
        auto dialog = makeDialog();
        dialog->filterPage()->action("btnNew")->trigger();
        dialog->filterPage()->edtDescription()->setText("Logs");
        dialog->filterPage()->edtExtension()->setText("*.log");
        dialog->filterPage()->action("btnAdd")->trigger();
        dialog->favoritesPage()->setFileDialogRunner([&](QFileDialog &) { return favorite; });
        dialog->favoritesPage()->btnBrowse()->trigger();
        dialog->btnCloseClick();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }
    QCOMPARE(m_open.filter(), kDesignFilter + "|Logs|*.log");
    QCOMPARE(m_lists.favoriteFiles(), (QStringList{"/A.txt", favorite, "/z.txt"}));

    // The design-time list goes back unchanged; so does an emptied one, as "".
    m_open.setFilter(kDesignFilter);
    makeDialog()->btnCloseClick();
    QCOMPARE(m_open.filter(), kDesignFilter);
}

// Without a mouse: Tab reaches the bar's buttons, Alt+C is Close and Escape is Cancel; the
// favourites' rows are as tall as their font.
void TestTfrmTools::keyboardAlone()
{
    const QString favorite = QStringLiteral("/home/user/notes_with_gyp.txt");
    m_lists.setFavoriteFiles({});
    for (const bool keep : {false, true}) {
        auto dialog = makeDialog();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        dialog->pages()->setCurrentWidget(dialog->favoritesPage());
        dialog->favoritesPage()->setFileDialogRunner([&](QFileDialog &) { return favorite; });
        QWidget *browse = dialog->favoritesPage()->toolBar()->FindItem("btnBrowse")->button();
        for (int tabs = 0; tabs < 20 && QApplication::focusWidget() != browse; ++tabs)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), browse);
        QTest::keyClick(browse, Qt::Key_Space);
        QCOMPARE(dialog->favoritesPage()->rows(), QStringList{favorite});
        TFnpListBox *list = dialog->favoritesPage()->lstFavFiles();
        QVERIFY(list->rowHeight(0) >= 13);
        QVERIFY(list->visualItemRect(list->item(0)).height() >= list->fontMetrics().height());
        QFont big = list->font();
        big.setPixelSize(30);
        list->setFont(big);
        QTRY_VERIFY(list->visualItemRect(list->item(0)).height() >= 30);

        QTest::keyClick(browse, keep ? Qt::Key_C : Qt::Key_Escape,
                        keep ? Qt::AltModifier : Qt::NoModifier);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(keep ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(m_lists.favoriteFiles(), keep ? QStringList{favorite} : QStringList());
    }
}

void TestTfrmTools::dateAndTimeChoices()
{
    auto dialog = makeDialog();
    DateTimePage *page = dialog->datePage();
    QListWidget *dates = page->lstDate();
    QListWidget *times = page->lstTime();
    QCOMPARE(dates->count(), 8);
    QCOMPARE(times->count(), 4);
    QCOMPARE(dates->item(3)->text(), "Dec 7, 2026");
    QCOMPARE(dates->item(7)->text(), "Monday Dec 7, 2026");
    QCOMPARE(times->item(3)->text(), "2:05 pm");
    // First run: the "c" sample alone, which carries the time of day itself.
    QCOMPARE(dates->currentRow(), 0);
    QVERIFY(times->selectedItems().isEmpty());
    QCOMPARE(page->lblDateDisplay()->text(), "12/7/26 2:05:09 pm");
    QVERIFY(!page->chkDefault()->isChecked());

    dialog->pages()->setCurrentWidget(page);
    click(dates, 3);
    QCOMPARE(m_date.caption(), "3");
    QCOMPARE(m_time.caption(), "-1");
    click(times, 3);
    QCOMPARE(page->lblDateDisplay()->text(), "Dec 7, 2026 at 2:05 pm");
    QCOMPARE(m_date.caption(), "3");
    QCOMPARE(m_time.caption(), "3");

    // The preview keeps the samples made on opening, whatever the clock says now.
    m_clock.moment = m_clock.moment.addDays(1);
    click(times, 2);
    QCOMPARE(page->lblDateDisplay()->text(), "Dec 7, 2026 at 14:05");

    page->chkDefault()->setChecked(true);
    QCOMPARE(dates->currentRow(), 0);
    QVERIFY(times->selectedItems().isEmpty());
    QCOMPARE(page->lblDateDisplay()->text(), "12/7/26 2:05:09 pm");
    QCOMPARE(m_date.caption(), "0");
    QCOMPARE(m_time.caption(), "-1");
    // A list click clears the box; clearing it by hand changes nothing.
    click(times, 1);
    QVERIFY(!page->chkDefault()->isChecked());
    QCOMPARE(m_time.caption(), "1");
    page->chkDefault()->setChecked(true);
    page->chkDefault()->setChecked(false);
    QCOMPARE(m_time.caption(), "-1");

    // Choices made stay after Cancel; the next opening shows them.
    click(dates, 5);
    dialog->btnCancelClick();
    dialog = makeDialog();
    QCOMPARE(dialog->datePage()->lstDate()->currentRow(), 5);
    QCOMPARE(dialog->datePage()->lblDateDisplay()->text(), "8 Dec 2026");
}

void TestTfrmTools::storedChoiceOutOfRange()
{
    const QList<std::pair<QString, QString>> stored{{"8", "4"}, {"x", "1.5"}, {"-2", ""}};
    for (const auto &[date, time] : stored) {
        m_date.setCaption(date);
        m_time.setCaption(time);
        auto dialog = makeDialog();
        QCOMPARE(dialog->datePage()->lstDate()->currentRow(), 0);
        QVERIFY(dialog->datePage()->lstTime()->selectedItems().isEmpty());
        QCOMPARE(dialog->datePage()->lblDateDisplay()->text(), "12/7/26 2:05:09 pm");
    }
    m_date.setCaption("-1");
    m_time.setCaption("0");
    auto dialog = makeDialog();
    QVERIFY(dialog->datePage()->lstDate()->selectedItems().isEmpty());
    QCOMPARE(dialog->datePage()->lblDateDisplay()->text(), "2:05 pm");
}

void TestTfrmTools::favoritesSortedAndLimited()
{
    m_lists.setFavoriteFiles({"/srv/b.txt", "", "/srv/A.txt", "/srv/c.txt"});
    auto dialog = makeDialog();
    FavoritesPage *page = dialog->favoritesPage();
    TFnpListBox *list = page->lstFavFiles();
    QCOMPARE(list->Cols()->count(), 1);
    QCOMPARE(list->Cols()->at(0)->width(), 500);
    QCOMPARE(list->horizontalExtent(), 505);
    QCOMPARE(list->LBStyle(), TFnpListBox::lbsItemHeightVariable);
    QCOMPARE(page->rows(), (QStringList{"/srv/A.txt", "/srv/b.txt", "/srv/c.txt"}));

    QString next = QStringLiteral("/SRV/Zed.TXT");
    int browsed = 0;
    page->setFileDialogRunner([&](QFileDialog &) {
        ++browsed;
        return next;
    });
    page->btnBrowse()->trigger();
    QCOMPARE(page->rows().last(), "/SRV/Zed.TXT"); // case kept, in its sorted place
    next = QStringLiteral("/srv/B2.txt");
    page->btnBrowse()->trigger();
    QCOMPARE(page->rows().indexOf("/srv/B2.txt"), 2);
    for (int i = 0; i < 3; ++i) {
        next = QStringLiteral("/x/%1").arg(i);
        page->btnBrowse()->trigger();
    }
    QCOMPARE(page->rows().size(), 8);
    QVERIFY(m_messages.isEmpty());

    // The ninth is refused after the file dialog closed.
    next = QStringLiteral("/x/ninth");
    page->btnBrowse()->trigger();
    QCOMPARE(browsed, 6);
    QCOMPARE(page->rows().size(), 8);
    QCOMPARE(m_messages,
             QStringList{kRule
                         + "You are only allowed to enter 8 favorite files!\nPlease "
                           "delete one or more to add to your favorite files."});
    QCOMPARE(m_buttons.last(), QMessageBox::StandardButtons(QMessageBox::Yes));

    // A cancelled dialog adds nothing.
    next.clear();
    page->btnBrowse()->trigger();
    QCOMPARE(m_messages.size(), 1);
}

void TestTfrmTools::favoritesDelete()
{
    m_lists.setFavoriteFiles({"/a", "/b", "/c"});
    auto dialog = makeDialog();
    dialog->pages()->setCurrentIndex(2);
    FavoritesPage *page = dialog->favoritesPage();
    TFnpListBox *list = page->lstFavFiles();
    click(list, 1);
    QVERIFY(page->btnDelFiles()->isEnabled());
    page->setMessageRunner(answering(QMessageBox::No));
    page->btnDelFiles()->trigger();
    QCOMPARE(m_messages.last(), kRule + "Are you sure you wish to delete this favorite file?");
    QCOMPARE(m_buttons.last(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(page->rows().size(), 3);
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!page->btnDelFiles()->isEnabled());

    page->setMessageRunner(answering(QMessageBox::Yes));
    click(list, 1);
    page->btnDelFiles()->trigger();
    QCOMPARE(page->rows(), (QStringList{"/a", "/c"}));
    QVERIFY(!page->btnDelFiles()->isEnabled());
    dialog->btnCloseClick();
    QCOMPARE(m_lists.favoriteFiles(), (QStringList{"/a", "/c"}));
}

void TestTfrmTools::browseDialog_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("selected");
    // Whatever the default index, Linux files show: the dialog opens on "All Files".
    QTest::newRow("design index") << "1"
                                  << "All Files";
    QTest::newRow("second") << "2"
                            << "All Files";
    QTest::newRow("past the end") << "5"
                                  << "All Files";
    QTest::newRow("not a number") << "x"
                                  << "All Files";
}

void TestTfrmTools::browseDialog()
{
    QFETCH(QString, index);
    QFETCH(QString, selected);
    m_filter.setCaption(index);
    auto dialog = makeDialog();
    QStringList filters;
    QString chosen;
    QString fileName = "stale";
    dialog->favoritesPage()->setFileDialogRunner([&](QFileDialog &files) {
        filters = files.nameFilters();
        chosen = files.selectedNameFilter();
        fileName = files.selectedFiles().value(0);
        return QString();
    });
    dialog->favoritesPage()->btnBrowse()->trigger();
    QCOMPARE(filters, (QStringList{"Executable Files (*.[eE][xX][eE])", "All Files (*)"}));
    QCOMPARE(chosen, selected);
    QCOMPARE(QFileInfo(fileName).fileName(), QString());
}

void TestTfrmTools::browseFilterIgnoresCase()
{
    QTemporaryDir dir;
    for (const char *name : {"tool.exe", "SETUP.EXE", "Mixed.Exe", "notes.txt", "exe"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    auto dialog = makeDialog();
    QStringList shown;
    dialog->favoritesPage()->setFileDialogRunner([&](QFileDialog &files) {
        files.setOption(QFileDialog::DontUseNativeDialog);
        // The filter the user can still choose.
        files.selectNameFilter(files.nameFilters().constFirst());
        files.setDirectory(dir.path());
        files.show();
        auto *model = files.findChild<QFileSystemModel *>();
        const QModelIndex root = model->index(dir.path());
        const bool listed = QTest::qWaitFor([&] { return model->rowCount(root) > 0; });
        if (!listed)
            return QString();
        for (int i = 0; i < model->rowCount(root); ++i)
            shown.append(model->index(i, 0, root).data().toString());
        return QString();
    });
    dialog->favoritesPage()->btnBrowse()->trigger();
    shown.sort();
    QCOMPARE(shown, (QStringList{"Mixed.Exe", "SETUP.EXE", "tool.exe"}));
}

void TestTfrmTools::placementKeptUnderPreferences()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Leafstack.reg");
    const QString key = QStringLiteral("Software\\Orvanel\\Leafstack\\Preferences");
    {
        SettingsStore store(path);
        TfrmTools dialog({&m_open, &m_filter, &m_date, &m_time, &m_lists, &store}, m_clock);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.setGeometry(60, 70, 600, 450);
        dialog.btnCancelClick();
    }
    SettingsStore saved(path);
    QCOMPARE(saved.readString(key, "NormPos", ""), QStringLiteral("60,70,660,520"));
    QVERIFY(!saved.valueNames(key).contains("dlgOpenFile_Filter"));

    SettingsStore store(path);
    TfrmTools dialog({&m_open, &m_filter, &m_date, &m_time, &m_lists, &store}, m_clock);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.geometry(), QRect(60, 70, 600, 450));
}

void TestTfrmTools::openedFromTheFrame()
{
    TfrmMain frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.toolBar().item("btnOptions")->command, frame.actions().mniPreferences);
    frame.settings().lblTime()->setCaption("-1");
    frame.actions().mniStayOnTop->trigger();
    QVERIFY(frame.stayOnTop().isOn());

    bool seen = false;
    bool onWhileOpen = true;
    auto *poll = new QTimer(&frame);
    poll->setInterval(5);
    connect(poll, &QTimer::timeout, poll, [&] {
        auto *dialog = qobject_cast<TfrmTools *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        seen = true;
        onWhileOpen = frame.stayOnTop().isOn();
        QCOMPARE(dialog->pages()->currentIndex(), 0);
        QCOMPARE(dialog->filterPage()->lstFilters()->count(), 4);
        click(dialog->datePage()->lstTime(), 1);
        dialog->btnCloseClick();
    });
    poll->start();
    frame.actions().mniPreferences->trigger();
    QVERIFY(seen);
    QVERIFY(!onWhileOpen);
    QVERIFY(frame.stayOnTop().isOn());
    QVERIFY(frame.stayOnTop().isTopmost());
    QCOMPARE(frame.settings().lblTime()->caption(), "1");
    frame.actions().mniStayOnTop->trigger();
}

QTEST_MAIN(TestTfrmTools)
#include "tst_tfrmtools.moc"
