#pragma once

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class TrayArea;

// The program's icon in the desktop's notification area, with a tip, a menu on right-click
// and the menu's default item on double-click. A list of icons can be shown in turn.
class TRxTrayIcon : public QObject
{
    Q_OBJECT

public:
    // Without an area, the desktop's own.
    explicit TRxTrayIcon(QObject *parent = nullptr, TrayArea *area = nullptr);
    ~TRxTrayIcon() override;

    QIcon Icon() const { return m_icon; }
    void setIcon(const QIcon &icon);
    QList<QIcon> Icons() const { return m_icons; }
    void setIcons(const QList<QIcon> &icons);
    bool Animated() const { return m_animated; }
    void setAnimated(bool animated);
    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);
    int animationIndex() const { return m_index; }
    // "short|long": the tip is the short part, at most 63 characters.
    QString Hint() const { return m_hint; }
    void setHint(const QString &hint);
    QString tip() const;
    QMenu *PopupMenu() const { return m_menu; }
    void setPopupMenu(QMenu *menu);
    bool Active() const { return m_active; }
    void setActive(bool active);

    // The icon that stands in the area now (the animation's, else Icon).
    QIcon currentIcon() const;
    bool isAdded() const { return m_added; }
    // Whether the icon can be seen: added, and the desktop has an area to show it in.
    bool isInTray() const;
    QTimer &animationTimer() { return m_timer; }

public Q_SLOTS:
    void Show();
    void Hide();
    void Update();
    // One step of the animation.
    void Animate();

Q_SIGNALS:
    // Clicks the icon does not handle itself.
    void OnClick(Qt::MouseButton button, const QPoint &position);
    void OnDblClick();

private:
    void click(Qt::MouseButton button);
    void doubleClick();
    void startAnimation();
    void stopAnimation();

    TrayArea *m_area;
    QIcon m_icon;
    QList<QIcon> m_icons;
    QString m_hint;
    QPointer<QMenu> m_menu;
    QTimer m_timer;
    int m_interval = 150;
    int m_index = -1;
    bool m_animated = false;
    bool m_paused = false;
    bool m_active = true;
    bool m_added = false;
};
