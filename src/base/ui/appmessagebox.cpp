#include "appmessagebox.h"

#include "base/programmessage.h"

#include <QApplication>
#include <QMainWindow>

namespace {
const QString kTitle = QStringLiteral("Leafstack");

// Before the frame is active (a file named on the command line that cannot be read) the
// message still belongs over the frame, not loose in the middle of the screen.
QWidget *defaultParent(QWidget *parent)
{
    if (parent)
        return parent;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QMainWindow *>(window))
            return window;
    }
    return nullptr;
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
