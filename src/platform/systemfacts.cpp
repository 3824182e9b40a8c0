#include "systemfacts.h"

#include <QDir>
#include <QFile>
#include <QList>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <vector>

namespace {

QByteArray readFile(const QString &root, const char *path)
{
    QFile file(QDir(root).filePath(QLatin1String(path)));
    // /proc files report no size: read until the end.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The value of "name : value" lines (cpuinfo) or "NAME=value" lines (os-release).
QByteArray valueOf(const QByteArray &text, const QByteArray &name, char separator)
{
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype at = line.indexOf(separator);
        if (at > 0 && line.left(at).trimmed() == name)
            return line.mid(at + 1).trimmed();
    }
    return {};
}

// os-release values follow the shell's quoting.
QString unquote(const QByteArray &value)
{
    if (value.size() < 2 || (value.front() != '"' && value.front() != '\'')
        || value.back() != value.front())
        return QString::fromUtf8(value);
    const QByteArray inner = value.mid(1, value.size() - 2);
    if (value.front() == '\'')
        return QString::fromUtf8(inner);
    QByteArray out;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner.at(i) == '\\' && i + 1 < inner.size()
            && QByteArray("\"\\$`").contains(inner.at(i + 1)))
            ++i;
        out += inner.at(i);
    }
    return QString::fromUtf8(out);
}

void readAccount(SystemFacts &facts)
{
    passwd entry{};
    passwd *found = nullptr;
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? size_t(suggested) : 16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return;
    facts.loginName = QString::fromLocal8Bit(found->pw_name);
    facts.fullName = SystemFacts::fullNameFromGecos(found->pw_gecos, facts.loginName);
}

} // namespace

SystemFacts SystemFacts::read(const QString &root)
{
    SystemFacts facts;
    readAccount(facts);
    facts.organization =
            organizationFrom(qgetenv("ORGANIZATION"), readFile(root, "etc/organization"));
    facts.processor = processorFromCpuInfo(readFile(root, "proc/cpuinfo"));
    QByteArray osRelease = readFile(root, "etc/os-release");
    if (osRelease.isEmpty())
        osRelease = readFile(root, "usr/lib/os-release");
    facts.distribution = distributionFromOsRelease(osRelease);
    utsname names{};
    if (::uname(&names) == 0) {
        facts.machine = QString::fromLocal8Bit(names.machine);
        facts.kernelName = QString::fromLocal8Bit(names.sysname);
        facts.kernelRelease = QString::fromLocal8Bit(names.release);
    }
    return facts;
}

QString SystemFacts::fullNameFromGecos(const QByteArray &gecos, const QString &loginName)
{
    // The full name is the first of the comma-separated fields; "&" stands for the login
    // name with a capital.
    QString name = QString::fromUtf8(gecos.split(',').constFirst()).trimmed();
    if (name.contains(QLatin1Char('&')) && !loginName.isEmpty())
        name.replace(QLatin1Char('&'), loginName.left(1).toUpper() + loginName.mid(1));
    return name;
}

QString SystemFacts::processorFromCpuInfo(const QByteArray &cpuInfo)
{
    // x86 says "model name"; other processors use other names for it.
    for (const char *name : {"model name", "Model", "cpu model", "Processor", "cpu"}) {
        const QByteArray value = valueOf(cpuInfo, name, ':');
        if (!value.isEmpty())
            return QString::fromUtf8(value).simplified();
    }
    return {};
}

QString SystemFacts::distributionFromOsRelease(const QByteArray &osRelease)
{
    return unquote(valueOf(osRelease, "NAME", '=')).trimmed();
}

QString SystemFacts::organizationFrom(const QByteArray &environment, const QByteArray &file)
{
    if (!environment.trimmed().isEmpty())
        return QString::fromLocal8Bit(environment).trimmed();
    return QString::fromUtf8(file.split('\n').constFirst()).trimmed();
}
