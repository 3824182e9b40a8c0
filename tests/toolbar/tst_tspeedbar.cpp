#include "speedbarplaces.h"
#include "toolbar/espeedbarerror.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeedbarbutton.h"
#include "toolbar/ui/tspeedbarsection.h"
#include "toolbar/ui/tspeeditem.h"

#include "toolbar/ui/speedbarglyphs.h"

#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

// The bar as the frame and the dialogs use it: sections, items backed by actions, alignment.
class TestTSpeedBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemsStandInSequence();
    void sectionCaptionsAreUnique();
    void alignment();
    void buttonsFollowTheirActions();
    void groupedItemsArePressedOneAtATime();
    void buttonsAreAccessible();
    void droppedButtonsPushOthersAlong();
    void glyphsAreGreyUntilHovered();
    void glyphsTakeTheDarkPalettesColours();
    void buttonsInADialogTakeTheKeyboard();
};

void TestTSpeedBar::itemsStandInSequence()
{
    TSpeedBar bar;
    QAction a, b, c;
    TSpeedbarSection *file = bar.AddSection("File");
    bar.AddItem(file, "btnA", &a, "A", "Alpha");
    bar.AddItem(file, "btnB", &b, "B", "Beta", false);
    bar.AddItem(file, "btnC", &c, "C", "Gamma");
    QCOMPARE(places(bar), (QStringList{"btnA@4,4", "btnC@48,4"}));
    QCOMPARE(bar.height(), 52);
    QCOMPARE(bar.FindItem("BTNC")->Caption(), QStringLiteral("Gamma"));
    QCOMPARE(bar.FindItem("btnC")->Hint(), QStringLiteral("Gamma|"));
    QCOMPARE(bar.FindItem("btnC")->button()->toolTip(), QStringLiteral("Gamma"));
    QVERIFY(!bar.FindItem("btnB")->button()->isVisibleTo(&bar));
    QVERIFY(!bar.FindItem("btnD"));
    bar.FindItem("btnB")->setVisible(true);
    QCOMPARE(places(bar), (QStringList{"btnA@4,4", "btnB@92,4", "btnC@48,4"}));
    QCOMPARE(bar.sizeHint().width(), 4 + 3 * 44 + 4);
}

void TestTSpeedBar::sectionCaptionsAreUnique()
{
    TSpeedBar bar;
    TSpeedbarSection *file = bar.AddSection("File");
    TSpeedbarSection *help = bar.AddSection("Help");
    QCOMPARE(help->Index(), 1);
    try {
        bar.AddSection("File");
        QFAIL("a second section File was added");
    } catch (const ESpeedbarError &error) {
        QCOMPARE(error.message(), QStringLiteral("String list does not allow duplicates"));
    }
    QVERIFY_THROWS_EXCEPTION(ESpeedbarError, help->setCaption("File"));
    file->setCaption("File"); // its own caption again is no duplicate
    QCOMPARE(bar.sections().size(), 2);
}

void TestTSpeedBar::alignment()
{
    TSpeedBar bar;
    QAction a, b;
    TSpeedbarSection *section = bar.AddSection("Dialog");
    bar.AddItem(section, "btnA", &a, "A", "Alpha");
    bar.AddItem(section, "btnB", &b, "B", "Beta");
    QSignalSpy moved(&bar, &TSpeedBar::PosChanged);
    for (TSpeedBar::Align refused : {TSpeedBar::alNone, TSpeedBar::alClient}) {
        try {
            bar.setAlign(refused);
            QFAIL("the alignment was taken");
        } catch (const ESpeedbarError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Cannot set this property value while Position is bpAuto"));
        }
    }
    QCOMPARE(bar.align(), TSpeedBar::alTop);
    bar.setAlign(TSpeedBar::alRight);
    QCOMPARE(moved.count(), 1);
    // A side bar stacks its buttons and keeps their order.
    QCOMPARE(places(bar), (QStringList{"btnA@4,4", "btnB@4,48"}));
    QCOMPARE(bar.width(), 52);
    QCOMPARE(bar.sizeHint().height(), 4 + 2 * 44 + 4);
    bar.setAlign(TSpeedBar::alBottom);
    QCOMPARE(places(bar), (QStringList{"btnA@4,4", "btnB@48,4"}));
    QCOMPARE(moved.count(), 2);
}

