#include "finddialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

FindDialog::FindDialog(QWidget *parent)
    : SearchDialog(parent)
    , m_up(new QRadioButton(tr("&Up"), this))
    , m_down(new QRadioButton(tr("&Down"), this))
{
    setObjectName(QStringLiteral("dlgFind"));
    setWindowTitle(tr("Find"));
    m_up->setObjectName(QStringLiteral("rbtUp"));
    m_down->setObjectName(QStringLiteral("rbtDown"));
    m_down->setChecked(true);
    auto *direction = new QGroupBox(tr("Direction"), this);
    auto *row = new QHBoxLayout(direction);
    row->addWidget(m_up);
    row->addWidget(m_down);
    optionRow()->addWidget(direction);
}

bool FindDialog::searchesDown() const
{
    return m_down->isChecked();
}
