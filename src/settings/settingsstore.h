#pragma once

#include "regtree.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The per-user settings store that stands in for the registry: one human-readable file
// (see RegFileFormat). Keys are paths below HKEY_CURRENT_USER, such as
// "Software\Orvanel\Leafstack\Main Form".
//
// Reads come from memory. flush() takes the file's lock, reads the file again if another
// process has replaced it since, applies what this process changed since its last flush and
// replaces the file atomically, so several Leafstack processes never drop each other's values.
class SettingsStore
{
public:
    explicit SettingsStore(const QString &filePath = defaultFilePath());

    // $XDG_CONFIG_HOME/Orvanel/Leafstack.reg, or ~/.config/Orvanel/Leafstack.reg.
    static QString defaultFilePath();
    QString filePath() const { return m_path; }

    // Why the file, or some of its lines, could not be read at start (empty if all could).
    // Every value that could be read is in the store; a damaged file is copied to
    // Leafstack.reg.bad at the first flush, before it is replaced.
    QString loadError() const { return m_loadError; }

    // Whether the key exists; with create, makes it when missing.
    bool openKey(const QString &key, bool create);
    bool keyExists(const QString &key) const;
    QStringList valueNames(const QString &key) const;
    QStringList subKeys(const QString &key) const;
    bool valueExists(const QString &key, const QString &name) const;

    // The text of a string value; nothing when the value is missing or of another type. A value
    // of another type is noted as "Invalid data type for '%s'" for takeProblems().
    std::optional<QString> stringValue(const QString &key, const QString &name) const;
    // The default when the key or value is missing or not a string.
    QString readString(const QString &key, const QString &name, const QString &defaultValue) const;
    void writeString(const QString &key, const QString &name, const QString &value);
    // Writes the value only where neither this process nor, by the time of the flush, another
    // one has a value of that name.
    void writeStringIfAbsent(const QString &key, const QString &name, const QString &value);
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    int readInteger(const QString &key, const QString &name, int defaultValue) const;
    static int toInteger(const QString &text, int defaultValue);
    void writeInteger(const QString &key, const QString &name, int value);
    void writeBool(const QString &key, const QString &name, bool value);
    // Deletes the key with all its sub-keys.
    void eraseKey(const QString &key);

    // The values that could not be read since the last call, each said once in a process.
    QStringList takeProblems();

    // A damaged file counts as a change: the first flush writes what could be read of it.
    bool hasUnsavedChanges() const { return !m_changes.isEmpty() || m_damaged; }
    // Writes this process's changes; throws "Failed to set data for '%s'" (the file) on failure.
    void flush();

private:
    struct Change
    {
        enum class Kind { CreateKey, SetValue, SetIfAbsent, EraseKey } kind;
        QString key;
        RegValue value;
    };
    // What identifies one version of the file: a writer replaces it with a new one.
    struct Stamp
    {
        bool exists = false;
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0, changed = 0;
        bool operator==(const Stamp &) const = default;
    };

    static QString fullPath(const QString &key);
    static Stamp stampOf(const QString &path);
    RegTree readFile(QStringList &problems, Stamp &stamp) const;
    void setAside();
    void apply(RegTree &tree, const Change &change) const;
    void record(Change change);
    void write(const RegTree &tree);

    QString m_path;
    RegTree m_tree;
    QList<Change> m_changes;
    QString m_loadError;
    Stamp m_stamp;          // the file that m_tree was read from or written as
    bool m_damaged = false; // that file has lines that could not be read
    mutable QStringList m_problems;
    mutable QSet<QString> m_said;
};
