#include "windowmenu.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

WindowMenu::WindowMenu(QMenu *menu, QMdiArea *area)
    : QObject(menu)
    , m_menu(menu)
    , m_area(area)
    , m_group(new QActionGroup(this))
{
    connect(m_menu, &QMenu::aboutToShow, this, &WindowMenu::refresh);
}

void WindowMenu::clearEntries()
{
    for (QAction *entry : std::as_const(m_entries)) {
        m_menu->removeAction(entry);
        delete entry;
    }
    m_entries.clear();
    if (m_separator) {
        m_menu->removeAction(m_separator);
        delete m_separator;
        m_separator = nullptr;
    }
}

void WindowMenu::refresh()
{
    clearEntries();
    const QList<QMdiSubWindow *> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_separator = m_menu->addSeparator();
    QMdiSubWindow *current = m_area->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        // A caption may hold "&"; doubled it shows as itself instead of marking a key.
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        const QString caption = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                      : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction *entry = m_menu->addAction(caption);
        entry->setCheckable(true);
        entry->setChecked(window == current);
        m_group->addAction(entry);
        QPointer<QMdiSubWindow> target(window);
        connect(entry, &QAction::triggered, m_area, [area = m_area, target] {
            if (target)
                area->setActiveSubWindow(target);
        });
        m_entries.append(entry);
    }
}
