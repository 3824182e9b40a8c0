#include "appmessagebox.h"

#include "programmessage.h"

#include <QApplication>

namespace {
const QString kTitle = QStringLiteral("Leafstack");

QWidget *defaultParent(QWidget *parent)
{
    return parent ? parent : QApplication::activeWindow();
}
} // namespace

QMessageBox *AppMessageBox::create(QWidget *parent, Kind kind, const QString &message)
{
    auto *box = new QMessageBox(defaultParent(parent));
    box->setWindowTitle(kTitle);
    box->setTextFormat(Qt::PlainText);
    box->setText(ProgramMessage::toDisplay(ProgramMessage::compose(message)));
    switch (kind) {
    case Kind::Information:
        box->setIcon(QMessageBox::Information);
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        break;
    case Kind::Question:
        box->setIcon(QMessageBox::Question);
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    case Kind::CloseQuestion:
        box->setIcon(QMessageBox::Question);
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    return box;
}

QMessageBox::StandardButton AppMessageBox::show(QWidget *parent, Kind kind, const QString &message)
{
    QMessageBox *box = create(parent, kind, message);
    const auto answer = static_cast<QMessageBox::StandardButton>(box->exec());
    delete box;
    return answer;
}

void AppMessageBox::showError(const QString &text)
{
    QMessageBox box(defaultParent(nullptr));
    box.setWindowTitle(kTitle);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(QMessageBox::Critical);
    box.setText(ProgramMessage::toDisplay(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}
