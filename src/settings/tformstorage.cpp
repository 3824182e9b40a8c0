#include "tformstorage.h"

#include "settingsstore.h"
#include "tpropsstorage.h"

#include <QWidget>

namespace {

TPropsStorage storageFor(SettingsStore *store, const QString &rootKey, const QString &sectionKey)
{
    const auto key = [rootKey](const QString &section) {
        return rootKey + QLatin1Char('\\') + section;
    };
    TPropsStorage storage(
            [store, key](const QString &section, const QString &name, const QString &defaultValue) {
                return store->readString(key(section), name, defaultValue);
            },
            [store, key](const QString &section, const QString &name, const QString &value) {
                store->writeString(key(section), name, value);
            },
            [store, key](const QString &section) { store->eraseKey(key(section)); });
    storage.Section = sectionKey.mid(rootKey.size() + 1);
    return storage;
}

} // namespace

TFormStorage::TFormStorage(QWidget *form, SettingsStore *store)
    : TFormPlacement(form, store)
{ }

void TFormStorage::setStoredProps(const QStringList &entries)
{
    m_props.assign(entries, form());
}

void TFormStorage::saveProperties()
{
    TPropsStorage storage = storageFor(store(), rootKey(), sectionKey());
    m_props.store(storage);
}

void TFormStorage::loadProperties()
{
    // A failure outside a single property ends the load quietly.
    try {
        TPropsStorage storage = storageFor(store(), rootKey(), sectionKey());
        m_props.load(storage);
    } catch (...) { }
}
