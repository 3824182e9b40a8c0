#include "tspeedbar.h"

#include "settings/tinilink.h"
#include "settings/ui/tformplacement.h"
#include "toolbar/espeedbarerror.h"
#include "tspeedbarbutton.h"
#include "tspeedbarsection.h"
#include "tspeedbarsetupwindow.h"
#include "tspeeditem.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>

#include <algorithm>

namespace {

// A layout saved by a hand-edited or damaged store never makes the bar taller than this.
constexpr int kMostLines = 8;
// Nor places a button further along than this many cells.
constexpr int kMostCells = 255;

QFont captionFont()
{
    // Arial Narrow where installed; its metric twin from the Liberation fonts otherwise.
    QFont font;
    font.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("Nimbus Sans Narrow")});
    font.setPixelSize(12);
    return font;
}

} // namespace

TSpeedBar::TSpeedBar(QWidget *parent)
    : QWidget(parent)
    , m_options(Options(sbAllowDrag) | sbAllowResize | sbFlatBtns | sbGrayedBtns
                | sbTransparentBtns)
    , m_link(new TIniLink(this))
{
    setFont(captionFont());
    m_thickness = thicknessFor(1);
    m_link->OnSave = [this](SettingsStore &store, const QString &rootKey) {
        if (!objectName().isEmpty())
            SaveLayout(store, rootKey + QLatin1Char('\\') + layoutSection());
    };
    m_link->OnLoad = [this](SettingsStore &store, const QString &rootKey) {
        if (!objectName().isEmpty())
            RestoreLayout(store, rootKey + QLatin1Char('\\') + layoutSection());
    };
    updateSize();
}

TSpeedBar::~TSpeedBar()
{
    delete m_setup.data();
    // Items go before the bar's own children, so their buttons are still there to delete.
    qDeleteAll(m_sections);
    m_sections.clear();
}

void TSpeedBar::setOptions(Options options)
{
    m_options = options;
    for (TSpeedItem *item : items())
        item->button()->update();
}

void TSpeedBar::setBtnSize(int width, int height)
{
    m_btnWidth = std::max(1, width);
    m_btnHeight = std::max(1, height);
    m_thickness = thicknessFor(1);
    arrange();
}

void TSpeedBar::setBtnOffsets(int horz, int vert)
{
    m_offsetHorz = std::max(0, horz);
    m_offsetVert = std::max(0, vert);
    m_thickness = thicknessFor(1);
    arrange();
}

void TSpeedBar::setAlign(Align align)
{
    if (align == alNone || align == alClient)
        throw ESpeedbarError(
                QStringLiteral("Cannot set this property value while Position is bpAuto"));
    if (align == m_align)
        return;
    const bool wasHorizontal = horizontal();
    m_align = align;
    if (wasHorizontal != horizontal()) {
        // Rows become columns: every button keeps its place in the sequence.
        for (TSpeedItem *item : items()) {
            const QPoint cell = cellOf(QPoint(item->Left(), item->Top()));
            const QPoint swapped = cellOrigin(cell.transposed());
            item->m_left = swapped.x();
            item->m_top = swapped.y();
        }
        m_thickness = thicknessFor(1);
    }
    arrange();
    emit PosChanged();
}

TSpeedbarSection *TSpeedBar::AddSection(const QString &caption)
{
    if (section(caption))
        throw ESpeedbarError(QStringLiteral("String list does not allow duplicates"));
    auto *added = new TSpeedbarSection(this, caption);
    m_sections.append(added);
    return added;
}

