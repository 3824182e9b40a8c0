#include "app/commandline.h"
#include "app/programfiles.h"
#include "app/ui/leafstackapplication.h"
#include "app/ui/programicon.h"
#include "app/ui/tfrmmain.h"
#include "base/errorhandler.h"
#include "format/formatsettings.h"
#include "platform/displaycheck.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSessionManager>

#include <cstdio>

namespace {

// Our own options are answered here, before the toolkit starts: no display is needed for them.
// Returns the exit code, or -1 when the program goes on to open the files.
int answerOptions(const CommandLine::Parsed &parsed, const char *argv0)
{
    const QString program = QFileInfo(QFile::decodeName(argv0)).fileName();
    switch (parsed.kind) {
    case CommandLine::Parsed::Kind::Help:
        std::fputs(CommandLine::helpText(program).toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Parsed::Kind::Version:
        std::fputs(CommandLine::versionText(QStringLiteral(LEAFSTACK_VERSION))
                           .toLocal8Bit()
                           .constData(),
                   stdout);
        return 0;
    case CommandLine::Parsed::Kind::Error:
        std::fputs(CommandLine::errorText(program, parsed.error).toLocal8Bit().constData(), stderr);
        return 1;
    case CommandLine::Parsed::Kind::Files:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    const CommandLine::Parsed parsed = CommandLine::parse(arguments, QDir::currentPath());
    if (const int exitCode = answerOptions(parsed, argv[0]); exitCode >= 0)
        return exitCode;
    // The toolkit sees the program's name only, so that a file called "-reverse" or "-style"
    // is opened, not obeyed.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};

    // Without a display Qt would abort; say what is missing instead.
    const QString problem = DisplayCheck::problem(qtArgc, qtArgv);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "leafstack: %s\n", problem.toLocal8Bit().constData());
        return 2;
    }
    // Leafstack draws no OpenGL; skipping the GL integration saves start-up time and memory.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");

    LeafstackApplication app(qtArgc, qtArgv);
    app.setWindowIcon(ProgramIcon::icon());
    // Ties the windows to the installed desktop entry.
    app.setDesktopFileName(QStringLiteral("leafstack"));
    LoadLocaleSettings();

    SettingsStore settings;
    TfrmMain frame;
    frame.setCommandLine(parsed.names, QDir::currentPath());
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
