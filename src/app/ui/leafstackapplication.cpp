#include "leafstackapplication.h"

#include "base/errorhandler.h"
#include "base/ui/appmessagebox.h"
#include "format/formatsettings.h"

#include <QEvent>

LeafstackApplication::LeafstackApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The application title. No display name is set: Qt would append it, after a dash, to every
    // window caption, and the frame's caption is exactly "Leafstack - [name]".
    setApplicationName(QStringLiteral("Leafstack"));
    setOrganizationName(QStringLiteral("Orvanel"));
    setApplicationVersion(QStringLiteral(LEAFSTACK_VERSION));
    // A failed command is shown in the program's error box.
    ErrorHandler::setDefaultPresenter(&AppMessageBox::showError);
}

bool LeafstackApplication::notify(QObject *receiver, QEvent *event)
{
    // Commands are guarded where they run; this catches what an event handler lets escape.
    bool handled = false;
    ErrorHandler::run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool LeafstackApplication::event(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange)
        RefreshLocaleSettings();
    return QApplication::event(event);
}