TSpeedbarSection *TSpeedBar::section(const QString &caption) const
{
    for (TSpeedbarSection *entry : m_sections) {
        if (entry->Caption().compare(caption, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

TSpeedItem *TSpeedBar::AddItem(TSpeedbarSection *section, const QString &name, QAction *action,
                               const QString &btnCaption, const QString &caption, bool visible)
{
    Q_ASSERT(section && section->bar() == this);
    auto *item = new TSpeedItem(section, name, action);
    item->setBtnCaption(btnCaption);
    item->setCaption(caption);
    item->setHint(caption + QLatin1Char('|'));
    if (visible) {
        placeNewItem(item);
        itemChanged(item);
    }
    return item;
}

QList<TSpeedItem *> TSpeedBar::items() const
{
    QList<TSpeedItem *> result;
    for (TSpeedbarSection *entry : m_sections)
        result.append(entry->items());
    return result;
}

TSpeedItem *TSpeedBar::FindItem(const QString &name) const
{
    for (TSpeedItem *item : items()) {
        if (item->name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

void TSpeedBar::placeNewItem(TSpeedItem *item)
{
    int next = 0;
    for (TSpeedItem *other : items()) {
        if (other == item || !other->Visible())
            continue;
        const QPoint cell = cellOf(QPoint(other->Left(), other->Top()));
        if ((horizontal() ? cell.y() : cell.x()) == 0)
            next = std::max(next, (horizontal() ? cell.x() : cell.y()) + 1);
    }
    const QPoint origin = cellOrigin(horizontal() ? QPoint(next, 0) : QPoint(0, next));
    item->m_left = origin.x();
    item->m_top = origin.y();
    item->m_visible = true;
}

// An item shown without a place of its own goes after the buttons already shown.
void TSpeedBar::placeShownItem(TSpeedItem *item)
{
    if (occupant(cellOf(QPoint(item->Left(), item->Top())), item))
        placeNewItem(item);
}

TSpeedItem *TSpeedBar::occupant(const QPoint &cell, const TSpeedItem *except) const
{
    for (TSpeedItem *other : items()) {
        if (other != except && other->Visible()
            && cellOf(QPoint(other->Left(), other->Top())) == cell)
            return other;
    }
    return nullptr;
}

bool TSpeedBar::dropItem(TSpeedItem *item, const QPoint &point)
{
    if (!item || item->bar() != this || !rect().contains(point))
        return false;
    const QPoint target = cellOf(point);
    // The run of buttons from the target cell on moves one place along to make room.
    QList<TSpeedItem *> run;
    QPoint cell = target;
    while (TSpeedItem *inTheWay = occupant(cell, item)) {
        run.append(inTheWay);
        cell += horizontal() ? QPoint(1, 0) : QPoint(0, 1);
    }
    m_arranging = true;
    for (TSpeedItem *moved : run) {
        const QPoint next = cellOf(QPoint(moved->Left(), moved->Top()))
                + (horizontal() ? QPoint(1, 0) : QPoint(0, 1));
        const QPoint origin = cellOrigin(next);
        moved->m_left = origin.x();
        moved->m_top = origin.y();
    }
    const QPoint origin = cellOrigin(target);
    item->m_left = origin.x();
    item->m_top = origin.y();
    item->m_visible = true;
    m_arranging = false;
    arrange();
    return true;
}

bool TSpeedBar::isUnder(const QPoint &globalPos) const
{
    if (!isVisible())
        return false;
    const QWidget *under = QApplication::widgetAt(globalPos);
    return under && (under == this || isAncestorOf(under));
}

void TSpeedBar::Customize(int helpContext)
{
    if (!m_setup) {
        m_setup = new TSpeedbarSetupWindow(this);
        // Closed, the window is hidden before it goes: greyed buttons are disabled again.
        connect(m_setup, &QDialog::finished, this, &TSpeedBar::refreshButtons);
    }
    if (helpContext > 0)
        m_setup->setHelpContext(helpContext);
    if (m_setup->isMinimized())
        m_setup->showNormal();
    else
        m_setup->show();
    m_setup->raise();
    m_setup->activateWindow();
    refreshButtons();
}

void TSpeedBar::refreshButtons()
{
    for (TSpeedItem *item : items())
        item->refreshEnabled();
}

TSpeedbarSetupWindow *TSpeedBar::setupWindow() const
{
    return m_setup;
}

bool TSpeedBar::customizing() const
{
    return m_setup && m_setup->isVisible();
}

void TSpeedBar::setIniStorage(TFormPlacement *storage)
{
    m_link->setStorage(storage);
}

QString TSpeedBar::layoutSection() const
{
    const QObject *form = m_link->Storage() ? m_link->Storage()->linkedForm() : window();
    return QString::fromLatin1(form->metaObject()->className()) + objectName();
}

SpeedbarLayout TSpeedBar::toLayout() const
{
    SpeedbarLayout layout;
    layout.align = m_align;
    layout.height = horizontal() ? m_thickness : 0;
    layout.width = horizontal() ? 0 : m_thickness;
    layout.version = m_version;
    layout.btnWidth = m_btnWidth;
    layout.btnHeight = m_btnHeight;
    layout.btnOffsetHorz = m_offsetHorz;
    layout.btnOffsetVert = m_offsetVert;
    layout.options = (m_options & sbAllowDrag ? SpeedbarLayout::sbAllowDrag : 0)
            | (m_options & sbAllowResize ? SpeedbarLayout::sbAllowResize : 0);
    for (const TSpeedItem *item : items())
        layout.items.append({item->name(), item->Visible(), item->Left(), item->Top()});
    return layout;
}

void TSpeedBar::SaveLayout(SettingsStore &store, const QString &sectionKey)
{
    toLayout().save(store, sectionKey, m_baseline);
}

void TSpeedBar::RestoreLayout(const SettingsStore &store, const QString &sectionKey)
{
    const SpeedbarLayout before = toLayout();
    SpeedbarLayout layout = before;
    const bool alignChanged = layout.restore(store, sectionKey);
    const bool wasHorizontal = horizontal();
    m_align = layout.align;
    const bool transpose = wasHorizontal != horizontal();
    m_arranging = true;
    const QList<TSpeedItem *> all = items();
    for (qsizetype i = 0; i < all.size(); ++i) {
        const SpeedbarLayout::Item &was = before.items.at(i);
        const SpeedbarLayout::Item &now = layout.items.at(i);
        QPoint position(now.left, now.top);
        // Buttons the stored layout did not place keep their place in the sequence.
        if (transpose && now.visible == was.visible && now.left == was.left && now.top == was.top)
            position = QPoint(position.y(), position.x());
        all.at(i)->m_left = position.x();
        all.at(i)->m_top = position.y();
        all.at(i)->m_visible = now.visible;
    }
    m_arranging = false;
    const int stored = horizontal() ? layout.height : layout.width;
    m_thickness = std::clamp(stored, thicknessFor(1), thicknessFor(kMostLines));
    arrange();
    // No more lines than the shown buttons stand in, however thick the stored bar.
    if (m_thickness > thicknessFor(linesInUse())) {
        m_thickness = thicknessFor(linesInUse());
        updateSize();
    }
    m_baseline.clear();
    for (const auto &[name, text] : toLayout().values())
        m_baseline.note(sectionKey, name, text);
    if (layout.storedWidth)
        m_baseline.note(sectionKey, QStringLiteral("Width"), *layout.storedWidth);
    if (alignChanged)
        emit PosChanged();
}

int TSpeedBar::linesInUse() const
{
    int used = 1;
    for (const TSpeedItem *item : items()) {
        if (item->Visible()) {
            const QPoint cell = cellOf(QPoint(item->Left(), item->Top()));
            used = std::max(used, 1 + (horizontal() ? cell.y() : cell.x()));
        }
    }
    return used;
}

QSize TSpeedBar::sizeHint() const
{
    int last = 0;
    for (const TSpeedItem *item : items()) {
        if (item->Visible())
            last = std::max(last,
                            horizontal() ? item->Left() + m_btnWidth + m_offsetHorz
                                         : item->Top() + m_btnHeight + m_offsetVert);
    }
    return horizontal() ? QSize(last, m_thickness) : QSize(m_thickness, last);
}

QSize TSpeedBar::minimumSizeHint() const
{
    return horizontal() ? QSize(0, m_thickness) : QSize(m_thickness, 0);
}

void TSpeedBar::itemChanged(TSpeedItem *item)
{
    Q_UNUSED(item);
    if (!m_arranging)
        arrange();
}

int TSpeedBar::lines() const
{
    const int offset = horizontal() ? m_offsetVert : m_offsetHorz;
    const int size = horizontal() ? m_btnHeight : m_btnWidth;
    return std::clamp((m_thickness - 2 * offset) / size, 1, kMostLines);
}

int TSpeedBar::thicknessFor(int count) const
{
    return horizontal() ? 2 * m_offsetVert + count * m_btnHeight
                        : 2 * m_offsetHorz + count * m_btnWidth;
}

QPoint TSpeedBar::cellOf(const QPoint &point) const
{
    const auto index = [](int value, int offset, int size) {
        return value < offset ? 0 : (value - offset) / size;
    };
    QPoint cell(index(point.x(), m_offsetHorz, m_btnWidth),
                index(point.y(), m_offsetVert, m_btnHeight));
    const int lastLine = lines() - 1;
    if (horizontal())
        cell = QPoint(std::min(cell.x(), kMostCells), std::min(cell.y(), lastLine));
    else
        cell = QPoint(std::min(cell.x(), lastLine), std::min(cell.y(), kMostCells));
    return cell;
}

QPoint TSpeedBar::cellOrigin(const QPoint &cell) const
{
    return QPoint(m_offsetHorz + cell.x() * m_btnWidth, m_offsetVert + cell.y() * m_btnHeight);
}

// Puts every shown button on a cell of its own: a button whose cell is taken by an earlier one
// moves along its row (or column) to the next free cell.
void TSpeedBar::arrange()
{
    if (m_arranging)
        return;
    m_arranging = true;
    QList<TSpeedItem *> shown;
    for (TSpeedItem *item : items()) {
        if (item->Visible())
            shown.append(item);
        else
            item->button()->hide();
    }
    const auto key = [this](const TSpeedItem *item) {
        const QPoint cell = cellOf(QPoint(item->Left(), item->Top()));
        return horizontal() ? std::pair(cell.y(), cell.x()) : std::pair(cell.x(), cell.y());
    };
    std::stable_sort(shown.begin(), shown.end(),
                     [&](const TSpeedItem *a, const TSpeedItem *b) { return key(a) < key(b); });
    QList<QPoint> taken;
    for (TSpeedItem *item : std::as_const(shown)) {
        QPoint cell = cellOf(QPoint(item->Left(), item->Top()));
        while (taken.contains(cell))
            cell += horizontal() ? QPoint(1, 0) : QPoint(0, 1);
        taken.append(cell);
        const QPoint origin = cellOrigin(cell);
        item->m_left = origin.x();
        item->m_top = origin.y();
        item->button()->setGeometry(QRect(origin, QSize(m_btnWidth, m_btnHeight)));
        item->button()->show();
    }
    m_arranging = false;
    updateSize();
    emit layoutChanged();
}

void TSpeedBar::updateSize()
{
    if (horizontal()) {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setFixedHeight(m_thickness);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setFixedWidth(m_thickness);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }
    updateGeometry();
}
