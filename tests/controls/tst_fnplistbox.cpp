#include "controls/fnpcells.h"
#include "controls/ui/tfnplistbox.h"

#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

class TestFnpListBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cells_data();
    void cells();
    void extent();
    void spacingAcceptsOneToNine();
    void cellsArePaintedInTheirColumns();
    void longTextIsCutAtTheColumnEdge();
    void rowHeightsFixedAndVariable();
    void ctrlKeysMoveRows();
    void draggingMovesARow();
    void focusDragMarksTheRowUnderAForeignDrag();

private:
    static TFnpListBox *makeList(QWidget *parent, const QStringList &rows);
};

void TestFnpListBox::cells_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("cell");
    QTest::newRow("first") << "a\tb\tc" << 1 << "a";
    QTest::newRow("middle") << "a\tb\tc" << 2 << "b";
    QTest::newRow("last") << "a\tb\tc" << 3 << "c";
    QTest::newRow("past the last") << "a\tb\tc" << 4 << "";
    QTest::newRow("no delimiter") << "whole row" << 1 << "whole row";
    QTest::newRow("no delimiter, second") << "whole row" << 2 << "";
    QTest::newRow("empty between") << "a\t\tc" << 2 << "";
    QTest::newRow("trailing delimiter") << "a\t" << 2 << "";
    QTest::newRow("empty row") << "" << 1 << "";
}

void TestFnpListBox::cells()
{
    QFETCH(QString, row);
    QFETCH(int, n);
    QFETCH(QString, cell);
    QCOMPARE(FnpCells::cell(row, QLatin1Char('\t'), n), cell);
    QCOMPARE(FnpCells::cell(QString(row).replace('\t', ';'), QLatin1Char(';'), n), cell);
}

TFnpListBox *TestFnpListBox::makeList(QWidget *parent, const QStringList &rows)
{
    auto *list = new TFnpListBox(parent);
    list->addItems(rows);
    list->resize(300, 200);
    return list;
}

void TestFnpListBox::extent()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {"/fav/a.txt"});
    list->Cols()->add()->setWidth(500);
    QCOMPARE(list->horizontalExtent(), 0); // no scroll bar, however wide the columns
    list->setHScrollBar(true);
    QCOMPARE(list->horizontalExtent(), 505);
    list->Cols()->add()->setWidth(50);
    list->setSpacing(3);
    QCOMPARE(list->horizontalExtent(), 500 + 3 + 50 + 5);
    QCOMPARE(TFnpListBox::Version(), QStringLiteral("2.00.00"));
}

void TestFnpListBox::spacingAcceptsOneToNine()
{
    TFnpListBox list;
    QCOMPARE(list.Spacing(), 2);
    list.setSpacing(0);
    QCOMPARE(list.Spacing(), 2);
    list.setSpacing(10);
    QCOMPARE(list.Spacing(), 2);
    list.setSpacing(9);
    QCOMPARE(list.Spacing(), 9);
}

void TestFnpListBox::cellsArePaintedInTheirColumns()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {"one\ttwo\tthree", "four\tfive\tsix"});
    TFnpCol *first = list->Cols()->add();
    first->setWidth(60);
    first->setOwnerDraw(true);
    TFnpCol *second = list->Cols()->add();
    second->setWidth(70);
    second->setOwnerDraw(true);
    list->setSpacing(4);
    QList<QPair<int, QRect>> cells;
    list->OnDrawCell = [&cells](QPainter *, int row, int col, const QRect &rect, QStyle::State) {
        if (row == 1)
            cells.append({col, rect});
    };
    list->grab();
    QCOMPARE(cells.size(), 2); // two columns: the third text has none
    const QRect row = list->visualItemRect(list->item(1));
    QCOMPARE(cells.at(0).second, QRect(row.left() + 2, row.top(), 60, row.height()));
    QCOMPARE(cells.at(1).second, QRect(row.left() + 2 + 60 + 4, row.top(), 70, row.height()));

    // An owner-drawn column without a handler stays empty.
    list->OnDrawCell = nullptr;
    list->item(0)->setSelected(false);
    const QImage image = list->viewport()->grab().toImage();
    const QColor base = image.pixelColor(row.left() + 1, row.top() + 1);
    for (int x = row.left() + 2; x < row.left() + 2 + 60; ++x) {
        for (int y = row.top() + 2; y < row.bottom() - 1; ++y)
            QCOMPARE(image.pixelColor(x, y), base);
    }
}

void TestFnpListBox::longTextIsCutAtTheColumnEdge()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {QString(80, QLatin1Char('W'))});
    list->Cols()->add()->setWidth(40);
    list->setItemHeight(20);
    list->doItemsLayout();
    const QImage image = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->item(0));
    const QColor base = image.pixelColor(row.right() - 1, row.top() + 1);
    bool inked = false;
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = row.left(); x < row.left() + 42; ++x)
            inked = inked || image.pixelColor(x, y) != base;
        for (int x = row.left() + 43; x < row.right(); ++x)
            QCOMPARE(image.pixelColor(x, y), base);
    }
    QVERIFY(inked);
}

