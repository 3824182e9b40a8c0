#include "displaycheck.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace DisplayCheck {

namespace {

QString platformName(int argc, char **argv, const QProcessEnvironment &env)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return env.value(QStringLiteral("QT_QPA_PLATFORM"));
}

bool canConnectUnix(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    ::close(fd);
    return ok;
}

// Only a local X display (":N" or "unix:N") can be checked cheaply; any other is trusted.
bool x11DisplayReachable(const QString &display)
{
    static const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const auto match = local.match(display);
    if (!match.hasMatch())
        return true;
    return canConnectUnix(QStringLiteral("/tmp/.X11-unix/X") + match.captured(1));
}

const QString kHint = QStringLiteral("; run it in a desktop session, or without one as: "
                                     "xvfb-run -a scripts/run.sh [FILE...]");

} // namespace

QString problem(int argc, char **argv, const QProcessEnvironment &env)
{
    const QString platform = platformName(argc, argv, env).section(QLatin1Char(':'), 0, 0);
    const QString display = env.value(QStringLiteral("DISPLAY"));
    const bool wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();

    if (!platform.isEmpty() && platform != QLatin1String("xcb")
        && !platform.startsWith(QLatin1String("wayland")))
        return {}; // offscreen, vnc, ...: nothing to check
    if (platform.startsWith(QLatin1String("wayland")))
        return wayland ? QString()
                       : QStringLiteral("no Wayland display (WAYLAND_DISPLAY is not set)") + kHint;
    if (display.isEmpty()) {
        if (platform.isEmpty() && wayland)
            return {};
        return QStringLiteral("no display (DISPLAY is not set)") + kHint;
    }
    if (!x11DisplayReachable(display))
        return QStringLiteral("cannot reach the X display %1").arg(display) + kHint;
    return {};
}

} // namespace DisplayCheck
