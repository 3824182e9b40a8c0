#include "replacedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ReplaceDialog::ReplaceDialog(QWidget *parent)
    : SearchDialog(parent)
    , m_replaceWith(new QLineEdit(this))
{
    setObjectName(QStringLiteral("dlgReplace"));
    setWindowTitle(tr("Replace"));
    m_replaceWith->setObjectName(QStringLiteral("edtReplaceWith"));
    m_replaceWith->setMaxLength(maxTextLength);
    auto *label = new QLabel(tr("Re&place with:"), this);
    label->setBuddy(m_replaceWith);
    fields()->addWidget(label, 1, 0);
    fields()->addWidget(m_replaceWith, 1, 1);
    setTabOrder(findEdit(), m_replaceWith);

    QPushButton *replace = addCommandButton(tr("&Replace"), QStringLiteral("btnReplace"));
    QPushButton *replaceAll = addCommandButton(tr("Replace &All"), QStringLiteral("btnReplaceAll"));
    connect(replace, &QPushButton::clicked, this, [this]() {
        setPressed(SearchOption::Replace);
        emit this->replace();
    });
    connect(replaceAll, &QPushButton::clicked, this, [this]() {
        setPressed(SearchOption::ReplaceAll);
        emit this->replace();
    });
}

QString ReplaceDialog::replaceText() const
{
    return m_replaceWith->text();
}

void ReplaceDialog::setReplaceText(const QString &text)
{
    m_replaceWith->setText(text);
}
