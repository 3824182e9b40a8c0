#include "aboutreport.h"

#include "platform/machineregistry.h"

#include <QRegularExpression>

#include <array>

namespace {

const QString kUnknown = QStringLiteral("unknown");
const QString kOwner = QStringLiteral("RegisteredOwner");
const QString kOrganization = QStringLiteral("RegisteredOrganization");

// Major, minor and patch number of a kernel release.
std::array<int, 3> releaseNumbers(const QString &release)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = pattern.match(release);
    std::array<int, 3> numbers{0, 0, 0};
    for (int i = 0; i < 3; ++i)
        numbers[i] = match.captured(i + 1).toInt(); // 0 when missing or out of range
    return numbers;
}

void readOwner(const MachineRegistry &registry, const QString &key, AboutReport &report)
{
    const QString subKey = key + QStringLiteral("\\CurrentVersion");
    report.organization = registry.readString(subKey, kOrganization, kUnknown);
    report.owner = registry.readString(subKey, kOwner, kUnknown);
}

} // namespace

AboutReport AboutReport::fill(const MachineRegistry &registry, const SystemFacts &facts)
{
    AboutReport report;
    readOwner(registry, QStringLiteral("\\SOFTWARE\\Microsoft\\Windows"), report);
    if (report.owner == kUnknown)
        readOwner(registry, QStringLiteral("\\SOFTWARE\\Microsoft\\Windows NT"), report);
    report.processor = facts.processor.isEmpty() ? facts.machine : facts.processor;
    report.system = facts.distribution.isEmpty() ? facts.kernelName : facts.distribution;
    report.version = versionOf(facts.kernelRelease);
    report.build = buildOf(facts.kernelRelease);
    return report;
}

QString AboutReport::versionOf(const QString &kernelRelease)
{
    const auto numbers = releaseNumbers(kernelRelease);
    return QString::asprintf("%d.%d", numbers[0], numbers[1]);
}

QString AboutReport::buildOf(const QString &kernelRelease)
{
    // The build is a 16-bit number.
    return QString::asprintf("%d", releaseNumbers(kernelRelease)[2] & 0xFFFF);
}
