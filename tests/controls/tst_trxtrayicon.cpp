#include "app/ui/frametray.h"
#include "controls/trayhint.h"
#include "controls/ui/trayarea.h"
#include "controls/ui/trxtrayicon.h"

#include <QAction>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSignalSpy>

#include <QTest>

namespace {

// A notification area that records what it was asked to do.
class FakeArea : public TrayArea
{
public:
    bool add(const QIcon &icon, const QString &tip) override
    {
        calls << QStringLiteral("add ") + tip;
        shownIcon = icon;
        present = true;
        return hasArea;
    }
    void modify(const QIcon &icon, const QString &tip) override
    {
        calls << QStringLiteral("modify ") + tip;
        shownIcon = icon;
    }
    void remove() override
    {
        calls << QStringLiteral("remove");
        present = false;
    }
    void setMenu(QMenu *menu) override { this->menu = menu; }
    bool available() const override { return hasArea; }

    QStringList calls;
    QIcon shownIcon;
    QMenu *menu = nullptr;
    bool present = false;
    bool hasArea = true;
};

QIcon filled(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor colourOf(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
}

} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hintIsCut_data();
    void hintIsCut();
    void iconComesAndGoes();
    void doubleClickRunsTheDefaultItem();
    void clicksWithoutAMenuAreReported();
    void menuGoneWithItsOwner();
    void animationShowsTheIconsInTurn();
    void minimiseGoesToTheTrayWhenThereIsOne();
};

void TestTrayIcon::hintIsCut_data()
{
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("tip");
    QTest::newRow("plain") << "Leafstack"
                           << "Leafstack";
    QTest::newRow("short part") << "Leafstack|The plain-text editor"
                                << "Leafstack";
    QTest::newRow("only a long part") << "|long"
                                      << "";
    QTest::newRow("63 kept") << QString(63, 'x') << QString(63, 'x');
    QTest::newRow("64 cut") << QString(64, 'x') << QString(63, 'x');
    QTest::newRow("cut before the bar") << QString(70, 'y') + "|z" << QString(63, 'y');
    // A character outside the basic plane is not cut in half.
    QTest::newRow("no half character")
            << QString(62, 'a') + QString::fromUtf8("\xF0\x9F\x8D\x83") << QString(62, 'a');
}

void TestTrayIcon::hintIsCut()
{
    QFETCH(QString, hint);
    QFETCH(QString, tip);
    QCOMPARE(TrayHint::shortHint(hint), tip);
}

void TestTrayIcon::iconComesAndGoes()
{
    auto *area = new FakeArea;
    TRxTrayIcon icon(nullptr, area);
    area->setParent(&icon);
    // With an empty icon nothing is added.
    icon.setHint(QStringLiteral("Leafstack|long"));
    QVERIFY(area->calls.isEmpty());
    QVERIFY(!icon.isAdded());

    icon.setIcon(filled(Qt::red));
    QCOMPARE(area->calls, QStringList{"add Leafstack"});
    QVERIFY(icon.isAdded());
    icon.setHint(QString(70, 'h'));
    QCOMPARE(area->calls.last(), "modify " + QString(63, 'h'));

    // Emptying the icon takes it out of the area.
    icon.setIcon(QIcon());
    QCOMPARE(area->calls.last(), QStringLiteral("remove"));
    QVERIFY(!icon.isAdded());

    icon.setIcon(filled(Qt::red));
    QVERIFY(area->present);
    icon.setActive(false);
    QVERIFY(!area->present);
    icon.setHint(QStringLiteral("changed while inactive"));
    QVERIFY(!area->present);
    icon.setActive(true);
    QVERIFY(area->present);

    // No notification area on this desktop: the icon is not in a tray.
    area->hasArea = false;
    icon.Show();
    QVERIFY(!icon.isInTray());
}

void TestTrayIcon::doubleClickRunsTheDefaultItem()
{
    auto *area = new FakeArea;
    TRxTrayIcon icon(nullptr, area);
    area->setParent(&icon);
    QMenu menu;
    QAction *first = menu.addAction(QStringLiteral("first"));
    QAction *restore = menu.addAction(QStringLiteral("Leafstack..."));
    menu.setDefaultAction(restore);
    icon.setPopupMenu(&menu);
    QCOMPARE(area->menu, &menu);
    QSignalSpy restored(restore, &QAction::triggered);
    QSignalSpy other(first, &QAction::triggered);
    QSignalSpy unhandled(&icon, &TRxTrayIcon::OnDblClick);

    emit area->doubleClicked();
    QCOMPARE(restored.size(), 1);
    QCOMPARE(other.size(), 0);
    QCOMPARE(unhandled.size(), 0);

    // A menu without a default item leaves the double-click to the event.
    menu.setDefaultAction(nullptr);
    emit area->doubleClicked();
    QCOMPARE(unhandled.size(), 1);
    QCOMPARE(restored.size(), 1);

    // So does an inactive icon.
    menu.setDefaultAction(restore);
    icon.setActive(false);
    emit area->doubleClicked();
    QCOMPARE(unhandled.size(), 2);
    QCOMPARE(restored.size(), 1);
}

