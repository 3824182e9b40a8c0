#include "tinilink.h"

#include "inilinkhost.h"

TIniLink::TIniLink(QObject *parent)
    : QObject(parent)
{ }

TIniLink::~TIniLink()
{
    setStorage(nullptr);
}

void TIniLink::setStorage(IniLinkHost *storage)
{
    if (m_storage == storage)
        return;
    if (m_storage)
        m_storage->removeLink(this);
    m_storage = storage;
    if (m_storage)
        m_storage->addLink(this);
}

void TIniLink::run(const Handler &handler, SettingsStore &store, const QString &rootKey)
{
    if (!handler)
        return;
    m_store = &store;
    try {
        handler(store, rootKey);
    } catch (...) {
        m_store = nullptr;
        throw;
    }
    m_store = nullptr;
}
