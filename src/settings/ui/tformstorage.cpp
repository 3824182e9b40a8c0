#include "tformstorage.h"

#include "settings/settingsstore.h"
#include "settings/tpropsstorage.h"

#include <QWidget>

namespace {

QString keyOf(const QString &rootKey, const QString &section)
{
    return rootKey + QLatin1Char('\\') + section;
}

// Reads from the store and writes through the form's baseline: an unchanged property is not
// written again.
TPropsStorage storageFor(SettingsStore *store, SettingsBaseline &baseline, const QString &rootKey,
                         const QString &sectionKey)
{
    TPropsStorage storage(
            [store, rootKey](const QString &section, const QString &name,
                             const QString &defaultValue) {
                return store->readString(keyOf(rootKey, section), name, defaultValue);
            },
            [store, &baseline, rootKey](const QString &section, const QString &name,
                                        const QString &value) {
                baseline.write(*store, keyOf(rootKey, section), name, value);
            },
            [store, rootKey](const QString &section) { store->eraseKey(keyOf(rootKey, section)); });
    storage.setLoadedHandler(
            [&baseline, rootKey](const QString &section, const QString &name, const QString &text) {
                baseline.note(keyOf(rootKey, section), name, text);
            });
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
    TPropsStorage storage = storageFor(store(), baseline(), rootKey(), sectionKey());
    m_props.store(storage);
}

void TFormStorage::loadProperties()
{
    // A failure outside a single property ends the load quietly.
    try {
        TPropsStorage storage = storageFor(store(), baseline(), rootKey(), sectionKey());
        m_props.load(storage);
    } catch (...) { }
}
