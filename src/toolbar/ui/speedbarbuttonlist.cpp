#include "speedbarbuttonlist.h"

#include "tspeedbar.h"
#include "tspeedbarbutton.h"
#include "tspeeditem.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

SpeedbarButtonList::SpeedbarButtonList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setDragEnabled(false);
}

void SpeedbarButtonList::setItems(TSpeedBar *bar, const QList<TSpeedItem *> &items)
{
    const int row = currentRow();
    m_bar = bar;
    m_items.clear();
    clear();
    const QSize size(bar->BtnWidth(), bar->BtnHeight());
    setIconSize(size);
    for (TSpeedItem *item : items) {
        m_items.append(item);
        auto *entry = new QListWidgetItem(QIcon(TSpeedbarButton::render(item, size)),
                                          item->Caption(), this);
        entry->setSizeHint(QSize(size.width(), size.height() + 2));
        entry->setToolTip(item->Visible() ? tr("On the bar") : QString());
    }
    if (row >= 0 && row < count())
        setCurrentRow(row);
}

TSpeedItem *SpeedbarButtonList::itemAt(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items.at(row).data() : nullptr;
}

void SpeedbarButtonList::mousePressEvent(QMouseEvent *event)
{
    QListWidget::mousePressEvent(event);
    endDrag();
    if (event->button() != Qt::LeftButton || !m_bar)
        return;
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    // Only the button image starts a drag; the caption just selects the row.
    if (index.isValid() && pos.x() - visualRect(index).left() < m_bar->BtnWidth() + 2) {
        m_dragged = itemAt(index.row());
        m_pressPos = event->globalPosition().toPoint();
    }
}

void SpeedbarButtonList::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragged || !(event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if (m_dragged->Visible()) {
        // Already on the bar: nothing to drop.
        setCursor(Qt::ForbiddenCursor);
        return;
    }
    if (!m_image) {
        if ((global - m_pressPos).manhattanLength() < QApplication::startDragDistance())
            return;
        m_image = new QLabel(nullptr,
                             Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput);
        m_image->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_image->setPixmap(
                TSpeedbarButton::render(m_dragged, QSize(m_bar->BtnWidth(), m_bar->BtnHeight())));
        m_image->resize(m_bar->BtnWidth(), m_bar->BtnHeight());
    }
    // The pointer at the image's bottom-right corner, just outside it, so the window under the
    // pointer is never the image.
    m_image->move(global - QPoint(m_image->width(), m_image->height()));
    m_image->show();
}

void SpeedbarButtonList::mouseReleaseEvent(QMouseEvent *event)
{
    QPointer<TSpeedItem> dragged = m_image ? m_dragged : nullptr;
    endDrag();
    QListWidget::mouseReleaseEvent(event);
    if (!dragged || !m_bar || event->button() != Qt::LeftButton)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (m_bar->isUnder(global))
        m_bar->dropItem(dragged, m_bar->mapFromGlobal(global));
}

// The keyboard's way: Return puts the selected button on the bar, Delete takes it off.
void SpeedbarButtonList::keyPressEvent(QKeyEvent *event)
{
    TSpeedItem *item = m_bar ? itemAt(currentRow()) : nullptr;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (item && (enter || event->key() == Qt::Key_Delete)) {
        item->setVisible(enter);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void SpeedbarButtonList::endDrag()
{
    delete m_image;
    m_image = nullptr;
    m_dragged = nullptr;
    unsetCursor();
}