void TestFnpListBox::rowHeightsFixedAndVariable()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {"a", "b", "c"});
    QCOMPARE(list->ItemHeight(), 13);
    list->OnMeasureItem = [](int row, int &height) {
        height += row * 5;
    };
    list->doItemsLayout();
    QCOMPARE(list->visualItemRect(list->item(2)).height(), 13);
    list->setLBStyle(TFnpListBox::lbsItemHeightVariable);
    list->doItemsLayout();
    QCOMPARE(list->visualItemRect(list->item(0)).height(), 13);
    QCOMPARE(list->visualItemRect(list->item(2)).height(), 23);
}

void TestFnpListBox::ctrlKeysMoveRows()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {"a", "b", "c"});
    QSignalSpy moved(list, &TFnpListBox::rearranged);
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list->item(0)->text(), QStringLiteral("a")); // off: rows stay
    QVERIFY(moved.isEmpty());

    list->setRearrange(true);
    list->setCurrentRow(0);
    list->item(0)->setData(Qt::UserRole, 42);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(list->item(1)->text(), QStringLiteral("a"));
    QCOMPARE(list->item(1)->data(Qt::UserRole).toInt(), 42);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(moved.takeFirst(), (QList<QVariant>{0, 1}));
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier); // already last
    QCOMPARE(moved.size(), 1);
    QCOMPARE(list->item(2)->text(), QStringLiteral("a"));
    QTest::keyClick(list, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(list->item(1)->text(), QStringLiteral("a"));
    QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier); // consumed
    QCOMPARE(list->currentRow(), 1);
}

void TestFnpListBox::draggingMovesARow()
{
    QWidget parent;
    TFnpListBox *list = makeList(&parent, {"a", "b", "c", "d"});
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    list->setRearrange(true);
    QSignalSpy moved(list, &TFnpListBox::rearranged);
    const QPoint first = list->visualItemRect(list->item(0)).center();
    const QPoint third = list->visualItemRect(list->item(2)).center();

    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseMove(list->viewport(), third);
    QCOMPARE(list->markerRow(), 2);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, third);
    QCOMPARE(list->markerRow(), -1);
    QCOMPARE(moved.takeFirst(), (QList<QVariant>{0, 2}));
    QCOMPARE(list->item(2)->text(), QStringLiteral("a"));
    QCOMPARE(list->currentRow(), 2);

    // Dropped back on its own row: nothing changes.
    const QPoint own = list->visualItemRect(list->item(1)).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, own);
    QTest::mouseMove(list->viewport(), own + QPoint(0, QApplication::startDragDistance() / 2 + 1));
    QTest::mouseMove(list->viewport(), own);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, own);
    QVERIFY(moved.isEmpty());
}

namespace {

// Delivers drag events the way a drag from another window does, without a drag session.
class DragTarget : public TFnpListBox
{
public:
    using TFnpListBox::TFnpListBox;
    void enter(QMimeData *data, const QPoint &pos)
    {
        QDragEnterEvent event(pos, Qt::CopyAction, data, Qt::LeftButton, {});
        dragEnterEvent(&event);
    }
    void move(QMimeData *data, const QPoint &pos)
    {
        QDragMoveEvent event(pos, Qt::CopyAction, data, Qt::LeftButton, {});
        dragMoveEvent(&event);
    }
    void leave()
    {
        QDragLeaveEvent event;
        dragLeaveEvent(&event);
    }
};

} // namespace

void TestFnpListBox::focusDragMarksTheRowUnderAForeignDrag()
{
    QWidget parent;
    auto *list = new DragTarget(&parent);
    list->addItems({"a", "b", "c"});
    list->resize(300, 200);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QMimeData data;
    data.setText(QStringLiteral("dragged"));
    const QPoint second = list->visualItemRect(list->item(1)).center();
    const QPoint third = list->visualItemRect(list->item(2)).center();
    const QPoint below(second.x(), list->visualItemRect(list->item(2)).bottom() + 20);

    // Off: a drag from elsewhere marks nothing.
    list->enter(&data, second);
    QCOMPARE(list->markerRow(), -1);
    list->leave();

    list->setFocusDrag(true);
    QVERIFY(list->viewport()->acceptDrops());
    list->enter(&data, second);
    QCOMPARE(list->markerRow(), 1);
    list->move(&data, third);
    QCOMPARE(list->markerRow(), 2);
    list->move(&data, below); // under the last row: no marker
    QCOMPARE(list->markerRow(), -1);
    list->move(&data, second);
    QCOMPARE(list->markerRow(), 1);
    list->leave();
    QCOMPARE(list->markerRow(), -1);
    QCOMPARE(list->count(), 3);
}

QTEST_MAIN(TestFnpListBox)
#include "tst_fnplistbox.moc"
