#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One registry value: a name and typed data. The program writes strings only; other types
// are kept as read so that a file edited elsewhere loses nothing.
struct RegValue
{
    enum class Type { String, Dword, Binary };

    QString name;
    Type type = Type::String;
    QString text;       // String
    quint32 dword = 0;  // Dword
    QByteArray bytes;   // Binary
    QString binaryKind; // "hex" or "hex(N)" as written

    static RegValue string(const QString &name, const QString &text);
};
Q_DECLARE_TYPEINFO(RegValue, Q_RELOCATABLE_TYPE);

// A key path or value name as an index holds it: hashed and compared without regard to letter
// case, and without a folded copy of its own. The hash is worked out once, so growing an index
// and probing it compare names only when their hashes agree.
struct RegName
{
    explicit RegName(const QString &name);
    bool operator==(const RegName &other) const;

    QString text;
    size_t hash;
};
inline size_t qHash(const RegName &name, size_t seed = 0) noexcept
{
    return name.hash ^ seed;
}

// An in-memory registry hive: keys by full path ("HKEY_CURRENT_USER\Software\..."), each with
// its values in the order they were made. Key paths and value names compare without regard
// to letter case and keep the case they were created with. Looking up a key or a value takes
// constant time, so reading a file of any size stays linear.
class RegTree
{
public:
    struct Key
    {
        QString path;
        QList<RegValue> values;
        struct Position
        {
            qsizetype at = -1;
        };
        QHash<RegName, Position> index; // value name -> position in values
    };

    const QList<Key> &keys() const { return m_keys; }
    bool isEmpty() const { return m_keys.isEmpty(); }

    // A key exists when it was made, or when a key below it was.
    bool keyExists(const QString &path) const;
    void createKey(const QString &path);
    // Removes the key and every key below it.
    void eraseKey(const QString &path);

    const RegValue *value(const QString &path, const QString &name) const;
    void setValue(const QString &path, const RegValue &value);
    // The position of the key in keys(), made when missing; for many values into one key.
    qsizetype keyPosition(const QString &path);
    void setValue(qsizetype keyPosition, RegValue value);
    QStringList valueNames(const QString &path) const;
    // The names of the keys directly below a key.
    QStringList subKeys(const QString &path) const;

    static bool samePath(const QString &a, const QString &b);
    static bool isBelow(const QString &path, const QString &ancestor);

private:
    Key *find(const QString &path);
    const Key *find(const QString &path) const;
    void countAncestors(const QString &path);
    void reindex();

    QList<Key> m_keys;
    QHash<RegName, qsizetype> m_keyIndex; // path -> position in m_keys
    QHash<RegName, int> m_below;          // path -> number of keys below it
};
