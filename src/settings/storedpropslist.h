#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>

class QObject;
class TPropsStorage;

// A form's list of stored properties, entries such as "mniButtonHints.Checked": a component
// found by its object name below the form, a "." and one of its property names. Entries that
// are malformed or name no component are dropped, and so is an entry whose component is gone.
// A dropped entry is a setting silently lost (a component renamed, say), so each is kept in
// missing() and warned of.
class StoredPropsList
{
public:
    void assign(const QStringList &entries, QObject *form);
    // The entries as they stand now, from their components' current names.
    QStringList entries() const;
    // The entries of the last assign() that name no component, or a property it does not have.
    const QStringList &missing() const { return m_missing; }

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
    QStringList m_missing;
};
