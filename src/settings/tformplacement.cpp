#include "tformplacement.h"

#include "app/errorhandler.h"
#include "settingsstore.h"
#include "tinilink.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QWidget>

namespace {

enum ShowCmd { SwNormal = 1, SwMinimized = 2, SwMaximized = 3 };
constexpr int kSetMinPosition = 1;
constexpr int kRestoreToMaximized = 2;

// The window whose placement is kept: the MDI sub-window of a Workspace, else the form.
QWidget *placementWindow(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

Qt::WindowStates stateFor(int showCmd, Qt::WindowStates fallback)
{
    switch (showCmd) {
    case 1:
    case 5:
    case 9:
        return Qt::WindowNoState;
    case 2:
    case 6:
        return Qt::WindowMinimized;
    case 3:
        return Qt::WindowMaximized;
    default:
        return fallback;
    }
}

QList<int> fields(const QString &text, const QList<int> &defaults, bool badIsZero)
{
    QList<int> result = defaults;
    const QStringList parts = text.split(QLatin1Char(','));
    for (int i = 0; i < result.size() && i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts.at(i).trimmed().toInt(&ok);
        if (ok)
            result[i] = value;
        else if (badIsZero)
            result[i] = 0;
    }
    return result;
}

} // namespace

TFormPlacement::TFormPlacement(QWidget *form, SettingsStore *store)
    : QObject(form)
    , m_form(form)
    , m_store(store)
{
    form->installEventFilter(this);
}

TFormPlacement::~TFormPlacement()
{
    for (TIniLink *link : std::as_const(m_links))
        link->m_storage = nullptr;
}

void TFormPlacement::addLink(TIniLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void TFormPlacement::removeLink(TIniLink *link)
{
    m_links.removeAll(link);
}

QString TFormPlacement::rootKey() const
{
    return IniFileName;
}

QString TFormPlacement::sectionKey() const
{
    const QString section = IniSection.isEmpty()
            ? QString::fromLatin1(m_form->metaObject()->className())
            : IniSection;
    return IniFileName + QLatin1Char('\\') + section;
}

bool TFormPlacement::isMainFrame() const
{
    return qobject_cast<QMainWindow *>(m_form) && m_form->findChild<QMdiArea *>()
            && m_form->isWindow();
}

QRect TFormPlacement::normalRect() const
{
    const QWidget *window = placementWindow(m_form);
    if (window->isWindow() && window->normalGeometry().isValid())
        return window->normalGeometry();
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return m_lastNormal.isValid() ? m_lastNormal : window->geometry();
    return window->geometry();
}

void TFormPlacement::savePlacement()
{
    const QWidget *window = placementWindow(m_form);
    const Qt::WindowStates state = window->windowState();
    int flags = 0;
    int showCmd = SwNormal;
    if (state & Qt::WindowMinimized) {
        showCmd = SwMinimized;
        if (!window->isWindow())
            flags |= kSetMinPosition;
        if (state & Qt::WindowMaximized)
            flags |= kRestoreToMaximized;
    } else if (state & Qt::WindowMaximized) {
        showCmd = SwMaximized;
    }
    const QPoint minimized =
            window->isWindow() || !(state & Qt::WindowMinimized) ? QPoint(-1, -1) : window->pos();
    const QRect normal = normalRect();
    const QString key = sectionKey();
    m_store->writeInteger(key, QStringLiteral("Flags"), flags);
    m_store->writeInteger(key, QStringLiteral("ShowCmd"), showCmd);
    m_store->writeString(
            key, QStringLiteral("MinMaxPos"),
            QStringLiteral("%1,%2,%3,%4").arg(minimized.x()).arg(minimized.y()).arg(-1).arg(-1));
    m_store->writeString(key, QStringLiteral("NormPos"),
                         QStringLiteral("%1,%2,%3,%4")
                                 .arg(normal.left())
                                 .arg(normal.top())
                                 .arg(normal.left() + normal.width())
                                 .arg(normal.top() + normal.height()));
    m_store->writeString(key, QStringLiteral("Visible"),
                         m_destroying ? QStringLiteral("1") : QStringLiteral("0"));
}

void TFormPlacement::restorePlacement(bool loadPosition, bool loadState)
{
    if (!loadPosition && !loadState)
        return;
    QWidget *window = placementWindow(m_form);
    const QString key = sectionKey();
    if (loadPosition) {
        m_store->readInteger(key, QStringLiteral("Flags"), 0);
        const QString minMax = m_store->readString(key, QStringLiteral("MinMaxPos"), QString());
        const QString norm = m_store->readString(key, QStringLiteral("NormPos"), QString());
        if (!minMax.isEmpty() || !norm.isEmpty()) {
            const QRect current = window->geometry();
            QList<int> rect{current.left(), current.top(), current.left() + current.width(),
                            current.top() + current.height()};
            if (!norm.isEmpty())
                rect = fields(norm, rect, false);
            // A fixed-size dialog keeps its size.
            if (window->minimumSize() == window->maximumSize()) {
                rect[2] = rect[0] + current.width();
                rect[3] = rect[1] + current.height();
            }
            if (rect[2] > rect[0]) {
                window->setGeometry(rect[0], rect[1], rect[2] - rect[0], rect[3] - rect[1]);
                m_lastNormal = window->geometry();
            }
        }
    }
    if (loadState) {
        const Qt::WindowStates fallback = isMainFrame() ? Qt::WindowMaximized : Qt::WindowNoState;
        const Qt::WindowStates state =
                stateFor(m_store->readInteger(key, QStringLiteral("ShowCmd"), 0), fallback);
        if ((state & Qt::WindowMinimized) && isMainFrame()) {
            // The whole program starts minimised: show normally, then minimise.
            window->setWindowState(Qt::WindowNoState);
            QTimer::singleShot(0, window, [window] { window->showMinimized(); });
            return;
        }
        window->setWindowState(state);
    }
    window->update();
}

void TFormPlacement::SaveSettings()
{
    if (!m_restored && Active)
        return; // settings never restored are not overwritten
    savePlacement();
    for (TIniLink *link : std::as_const(m_links))
        link->run(link->OnSave, *m_store, rootKey());
    saveProperties();
    m_store->flush();
    m_saved = true;
}

void TFormPlacement::RestoreSettings()
{
    m_saved = false;
    restorePlacement(options.testFlag(fpPosition), options.testFlag(fpState));
    for (TIniLink *link : std::as_const(m_links))
        link->run(link->OnLoad, *m_store, rootKey());
    m_restored = true;
    loadProperties();
    Q_EMIT restoredSettings();
}

void TFormPlacement::runAutomatically(void (TFormPlacement::*operation)())
{
    ErrorHandler::run([this, operation] { (this->*operation)(); });
}

void TFormPlacement::formDestroying()
{
    if (!Active || m_saved)
        return;
    m_destroying = true;
    runAutomatically(&TFormPlacement::SaveSettings);
    m_destroying = false;
}

bool TFormPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Show:
        // Once per opening of the form. A form shown again because its window came back
        // (from the tray, say) keeps what the user has done since; applying a window state
        // shows an MDI child again, which must not restore twice either.
        if (!event->spontaneous() && Active && m_awaitingRestore) {
            m_awaitingRestore = false;
            runAutomatically(&TFormPlacement::RestoreSettings);
        }
        break;
    case QEvent::Close:
        if (!m_inClose) {
            // The form's own close question first; save only when it may close.
            m_inClose = true;
            QCoreApplication::sendEvent(m_form, event);
            m_inClose = false;
            if (event->isAccepted()) {
                if (Active)
                    runAutomatically(&TFormPlacement::SaveSettings);
                m_awaitingRestore = true; // a form opened again restores again
            }
            return true;
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (!(placementWindow(m_form)->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
            m_lastNormal = placementWindow(m_form)->geometry();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
