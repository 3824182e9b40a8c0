#include "inilinkhost.h"

#include "tinilink.h"

IniLinkHost::~IniLinkHost()
{
    for (TIniLink *link : std::as_const(m_links))
        link->m_storage = nullptr;
}

void IniLinkHost::addLink(TIniLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void IniLinkHost::removeLink(TIniLink *link)
{
    m_links.removeAll(link);
}

void IniLinkHost::saveLinks(SettingsStore &store, const QString &rootKey)
{
    for (TIniLink *link : std::as_const(m_links))
        link->run(link->OnSave, store, rootKey);
}

void IniLinkHost::loadLinks(SettingsStore &store, const QString &rootKey)
{
    for (TIniLink *link : std::as_const(m_links))
        link->run(link->OnLoad, store, rootKey);
}
