#include "regtree.h"

RegValue RegValue::string(const QString &name, const QString &text)
{
    RegValue value;
    value.name = name;
    value.text = text;
    return value;
}

bool RegTree::samePath(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool RegTree::isBelow(const QString &path, const QString &ancestor)
{
    return path.size() > ancestor.size() + 1 && path.at(ancestor.size()) == QLatin1Char('\\')
            && QStringView(path).left(ancestor.size()).compare(ancestor, Qt::CaseInsensitive) == 0;
}

RegTree::Key *RegTree::find(const QString &path)
{
    for (Key &key : m_keys) {
        if (samePath(key.path, path))
            return &key;
    }
    return nullptr;
}

const RegTree::Key *RegTree::find(const QString &path) const
{
    return const_cast<RegTree *>(this)->find(path);
}

bool RegTree::keyExists(const QString &path) const
{
    for (const Key &key : m_keys) {
        if (samePath(key.path, path) || isBelow(key.path, path))
            return true;
    }
    return false;
}

void RegTree::createKey(const QString &path)
{
    if (!find(path))
        m_keys.append({path, {}});
}

void RegTree::eraseKey(const QString &path)
{
    m_keys.removeIf(
            [&](const Key &key) { return samePath(key.path, path) || isBelow(key.path, path); });
}

const RegValue *RegTree::value(const QString &path, const QString &name) const
{
    const Key *key = find(path);
    if (!key)
        return nullptr;
    for (const RegValue &value : key->values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    }
    return nullptr;
}

void RegTree::setValue(const QString &path, const RegValue &value)
{
    createKey(path);
    Key *key = find(path);
    for (RegValue &existing : key->values) {
        if (existing.name.compare(value.name, Qt::CaseInsensitive) == 0) {
            const QString keptName = existing.name;
            existing = value;
            existing.name = keptName;
            return;
        }
    }
    key->values.append(value);
}

QStringList RegTree::valueNames(const QString &path) const
{
    QStringList names;
    if (const Key *key = find(path)) {
        for (const RegValue &value : key->values)
            names.append(value.name);
    }
    return names;
}

QStringList RegTree::subKeys(const QString &path) const
{
    QStringList names;
    for (const Key &key : m_keys) {
        if (!isBelow(key.path, path))
            continue;
        const QString child = key.path.mid(path.size() + 1).section(QLatin1Char('\\'), 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive))
            names.append(child);
    }
    return names;
}
