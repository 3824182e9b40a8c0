#include "leafstackapplication.h"

#include "errorhandler.h"
#include "format/formatsettings.h"

#include <QEvent>

LeafstackApplication::LeafstackApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Leafstack"));
    setApplicationDisplayName(QStringLiteral("Leafstack"));
    setOrganizationName(QStringLiteral("Orvanel"));
    setApplicationVersion(QStringLiteral(LEAFSTACK_VERSION));
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
