#include "tformplacement.h"

#include "base/errorhandler.h"
#include "settings/placementtext.h"
#include "settings/screenfit.h"
#include "settings/settingsstore.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

// No stored size makes a window smaller than this.
constexpr QSize kSmallestWindow(120, 80);

// The window whose placement is kept: the MDI sub-window of a Workspace, else the form.
QWidget *placementWindow(QWidget *form)
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return sub;
    return form;
}

// The areas of the screens there are now, free of panels.
QList<QRect> screenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// The window's frame, or room for one while it is not known.
QMargins frameOf(const QWidget *window)
{
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    if (inner == outer)
        return ScreenFit::kUnknownFrame;
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

TFormPlacement::TFormPlacement(QWidget *form, SettingsStore *store)
    : QObject(form)
    , m_form(form)
    , m_store(store)
{
    form->installEventFilter(this);
}

TFormPlacement::~TFormPlacement() = default;

const QObject *TFormPlacement::linkedForm() const
{
    return m_form;
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

SettingsBaseline::Values TFormPlacement::placementValues() const
{
    const QWidget *window = placementWindow(m_form);
    return PlacementText::encode(
            {window->windowState(), window->isWindow(), window->pos(), normalRect(), m_destroying});
}

void TFormPlacement::savePlacement()
{
    const QString key = sectionKey();
    for (const auto &[name, text] : placementValues())
        m_baseline.write(*m_store, key, name, text);
}

// A stored placement value as text, remembered as applied when there is one.
QString TFormPlacement::appliedText(const QString &name)
{
    const std::optional<QString> text = m_store->stringValue(sectionKey(), name);
    if (text)
        m_applied.insert(name, *text);
    return text.value_or(QString());
}

void TFormPlacement::restorePosition(QWidget *window)
{
    appliedText(QStringLiteral("Flags"));
    const QString minMax = appliedText(QStringLiteral("MinMaxPos"));
    const QString norm = appliedText(QStringLiteral("NormPos"));
    if (minMax.isEmpty() && norm.isEmpty())
        return;
    // A fixed-size dialog keeps its size.
    const std::optional<QRect> restored = PlacementText::normalRect(
            norm, window->geometry(), window->minimumSize() == window->maximumSize());
    if (!restored)
        return;
    QRect wanted = *restored;
    if (window->isWindow())
        wanted = ScreenFit::fit(wanted, screenAreas(),
                                window->minimumSize().expandedTo(kSmallestWindow), frameOf(window));
    window->setGeometry(wanted);
    m_lastNormal = window->geometry();
}

// False when the whole program is to start minimised: nothing more is done then.
bool TFormPlacement::restoreState(QWidget *window)
{
    const Qt::WindowStates fallback = isMainFrame() ? Qt::WindowMaximized : Qt::WindowNoState;
    const int showCmd = SettingsStore::toInteger(appliedText(QStringLiteral("ShowCmd")), 0);
    const Qt::WindowStates state = PlacementText::stateFor(showCmd, fallback);
    if ((state & Qt::WindowMinimized) && isMainFrame()) {
        // Shown normally first, then minimised.
        window->setWindowState(Qt::WindowNoState);
        QTimer::singleShot(0, window, [window] { window->showMinimized(); });
        return false;
    }
    window->setWindowState(state);
    return true;
}

void TFormPlacement::restorePlacement(bool loadPosition, bool loadState)
{
    if (!loadPosition && !loadState)
        return;
    QWidget *window = placementWindow(m_form);
    if (loadPosition)
        restorePosition(window);
    if (loadState && !restoreState(window))
        return;
    window->update();
}

// The stored texts of what was applied, and for the rest what a save would write now: a save
// then writes only what the user has changed, and a placement brought onto the screen.
void TFormPlacement::notePlacement()
{
    const QString key = sectionKey();
    for (const auto &[name, text] : placementValues())
        m_baseline.note(key, name, m_applied.value(name, text));
}

void TFormPlacement::reportProblems()
{
    const QStringList problems = m_store->takeProblems();
    if (!problems.isEmpty())
        ErrorHandler::report(problems.join(QLatin1Char('\r')));
}

void TFormPlacement::SaveSettings()
{
    if (!m_restored && Active)
        return; // settings never restored are not overwritten
    savePlacement();
    saveLinks(*m_store, rootKey());
    saveProperties();
    m_store->flush();
    m_saved = true;
}

void TFormPlacement::RestoreSettings()
{
    m_saved = false;
    m_baseline.clear();
    m_applied.clear();
    restorePlacement(options.testFlag(fpPosition), options.testFlag(fpState));
    notePlacement();
    loadLinks(*m_store, rootKey());
    m_restored = true;
    loadProperties();
    // Values that could not be read are said once; everything else has loaded.
    reportProblems();
    Q_EMIT restoredSettings();
}

void TFormPlacement::runAutomatically(void (TFormPlacement::*operation)())
{
    ErrorHandler::run([this, operation] { (this->*operation)(); });
}

void TFormPlacement::formClosed()
{
    if (Active)
        runAutomatically(&TFormPlacement::SaveSettings);
    m_awaitingRestore = true;
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
