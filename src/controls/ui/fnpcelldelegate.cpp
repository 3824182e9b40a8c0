#include "fnpcelldelegate.h"

#include "tfnplistbox.h"

#include <QPainter>

FnpCellDelegate::FnpCellDelegate(TFnpListBox *list)
    : QStyledItemDelegate(list)
    , m_list(list)
{ }

void FnpCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette &palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
    painter->setFont(option.font);
    const QRect row = option.rect;
    const TFnpCols *cols = m_list->Cols();
    if (cols->count() == 0) {
        painter->drawText(QRect(row.left() + 2, row.top(), row.width() - 2, row.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data().toString());
    } else {
        int x = 0;
        for (int i = 0; i < cols->count(); ++i) {
            const TFnpCol *col = cols->at(i);
            const QRect cell(row.left() + x + 2, row.top(), col->width(), row.height());
            painter->save();
            painter->setClipRect(cell);
            if (col->ownerDraw()) {
                if (m_list->OnDrawCell)
                    m_list->OnDrawCell(painter, index.row(), i, cell, option.state);
            } else {
                painter->drawText(cell, col->alignment() | Qt::AlignVCenter | Qt::TextSingleLine,
                                  m_list->cellText(index.row(), i + 1));
            }
            painter->restore();
            x += col->width() + m_list->Spacing();
        }
    }
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.rect = row;
        focus.palette = palette;
        m_list->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
    }
    painter->restore();
}

QSize FnpCellDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    return {m_list->horizontalExtent(), m_list->rowHeight(index.row())};
}
