#include "searchdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

SearchDialog::SearchDialog(QWidget *parent)
    : QDialog(parent)
    , m_findWhat(new QLineEdit(this))
    , m_wholeWord(new QCheckBox(tr("Match &whole word only"), this))
    , m_matchCase(new QCheckBox(tr("Match &case"), this))
    , m_findNext(new QPushButton(tr("&Find Next"), this))
    , m_fields(new QGridLayout)
    , m_optionRow(new QHBoxLayout)
    , m_buttons(new QVBoxLayout)
{
    m_findWhat->setObjectName(QStringLiteral("edtFindWhat"));
    m_findWhat->setMaxLength(maxTextLength);
    m_wholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    m_matchCase->setObjectName(QStringLiteral("chkMatchCase"));
    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(m_findWhat);
    m_fields->addWidget(label, 0, 0);
    m_fields->addWidget(m_findWhat, 0, 1);

    auto *checks = new QVBoxLayout;
    checks->addStretch();
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    m_optionRow->addLayout(checks);
    m_optionRow->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(m_fields);
    left->addLayout(m_optionRow);
    left->addStretch();

    m_findNext->setObjectName(QStringLiteral("btnFindNext"));
    m_findNext->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    m_buttons->addWidget(m_findNext);
    m_buttons->addWidget(cancel);
    m_buttons->addStretch();
    m_needText.append(m_findNext);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_findWhat, &QLineEdit::textChanged, this, &SearchDialog::updateButtons);
    connect(m_findNext, &QPushButton::clicked, this, [this]() {
        m_pressed = {};
        emit findNext();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateButtons();
}

QPushButton *SearchDialog::addCommandButton(const QString &text, const QString &name)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    m_buttons->insertWidget(m_buttons->indexOf(m_findNext) + int(m_needText.size()), button);
    m_needText.append(button);
    updateButtons();
    return button;
}

// As in the system's own dialogs, there is nothing to search for without a find text.
void SearchDialog::updateButtons()
{
    for (QPushButton *button : std::as_const(m_needText))
        button->setEnabled(!m_findWhat->text().isEmpty());
}

QString SearchDialog::findText() const
{
    return m_findWhat->text();
}

void SearchDialog::setFindText(const QString &text)
{
    m_findWhat->setText(text);
}

SearchOptions SearchDialog::options() const
{
    SearchOptions options = m_pressed;
    options.setFlag(SearchOption::Down, searchesDown());
    options.setFlag(SearchOption::MatchCase, m_matchCase->isChecked());
    options.setFlag(SearchOption::WholeWord, m_wholeWord->isChecked());
    return options;
}

void SearchDialog::popUp()
{
    show();
    raise();
    activateWindow();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}
