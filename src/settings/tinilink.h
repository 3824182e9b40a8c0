#pragma once

#include <QObject>

#include <functional>

class SettingsStore;
class IniLinkHost;

// Lets another object save and load its own values whenever a form's storage does (the tool
// bar keeps its layout this way). The store is open only while a save or load runs.
class TIniLink : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(SettingsStore &store, const QString &rootKey)>;

    explicit TIniLink(QObject *parent = nullptr);
    ~TIniLink() override;

    IniLinkHost *Storage() const { return m_storage; }
    // Detaches from the old storage and attaches to the new one.
    void setStorage(IniLinkHost *storage);

    Handler OnSave;
    Handler OnLoad;

    // The store while a save or load runs, otherwise null.
    SettingsStore *IniObject() const { return m_store; }

private:
    friend class IniLinkHost;
    void run(const Handler &handler, SettingsStore &store, const QString &rootKey);

    IniLinkHost *m_storage = nullptr;
    SettingsStore *m_store = nullptr;
};
