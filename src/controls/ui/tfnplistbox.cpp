#include "tfnplistbox.h"

#include "controls/fnpcells.h"
#include "fnpcelldelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

TFnpListBox::TFnpListBox(QWidget *parent)
    : QListWidget(parent)
    , m_cols(new TFnpCols(this))
{
    setItemDelegate(new FnpCellDelegate(this));
    setUniformItemSizes(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_cols, &TFnpCols::changed, this, &TFnpListBox::layoutChanged);
}

void TFnpListBox::setDelimChar(QChar delimiter)
{
    if (delimiter == m_delimiter)
        return;
    m_delimiter = delimiter;
    viewport()->update();
}

void TFnpListBox::setLBStyle(TlbStyle style)
{
    m_style = style;
    layoutChanged();
}

void TFnpListBox::setHScrollBar(bool on)
{
    m_hScrollBar = on;
    setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    layoutChanged();
}

void TFnpListBox::setSpacing(int spacing)
{
    if (spacing < 1 || spacing > 9 || spacing == m_spacing)
        return;
    m_spacing = spacing;
    layoutChanged();
}

void TFnpListBox::setFocusDrag(bool on)
{
    m_focusDrag = on;
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
}

void TFnpListBox::setItemHeight(int height)
{
    m_itemHeight = height;
    layoutChanged();
}

QString TFnpListBox::cellText(int row, int n) const
{
    const QListWidgetItem *rowItem = item(row);
    return rowItem ? FnpCells::cell(rowItem->text(), m_delimiter, n) : QString();
}

int TFnpListBox::horizontalExtent() const
{
    return FnpCells::extent(m_cols->widths(), m_spacing, m_hScrollBar);
}

int TFnpListBox::rowHeight(int row) const
{
    int height = m_itemHeight;
    if (m_style == lbsItemHeightVariable && OnMeasureItem)
        OnMeasureItem(row, height);
    return height;
}

void TFnpListBox::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    // Rows measured from the font measure again.
    if (event->type() == QEvent::FontChange)
        layoutChanged();
}

void TFnpListBox::layoutChanged()
{
    // Item sizes come from the delegate: make the view ask again.
    scheduleDelayedItemsLayout();
    viewport()->update();
}

int TFnpListBox::rowAt(const QPoint &pos) const
{
    const QModelIndex index = indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

void TFnpListBox::setMarker(int row)
{
    if (row == m_markerRow)
        return;
    m_markerRow = row;
    viewport()->update();
}

void TFnpListBox::moveRow(int from, int to)
{
    QListWidgetItem *moved = takeItem(from);
    insertItem(to, moved);
    Q_EMIT rearranged(from, to);
    setCurrentRow(to);
}

void TFnpListBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_rearrange || !(event->modifiers() & Qt::ControlModifier)) {
        QListWidget::keyPressEvent(event);
        return;
    }
    // While rows can be rearranged, every Ctrl key belongs to the list.
    const int row = currentRow();
    if (row >= 0 && event->key() == Qt::Key_Down && row + 1 < count())
        moveRow(row, row + 1);
    else if (row > 0 && event->key() == Qt::Key_Up)
        moveRow(row, row - 1);
    event->accept();
}

void TFnpListBox::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    if (m_rearrange && event->button() == Qt::LeftButton) {
        m_pressPos = event->position().toPoint();
        m_dragSource = currentRow();
        m_dragging = false;
    }
}

void TFnpListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_rearrange || m_dragSource < 0 || !(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    const int target = rowAt(pos);
    setMarker(target != m_dragSource ? target : -1);
}

void TFnpListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_rearrange && m_dragging) {
        const int target = rowAt(event->position().toPoint());
        const int source = m_dragSource;
        m_dragging = false;
        m_dragSource = -1;
        setMarker(-1);
        if (target >= 0 && target != source)
            moveRow(source, target);
        return;
    }
    m_dragSource = -1;
    QListWidget::mouseReleaseEvent(event);
}

void TFnpListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (m_markerRow < 0 || !item(m_markerRow))
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect focus;
    const QRect rowRect = visualItemRect(item(m_markerRow));
    focus.rect = QRect(0, rowRect.top(), viewport()->width(), rowRect.height());
    focus.palette = palette();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void TFnpListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_focusDrag && event->source() != this)
        setMarker(rowAt(event->position().toPoint()));
    QListWidget::dragEnterEvent(event);
}

void TFnpListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_focusDrag && event->source() != this)
        setMarker(rowAt(event->position().toPoint()));
    QListWidget::dragMoveEvent(event);
}

void TFnpListBox::dragLeaveEvent(QDragLeaveEvent *event)
{
    setMarker(-1);
    QListWidget::dragLeaveEvent(event);
}

void TFnpListBox::dropEvent(QDropEvent *event)
{
    setMarker(-1);
    QListWidget::dropEvent(event);
}