void TestTSpeedBar::buttonsFollowTheirActions()
{
    TSpeedBar bar;
    QAction close;
    int runs = 0;
    connect(&close, &QAction::triggered, this, [&] { ++runs; });
    TSpeedItem *item =
            bar.AddItem(bar.AddSection("Dialog"), "btnClose", &close, "Close", "Close Window");
    bar.show();
    QTest::mouseClick(item->button(), Qt::LeftButton);
    QCOMPARE(runs, 1);
    close.setEnabled(false);
    QVERIFY(!item->Enabled());
    QTest::mouseClick(item->button(), Qt::LeftButton);
    QCOMPARE(runs, 1);
    close.setEnabled(true);
    QVERIFY(item->Enabled());

    QAction wrap;
    wrap.setCheckable(true);
    TSpeedItem *toggle = bar.AddItem(bar.sections().first(), "btnWrap", &wrap, "Wrap", "Wrap");
    QVERIFY(toggle->button()->isCheckable());
    QTest::mouseClick(toggle->button(), Qt::LeftButton);
    QVERIFY(wrap.isChecked());
    QVERIFY(toggle->Down());
    wrap.setChecked(false);
    QVERIFY(!toggle->Down());
}

void TestTSpeedBar::groupedItemsArePressedOneAtATime()
{
    TSpeedBar bar;
    QAction left, right, center;
    TSpeedbarSection *section = bar.AddSection("Character Menu");
    QList<TSpeedItem *> items;
    for (QAction *action : {&left, &right, &center}) {
        TSpeedItem *item = bar.AddItem(section,
                                       action == &left            ? "btnLeft"
                                               : action == &right ? "btnRight"
                                                                  : "btnCenter",
                                       action, "x", "x");
        item->setGroupIndex(1);
        items.append(item);
    }
    bar.show();
    QTest::mouseClick(items[1]->button(), Qt::LeftButton);
    QVERIFY(right.isChecked());
    QTest::mouseClick(items[2]->button(), Qt::LeftButton);
    QVERIFY(center.isChecked());
    QVERIFY(!right.isChecked());
    QVERIFY(!items[1]->Down());
    // Pressing the pressed button of an exclusive group keeps it down.
    QTest::mouseClick(items[2]->button(), Qt::LeftButton);
    QVERIFY(center.isChecked());
}

void TestTSpeedBar::buttonsAreAccessible()
{
    TSpeedBar bar;
    QAction save, wrap;
    wrap.setCheckable(true);
    TSpeedbarSection *section = bar.AddSection("File Menu");
    TSpeedItem *plain = bar.AddItem(section, "btnSave", &save, "Save", "Save File");
    TSpeedItem *check = bar.AddItem(section, "btnWrap", &wrap, "Wrap", "Word Wrap");
    bar.show();
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(plain->button());
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Save"));
    QCOMPARE(face->role(), QAccessible::Button);
    save.setEnabled(false);
    QVERIFY(face->state().disabled);
    QAccessibleInterface *checkFace = QAccessible::queryAccessibleInterface(check->button());
    QVERIFY(checkFace->state().checkable);
    wrap.setChecked(true);
    QVERIFY(checkFace->state().checked);
}

void TestTSpeedBar::droppedButtonsPushOthersAlong()
{
    TSpeedBar bar;
    QAction a, b, c, d;
    TSpeedbarSection *section = bar.AddSection("File");
    bar.AddItem(section, "btnA", &a, "A", "A");
    bar.AddItem(section, "btnB", &b, "B", "B");
    bar.AddItem(section, "btnC", &c, "C", "C");
    TSpeedItem *hidden = bar.AddItem(section, "btnD", &d, "D", "D", false);
    bar.resize(400, bar.height());
    QVERIFY(bar.dropItem(hidden, QPoint(60, 30))); // on btnB's cell
    QCOMPARE(places(bar), (QStringList{"btnA@4,4", "btnB@92,4", "btnC@136,4", "btnD@48,4"}));
    // Moved along the bar to an empty place, past the others.
    QVERIFY(bar.dropItem(bar.FindItem("btnA"), QPoint(300, 10)));
    QCOMPARE(places(bar), (QStringList{"btnA@268,4", "btnB@92,4", "btnC@136,4", "btnD@48,4"}));
    QVERIFY(!bar.dropItem(bar.FindItem("btnB"), QPoint(500, 10)));
    QVERIFY(!bar.dropItem(bar.FindItem("btnB"), QPoint(10, 60)));
}

