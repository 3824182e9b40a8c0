#include "machineregistry.h"

#include <utility>

namespace {
const QString kCurrentVersion = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
}

MachineRegistry::MachineRegistry(SystemFacts facts)
    : m_facts(std::move(facts))
{ }

std::optional<QString> MachineRegistry::value(const QString &key, const QString &name) const
{
    QString path = key;
    if (!path.startsWith(QLatin1Char('\\')))
        path.prepend(QLatin1Char('\\'));
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    if (path.compare(kCurrentVersion, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (name.compare(QLatin1String("RegisteredOwner"), Qt::CaseInsensitive) == 0) {
        const QString owner = m_facts.fullName.isEmpty() ? m_facts.loginName : m_facts.fullName;
        if (!owner.isEmpty())
            return owner;
    }
    if (name.compare(QLatin1String("RegisteredOrganization"), Qt::CaseInsensitive) == 0
        && !m_facts.organization.isEmpty())
        return m_facts.organization;
    return std::nullopt;
}
