#pragma once

#include <QAbstractButton>
#include <QPoint>

class TSpeedBar;
class TSpeedItem;

// The button an item shows on its bar: glyph above caption, flat and with a grey glyph until
// the mouse is over it, the bar showing through. A click triggers the item's action. In a
// dialog the button takes the focus with Tab, and Space or Return presses it. While the bar is
// being customised a click does nothing: the button can be dragged along the bar, or off it to
// hide it.
class TSpeedbarButton : public QAbstractButton
{
    Q_OBJECT

public:
    TSpeedbarButton(TSpeedItem *item, TSpeedBar *bar);

    TSpeedItem *item() const { return m_item; }
    bool hovered() const { return m_hovered; }
    // The button's face as it would be drawn, for the customisation window's list and the
    // image that follows a drag.
    static QPixmap render(const TSpeedItem *item, const QSize &size, bool hovered = true);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void nextCheckState() override;

private:
    TSpeedItem *m_item;
    TSpeedBar *m_bar;
    bool m_hovered = false;
    bool m_dragging = false;
    QPoint m_pressPos;
    QPoint m_startPos;
};
