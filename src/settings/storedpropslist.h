#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>

class QObject;
class TPropsStorage;

// A form's list of stored properties, entries such as "mniButtonHints.Checked": a component
// found by its object name below the form, a "." and one of its property names. Entries that
// are malformed or name no component are dropped, and so is an entry whose component is gone.
class StoredPropsList
{
public:
    void assign(const QStringList &entries, QObject *form);
    // The entries as they stand now, from their components' current names.
    QStringList entries() const;

    // Saves or loads every entry in list order; the prefix of each is its component's name and "_".
    void store(TPropsStorage &storage) const;
    void load(TPropsStorage &storage) const;

private:
    struct Entry
    {
        QPointer<QObject> component;
        QString property;
    };
    QList<Entry> live() const;

    QList<Entry> m_entries;
};
