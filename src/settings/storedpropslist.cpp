#include "storedpropslist.h"

#include "tpropsstorage.h"

#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>

namespace {

// Stored property names compare without regard to case, as the storage reads them.
bool hasProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (name.compare(QLatin1String(meta->property(i).name()), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

void StoredPropsList::assign(const QStringList &entries, QObject *form)
{
    m_entries.clear();
    m_missing.clear();
    for (const QString &entry : entries) {
        const qsizetype dot = entry.indexOf(QLatin1Char('.'));
        const QString component = dot < 0 ? QString() : entry.left(dot).trimmed();
        const QString property = dot < 0 ? QString() : entry.mid(dot + 1).trimmed();
        QObject *object = component.isEmpty() ? nullptr : form->findChild<QObject *>(component);
        // An unknown property keeps its entry, as the form listed it; storing skips it.
        if (object && !property.isEmpty())
            m_entries.append({object, property});
        if (!object || !hasProperty(object, property)) {
            m_missing.append(entry);
            qWarning("Stored property \"%s\" of %s names nothing there; it is not kept",
                     qPrintable(entry), form->metaObject()->className());
        }
    }
}

QList<StoredPropsList::Entry> StoredPropsList::live() const
{
    QList<Entry> entries;
    for (const Entry &entry : m_entries) {
        if (entry.component)
            entries.append(entry);
    }
    return entries;
}

QStringList StoredPropsList::entries() const
{
    QStringList texts;
    for (const Entry &entry : live())
        texts.append(entry.component->objectName() + QLatin1Char('.') + entry.property);
    return texts;
}

void StoredPropsList::store(TPropsStorage &storage) const
{
    for (const Entry &entry : live()) {
        storage.Target = entry.component;
        storage.Prefix = entry.component->objectName() + QLatin1Char('_');
        storage.StoreProperties({entry.property});
    }
}

void StoredPropsList::load(TPropsStorage &storage) const
{
    for (const Entry &entry : live()) {
        storage.Target = entry.component;
        storage.Prefix = entry.component->objectName() + QLatin1Char('_');
        storage.LoadProperties({entry.property});
    }
}