namespace {

// How many pixels of the button's face carry a clear colour rather than a shade of grey.
int colouredPixels(QWidget *button)
{
    const QImage image = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() > 128 && colour.hsvSaturation() > 100)
                ++count;
        }
    }
    return count;
}

} // namespace

void TestTSpeedBar::glyphsAreGreyUntilHovered()
{
    // Every command has a picture of its own.
    QList<QImage> drawn;
    for (const QString &name : SpeedbarGlyphs::names()) {
        const QImage glyph = SpeedbarGlyphs::icon(name).pixmap(32).toImage();
        int inked = 0;
        for (int y = 0; y < glyph.height(); ++y) {
            for (int x = 0; x < glyph.width(); ++x)
                inked += glyph.pixelColor(x, y).alpha() > 128;
        }
        QVERIFY2(inked > 60, qPrintable(name));
        QVERIFY2(!drawn.contains(glyph), qPrintable(name));
        drawn.append(glyph);
    }
    QCOMPARE(drawn.size(), 30);
    QVERIFY(SpeedbarGlyphs::icon("NoSuchCommand").isNull());

    TSpeedBar bar;
    QAction save;
    TSpeedItem *item = bar.AddItem(bar.AddSection("File"), "btnSave", &save, "Save", "Save File");
    item->setGlyph(SpeedbarGlyphs::icon("Save"));
    bar.show();
    TSpeedbarButton *button = item->button();
    QCOMPARE(colouredPixels(button), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    QVERIFY(button->hovered());
    QVERIFY(colouredPixels(button) > 50);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    QCOMPARE(colouredPixels(button), 0);
    // Without greyed buttons the glyph shows its colours all the time; disabled it never does.
    bar.setOptions(bar.options() & ~TSpeedBar::sbGrayedBtns);
    QVERIFY(colouredPixels(button) > 50);
    save.setEnabled(false);
    QCOMPARE(colouredPixels(button), 0);
}

void TestTSpeedBar::glyphsTakeTheDarkPalettesColours()
{
    const QPalette light = QGuiApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        dark.setColor(role, QColor(0xe8, 0xe8, 0xe8));
    QGuiApplication::setPalette(dark);
    // Drawn on a 32 grid, here at 64: the clock's face over the calendar, and its hand.
    const QImage date = SpeedbarGlyphs::icon("DateTime").pixmap(64).toImage();
    QGuiApplication::setPalette(light);
    const QColor face = date.pixelColor(38, 52);
    const QColor hand = date.pixelColor(45, 41);
    QVERIFY2(face.alpha() == 255 && face.lightness() < 100, qPrintable(face.name()));
    QVERIFY2(hand.lightness() > 150, qPrintable(hand.name()));
}

void TestTSpeedBar::buttonsInADialogTakeTheKeyboard()
{
    QDialog dialog;
    TSpeedBar bar(&dialog);
    QAction close, cancel, greyed;
    greyed.setEnabled(false);
    int closed = 0, cancelled = 0;
    connect(&close, &QAction::triggered, this, [&] { ++closed; });
    connect(&cancel, &QAction::triggered, this, [&] { ++cancelled; });
    close.setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    TSpeedbarSection *file = bar.AddSection("File");
    TSpeedbarButton *first = bar.AddItem(file, "btnClose", &close, "Close", "Close")->button();
    bar.AddItem(file, "btnGreyed", &greyed, "Grey", "Grey");
    TSpeedbarButton *last = bar.AddItem(file, "btnCancel", &cancel, "Cancel", "Cancel")->button();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(first->focusPolicy(), Qt::TabFocus);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QTest::keyClick(first, Qt::Key_Space);
    QCOMPARE(closed, 2);
    // Tab passes over the greyed button.
    QTest::keyClick(first, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), last);
    QTest::keyClick(last, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(cancelled, 1);
    // The Alt letter of the command is underlined in its caption.
    first->clearFocus();
    const QImage marked = first->grab().toImage();
    close.setShortcut({});
    QVERIFY(first->grab().toImage() != marked);

    // On a main window's bar the buttons leave the keyboard to the text.
    QWidget window;
    TSpeedBar frameBar(&window);
    TSpeedbarButton *button =
            frameBar.AddItem(frameBar.AddSection("File"), "btnNew", &close, "New", "New")->button();
    window.show();
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(TestTSpeedBar)
#include "tst_tspeedbar.moc"
