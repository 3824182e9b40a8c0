#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Builds the program's own message boxes: titled "Leafstack", the text headed by the product
// name and a rule, "\r" shown as a line break.
class AppMessageBox
{
public:
    enum class Kind { Information, Question, CloseQuestion };

    // Shows the box modally; returns the button pressed (Ok, Yes, No or Cancel).
    static QMessageBox::StandardButton show(QWidget *parent, Kind kind, const QString &message);

    // Makes, without showing, the box that show() would run; lets tests inspect and answer it.
    static QMessageBox *create(QWidget *parent, Kind kind, const QString &message);

    // The error box of the application's handler: the error text as it stands, OK only.
    static void showError(const QString &text);
};
