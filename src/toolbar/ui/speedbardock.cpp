#include "speedbardock.h"

#include "tspeedbar.h"

#include <QGridLayout>

SpeedbarDock::SpeedbarDock(TSpeedBar *bar, QWidget *client, QWidget *parent)
    : QWidget(parent)
    , m_bar(bar)
    , m_client(client)
    , m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(0);
    m_grid->addWidget(client, 1, 1);
    m_grid->setRowStretch(1, 1);
    m_grid->setColumnStretch(1, 1);
    connect(bar, &TSpeedBar::PosChanged, this, &SpeedbarDock::place);
    place();
}

void SpeedbarDock::place()
{
    if (!m_bar)
        return;
    m_grid->removeWidget(m_bar);
    switch (m_bar->align()) {
    case TSpeedBar::alBottom:
        m_grid->addWidget(m_bar, 2, 0, 1, 3);
        break;
    case TSpeedBar::alLeft:
        m_grid->addWidget(m_bar, 0, 0, 3, 1);
        break;
    case TSpeedBar::alRight:
        m_grid->addWidget(m_bar, 0, 2, 3, 1);
        break;
    default:
        m_grid->addWidget(m_bar, 0, 0, 1, 3);
        break;
    }
}