void TestTrayIcon::clicksWithoutAMenuAreReported()
{
    auto *area = new FakeArea;
    TRxTrayIcon icon(nullptr, area);
    area->setParent(&icon);
    QSignalSpy clicks(&icon, &TRxTrayIcon::OnClick);
    emit area->rightClicked();
    emit area->leftClicked();
    QCOMPARE(clicks.size(), 2);
    QCOMPARE(clicks.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(clicks.at(1).at(0).value<Qt::MouseButton>(), Qt::LeftButton);

    // With a menu the desktop shows it on the right-click; only the left click is reported.
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    icon.setPopupMenu(&menu);
    emit area->rightClicked();
    emit area->leftClicked();
    QCOMPARE(clicks.size(), 3);
    QCOMPARE(clicks.at(2).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
}

void TestTrayIcon::menuGoneWithItsOwner()
{
    auto *area = new FakeArea;
    TRxTrayIcon icon(nullptr, area);
    area->setParent(&icon);
    QSignalSpy unhandled(&icon, &TRxTrayIcon::OnDblClick);
    {
        QMenu menu;
        menu.setDefaultAction(menu.addAction(QStringLiteral("item")));
        icon.setPopupMenu(&menu);
    }
    QCOMPARE(icon.PopupMenu(), nullptr);
    emit area->doubleClicked();
    QCOMPARE(unhandled.size(), 1);
}

void TestTrayIcon::animationShowsTheIconsInTurn()
{
    auto *area = new FakeArea;
    TRxTrayIcon icon(nullptr, area);
    area->setParent(&icon);
    icon.setIcon(filled(Qt::red));
    QCOMPARE(icon.Interval(), 150);
    QCOMPARE(icon.animationIndex(), -1);

    // Animated without icons: nothing runs.
    icon.setAnimated(true);
    QVERIFY(!icon.animationTimer().isActive());

    icon.setIcons({filled(Qt::green), filled(Qt::blue)});
    QVERIFY(icon.animationTimer().isActive());
    QCOMPARE(icon.animationIndex(), 0);
    QCOMPARE(colourOf(area->shownIcon), QColor(Qt::green));
    icon.setInterval(40);
    QCOMPARE(icon.animationTimer().interval(), 40);
    // Each step of the timer moves on, back to the first past the last.
    icon.Animate();
    QCOMPARE(colourOf(area->shownIcon), QColor(Qt::blue));
    icon.Animate();
    QCOMPARE(colourOf(area->shownIcon), QColor(Qt::green));

    // Hidden, the animation pauses; shown again, it goes on.
    icon.setActive(false);
    QVERIFY(!icon.animationTimer().isActive());
    icon.setActive(true);
    QVERIFY(icon.animationTimer().isActive());

    // Emptying the list stops it and brings back the plain icon.
    icon.setIcons({});
    QVERIFY(!icon.animationTimer().isActive());
    QCOMPARE(colourOf(area->shownIcon), QColor(Qt::red));
    icon.setIcons({filled(Qt::green)});
    icon.setAnimated(false);
    QVERIFY(!icon.animationTimer().isActive());
    QCOMPARE(colourOf(area->shownIcon), QColor(Qt::red));
}

void TestTrayIcon::minimiseGoesToTheTrayWhenThereIsOne()
{
    for (const bool hasArea : {true, false}) {
        QMainWindow frame;
        QMenu menu;
        auto *area = new FakeArea;
        area->hasArea = hasArea;
        FrameTray tray(&frame, &menu, area);
        area->setParent(&tray);
        QVERIFY(area->present);
        QCOMPARE(tray.tryMain()->tip(), QStringLiteral("Leafstack"));
        QCOMPARE(area->menu, &menu);
        // A Workspace's Find window: a window of its own over a child of the frame.
        auto *child = new QWidget;
        frame.setCentralWidget(child);
        QDialog find(child);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        find.show();
        frame.showMinimized();
        QCoreApplication::processEvents();
        // With a tray only its icon remains; without one the window stays to be restored.
        QCOMPARE(frame.isVisible(), !hasArea);
        QVERIFY(frame.isMinimized());
        QCOMPARE(find.isVisible(), !hasArea);
        // Back from the tray, the Find window comes back with the frame.
        frame.showNormal();
        QTRY_VERIFY(find.isVisible());
    }
}

QTEST_MAIN(TestTrayIcon)
#include "tst_trxtrayicon.moc"
