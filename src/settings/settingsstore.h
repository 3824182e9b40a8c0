#pragma once

#include "regtree.h"

#include <QList>
#include <QString>

// The per-user settings store that stands in for the registry: one human-readable file
// (see RegFileFormat). Keys are paths below HKEY_CURRENT_USER, such as
// "Software\Orvanel\Leafstack\Main Form".
//
// Reads come from memory. flush() takes the file's lock, reads the file again, applies what
// this process changed since its last flush and replaces the file atomically, so several
// Leafstack processes never drop each other's values.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &filePath = defaultFilePath());

    // $XDG_CONFIG_HOME/Orvanel/Leafstack.reg, or ~/.config/Orvanel/Leafstack.reg.
    static QString defaultFilePath();
    QString filePath() const { return m_path; }

    // Why the file could not be read at start (empty if it could); the file is then set aside
    // as Leafstack.reg.bad before the first flush, and the store starts empty.
    QString loadError() const { return m_loadError; }

    // Whether the key exists; with create, makes it when missing.
    bool openKey(const QString &key, bool create);
    bool keyExists(const QString &key) const;
    QStringList valueNames(const QString &key) const;
    QStringList subKeys(const QString &key) const;
    bool valueExists(const QString &key, const QString &name) const;

    // The default when the key or value is missing; throws "Invalid data type for '%s'" for a
    // value that is not a string.
    QString readString(const QString &key, const QString &name, const QString &defaultValue) const;
    void writeString(const QString &key, const QString &name, const QString &value);
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    int readInteger(const QString &key, const QString &name, int defaultValue) const;
    void writeInteger(const QString &key, const QString &name, int value);
    void writeBool(const QString &key, const QString &name, bool value);
    // Deletes the key with all its sub-keys.
    void eraseKey(const QString &key);

    bool hasUnsavedChanges() const { return !m_changes.isEmpty(); }
    // Writes this process's changes; throws "Failed to set data for '%s'" (the file) on failure.
    void flush();

private:
    struct Change
    {
        enum class Kind { CreateKey, SetValue, EraseKey } kind;
        QString key;
        RegValue value;
    };

    static QString fullPath(const QString &key);
    RegTree readFile(bool setAsideWhenBad);
    void setAside();
    void apply(RegTree &tree, const Change &change) const;
    void record(Change change);

    QString m_path;
    RegTree m_tree;
    QList<Change> m_changes;
    QString m_loadError;
};
