#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPointer>

class QLabel;
class TSpeedBar;
class TSpeedItem;

// The customisation window's list of one section's buttons: each row shows the button as it
// looks on the bar and the item's long name. Pressing a row on its button image starts a drag
// of that item; only a hidden item can be dropped on the bar. Return puts the selected item on
// the bar, Delete takes it off.
class SpeedbarButtonList : public QListWidget
{
    Q_OBJECT

public:
    explicit SpeedbarButtonList(QWidget *parent = nullptr);

    void setItems(TSpeedBar *bar, const QList<TSpeedItem *> &items);
    TSpeedItem *itemAt(int row) const;
    // The floating image while a drag runs, else null.
    QWidget *dragImage() const { return m_image; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void endDrag();

    QPointer<TSpeedBar> m_bar;
    QList<QPointer<TSpeedItem>> m_items;
    QPointer<TSpeedItem> m_dragged;
    QPoint m_pressPos;
    QLabel *m_image = nullptr;
};
