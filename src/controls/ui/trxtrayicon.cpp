#include "trxtrayicon.h"

#include "controls/trayhint.h"
#include "systemtrayarea.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

TRxTrayIcon::TRxTrayIcon(QObject *parent, TrayArea *area)
    : QObject(parent)
    , m_area(area ? area : new SystemTrayArea(this))
{
    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, &TRxTrayIcon::Animate);
    connect(m_area, &TrayArea::leftClicked, this, [this] { click(Qt::LeftButton); });
    connect(m_area, &TrayArea::rightClicked, this, [this] { click(Qt::RightButton); });
    connect(m_area, &TrayArea::doubleClicked, this, &TRxTrayIcon::doubleClick);
}

TRxTrayIcon::~TRxTrayIcon()
{
    stopAnimation();
    Hide();
    disconnect(m_area, nullptr, this, nullptr);
}

void TRxTrayIcon::setIcon(const QIcon &icon)
{
    m_icon = icon;
    Update();
}

void TRxTrayIcon::setIcons(const QList<QIcon> &icons)
{
    m_icons = icons;
    if (m_index >= m_icons.size())
        m_index = m_icons.isEmpty() ? -1 : 0;
    if (m_animated && !m_icons.isEmpty() && !m_timer.isActive() && !m_paused)
        startAnimation();
    Update();
}

void TRxTrayIcon::setAnimated(bool animated)
{
    m_animated = animated;
    if (animated && !m_icons.isEmpty())
        startAnimation();
    else
        stopAnimation();
    Update();
}

void TRxTrayIcon::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    m_timer.setInterval(milliseconds);
}

void TRxTrayIcon::setHint(const QString &hint)
{
    m_hint = hint;
    Update();
}

QString TRxTrayIcon::tip() const
{
    return TrayHint::shortHint(m_hint);
}

void TRxTrayIcon::setPopupMenu(QMenu *menu)
{
    m_menu = menu;
    m_area->setMenu(menu);
}

void TRxTrayIcon::setActive(bool active)
{
    m_active = active;
    if (active)
        Show();
    else
        Hide();
}

QIcon TRxTrayIcon::currentIcon() const
{
    if (m_index >= 0 && m_index < m_icons.size())
        return m_icons.at(m_index);
    return m_icon;
}

bool TRxTrayIcon::isInTray() const
{
    return m_added && m_area->available();
}

void TRxTrayIcon::Show()
{
    if (m_added)
        m_area->remove();
    const QIcon icon = currentIcon();
    m_added = !icon.isNull() && m_area->add(icon, tip());
    if (m_paused) {
        m_paused = false;
        startAnimation();
    }
}

void TRxTrayIcon::Hide()
{
    if (m_added)
        m_area->remove();
    m_added = false;
    if (m_timer.isActive()) {
        m_timer.stop();
        m_paused = true;
    }
}

void TRxTrayIcon::Update()
{
    if (m_icons.isEmpty())
        stopAnimation();
    if (!m_added) {
        if (m_active)
            Show();
        return;
    }
    const QIcon icon = currentIcon();
    if (icon.isNull())
        Hide();
    else
        m_area->modify(icon, tip());
}

void TRxTrayIcon::Animate()
{
    if (m_icons.isEmpty())
        return;
    m_index = (m_index + 1) % int(m_icons.size());
    Update();
}

void TRxTrayIcon::startAnimation()
{
    if (!m_animated || m_icons.isEmpty())
        return;
    if (m_index < 0)
        m_index = 0;
    m_timer.start();
}

void TRxTrayIcon::stopAnimation()
{
    m_timer.stop();
    m_paused = false;
    m_index = -1;
}

void TRxTrayIcon::click(Qt::MouseButton button)
{
    // With a menu, the desktop has shown it on the right-click.
    if (button == Qt::RightButton && m_active && m_menu)
        return;
    emit OnClick(button, QCursor::pos());
}

void TRxTrayIcon::doubleClick()
{
    if (m_active && m_menu) {
        if (QAction *item = m_menu->defaultAction(); item && m_menu->actions().contains(item)) {
            item->trigger();
            return;
        }
    }
    emit OnDblClick();
}
