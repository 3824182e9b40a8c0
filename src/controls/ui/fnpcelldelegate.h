#pragma once

#include <QStyledItemDelegate>

class TFnpListBox;

// Paints a multi-column list box's rows cell by cell, and gives each row its height and the
// list's horizontal extent.
class FnpCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit FnpCellDelegate(TFnpListBox *list);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TFnpListBox *m_list;
};
