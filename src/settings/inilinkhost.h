#pragma once

#include <QList>
#include <QString>

class QObject;
class SettingsStore;
class TIniLink;

// What the objects linked to a form's storage see of it: the form whose values it keeps, and
// the links it runs on each save and load.
class IniLinkHost
{
public:
    IniLinkHost() = default;
    virtual ~IniLinkHost();
    IniLinkHost(const IniLinkHost &) = delete;
    IniLinkHost &operator=(const IniLinkHost &) = delete;

    // The form the storage belongs to; its class names the sections of linked objects.
    virtual const QObject *linkedForm() const = 0;

protected:
    // Each link's save or load handler, with the store open for it.
    void saveLinks(SettingsStore &store, const QString &rootKey);
    void loadLinks(SettingsStore &store, const QString &rootKey);

private:
    friend class TIniLink;
    void addLink(TIniLink *link);
    void removeLink(TIniLink *link);

    QList<TIniLink *> m_links;
};
