#include "tspeedbarsetupwindow.h"

#include "speedbarbuttonlist.h"
#include "tspeedbar.h"
#include "tspeedbarsection.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TSpeedbarSetupWindow::TSpeedbarSetupWindow(TSpeedBar *bar)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                      | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_bar(bar)
    , m_categoriesLabel(new QLabel(tr("&Categories:"), this))
    , m_sectionList(new QListWidget(this))
    , m_buttonsLabel(new QLabel(tr("&Available buttons:"), this))
    , m_buttonsList(new SpeedbarButtonList(this))
    , m_hintLabel(new QLabel(tr("To add command buttons, drag and drop buttons onto the SpeedBar. "
                                "To remove command buttons, drag them off of the SpeedBar."),
                             this))
    , m_keysLabel(new QLabel(tr("With the keyboard: Return puts the selected button on the "
                                "SpeedBar, Delete takes it off."),
                             this))
    , m_closeBtn(new QPushButton(tr("OK"), this))
    , m_helpBtn(new QPushButton(tr("&Help"), this))
{
    setObjectName(QStringLiteral("SpeedbarSetupWindow"));
    setWindowTitle(tr("Customize Speedbar"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_categoriesLabel->setObjectName(QStringLiteral("CategoriesLabel"));
    m_sectionList->setObjectName(QStringLiteral("SectionList"));
    m_buttonsLabel->setObjectName(QStringLiteral("ButtonsLabel"));
    m_buttonsList->setObjectName(QStringLiteral("ButtonsList"));
    m_hintLabel->setObjectName(QStringLiteral("HintLabel"));
    m_closeBtn->setObjectName(QStringLiteral("CloseBtn"));
    m_helpBtn->setObjectName(QStringLiteral("HelpBtn"));
    m_categoriesLabel->setBuddy(m_sectionList);
    m_buttonsLabel->setBuddy(m_buttonsList);
    m_hintLabel->setWordWrap(true);
    m_keysLabel->setObjectName(QStringLiteral("KeysLabel"));
    m_keysLabel->setWordWrap(true);
    m_helpBtn->hide();
    m_closeBtn->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_categoriesLabel, 0, 0);
    grid->addWidget(m_sectionList, 1, 0);
    grid->addWidget(m_buttonsLabel, 0, 1);
    grid->addWidget(m_buttonsList, 1, 1);
    grid->addWidget(m_hintLabel, 2, 0, 1, 2);
    grid->addWidget(m_keysLabel, 3, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_closeBtn);
    buttons->addWidget(m_helpBtn);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    for (const TSpeedbarSection *section : bar->sections())
        m_sectionList->addItem(section->Caption());
    m_sectionList->setMinimumWidth(140);
    m_buttonsList->setMinimumWidth(220);
    connect(m_sectionList, &QListWidget::currentRowChanged, this,
            &TSpeedbarSetupWindow::fillButtons);
    connect(bar, &TSpeedBar::layoutChanged, this, &TSpeedbarSetupWindow::fillButtons);
    connect(m_closeBtn, &QPushButton::clicked, this, &QDialog::close);
    connect(m_helpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(m_helpContext); });
    if (m_sectionList->count() > 0)
        m_sectionList->setCurrentRow(0);
    resize(520, 340);
}

void TSpeedbarSetupWindow::setHelpContext(int context)
{
    if (context <= 0)
        return;
    m_helpContext = context;
    m_helpBtn->show();
}

void TSpeedbarSetupWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    const QScreen *screen = m_bar && m_bar->screen() ? m_bar->screen() : this->screen();
    if (screen) {
        QRect area = rect();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
}

void TSpeedbarSetupWindow::fillButtons()
{
    const int row = m_sectionList->currentRow();
    if (!m_bar || row < 0 || row >= m_bar->sections().size()) {
        m_buttonsList->clear();
        return;
    }
    m_buttonsList->setItems(m_bar, m_bar->sections().at(row)->items());
}
