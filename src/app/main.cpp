#include "app/errorhandler.h"
#include "app/leafstackapplication.h"
#include "app/programfiles.h"
#include "app/programicon.h"
#include "app/tfrmmain.h"
#include "format/formatsettings.h"
#include "platform/displaycheck.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Without a display Qt would abort; say what is missing instead.
    const QString problem = DisplayCheck::problem(argc, argv);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "leafstack: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    // Leafstack draws no OpenGL; skipping the GL integration saves start-up time and memory.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    LeafstackApplication app(argc, argv);
    app.setWindowIcon(ProgramIcon::icon());
    // Ties the windows to the installed desktop entry.
    app.setDesktopFileName(QStringLiteral("leafstack"));
    LoadLocaleSettings();

    SettingsStore settings;
    TfrmMain frame;
    frame.setCommandLine(QCoreApplication::arguments().mid(1), QDir::currentPath());
    frame.setSettingsStore(&settings);
    frame.setProgramFolder(ProgramFiles::folder(QCoreApplication::applicationDirPath()));
    frame.show();
    QObject::connect(
            &app, &QGuiApplication::commitDataRequest, &frame,
            [&frame](QSessionManager &manager) {
                const bool mayAsk = manager.allowsInteraction();
                const bool goOn = frame.commitSession(mayAsk);
                if (mayAsk)
                    manager.release();
                if (!goOn)
                    manager.cancel();
            },
            Qt::DirectConnection);
    // A settings file that could not be read is said once; it is set aside at the first save.
    if (!settings.loadError().isEmpty())
        ErrorHandler::report(settings.loadError());
    return app.exec();
}
