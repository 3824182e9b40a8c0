#include "tspeeditem.h"

#include "tspeedbar.h"
#include "tspeedbarbutton.h"
#include "tspeedbarsection.h"

#include <QAction>
#include <QActionGroup>

TSpeedItem::TSpeedItem(TSpeedbarSection *section, const QString &name, QAction *action)
    : QObject(section)
    , m_section(section)
    , m_action(action)
    , m_button(new TSpeedbarButton(this, section->bar()))
{
    setObjectName(name);
    m_button->setObjectName(name);
    m_button->hide();
    section->m_items.append(this);
    if (action) {
        m_glyph = action->icon();
        m_button->setCheckable(action->isCheckable());
        m_button->setChecked(action->isChecked());
        m_button->setEnabled(action->isEnabled());
        connect(m_button, &QAbstractButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::enabledChanged, this, &TSpeedItem::refreshEnabled);
        connect(action, &QAction::toggled, m_button, &QAbstractButton::setChecked);
        connect(action, &QAction::changed, m_button, [this] {
            m_button->setCheckable(m_action->isCheckable());
            m_button->setChecked(m_action->isChecked());
        });
    }
}

TSpeedItem::~TSpeedItem()
{
    m_section->m_items.removeOne(this);
    delete m_button;
}

TSpeedBar *TSpeedItem::bar() const
{
    return m_section->bar();
}

void TSpeedItem::setBtnCaption(const QString &text)
{
    m_btnCaption = text;
    m_button->setText(text);
    emit changed();
}

void TSpeedItem::setCaption(const QString &text)
{
    m_caption = text;
    emit changed();
}

void TSpeedItem::setHint(const QString &hint)
{
    m_hint = hint;
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    m_button->setToolTip(bar < 0 ? hint : hint.left(bar));
    m_button->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    emit changed();
}

void TSpeedItem::setGlyph(const QIcon &glyph)
{
    m_glyph = glyph;
    m_button->update();
    emit changed();
}

// Items of one group share an exclusive group of their actions, so pressing one releases the
// others wherever the command is run from (menu, popup or bar).
void TSpeedItem::setGroupIndex(int index)
{
    m_groupIndex = index;
    if (index <= 0 || !m_action)
        return;
    m_action->setCheckable(true);
    for (TSpeedItem *other : bar()->items()) {
        if (other == this || other->GroupIndex() != index || !other->action())
            continue;
        QActionGroup *group = other->action()->actionGroup();
        if (!group) {
            // Owned with the actions; actions nobody owns leave it to the bar.
            QObject *owner = other->action()->parent();
            group = new QActionGroup(owner ? owner : static_cast<QObject *>(bar()));
            group->addAction(other->action());
        }
        if (m_action->actionGroup() != group)
            group->addAction(m_action);
        break;
    }
}

bool TSpeedItem::Enabled() const
{
    return m_action ? m_action->isEnabled() : m_button->isEnabled();
}

// Qt gives a disabled button no mouse events: while the bar is customised every button stays
// enabled, so that it can be dragged along the bar or off it.
void TSpeedItem::refreshEnabled()
{
    if (m_action)
        m_button->setEnabled(m_action->isEnabled() || bar()->customizing());
    m_button->update();
}

bool TSpeedItem::Down() const
{
    return m_button->isChecked();
}

void TSpeedItem::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    if (visible)
        bar()->placeShownItem(this);
    bar()->itemChanged(this);
    emit changed();
}

void TSpeedItem::setLeft(int left)
{
    setPosition(left, m_top);
}

void TSpeedItem::setTop(int top)
{
    setPosition(m_left, top);
}

void TSpeedItem::setPosition(int left, int top)
{
    m_left = left;
    m_top = top;
    bar()->itemChanged(this);
    emit changed();
}
