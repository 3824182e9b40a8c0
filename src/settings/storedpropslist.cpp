#include "storedpropslist.h"

#include "tpropsstorage.h"

#include <QObject>

void StoredPropsList::assign(const QStringList &entries, QObject *form)
{
    m_entries.clear();
    for (const QString &entry : entries) {
        const qsizetype dot = entry.indexOf(QLatin1Char('.'));
        if (dot < 0)
            continue;
        const QString component = entry.left(dot).trimmed();
        const QString property = entry.mid(dot + 1).trimmed();
        if (component.isEmpty() || property.isEmpty())
            continue;
        if (QObject *object = form->findChild<QObject *>(component))
            m_entries.append({object, property});
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
