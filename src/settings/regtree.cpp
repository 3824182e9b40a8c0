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
    const auto found = m_keyIndex.constFind(folded(path));
    return found == m_keyIndex.cend() ? nullptr : &m_keys[*found];
}

const RegTree::Key *RegTree::find(const QString &path) const
{
    return const_cast<RegTree *>(this)->find(path);
}

// Every key above path has one more key below it.
void RegTree::countAncestors(const QString &path)
{
    for (qsizetype slash = path.indexOf(QLatin1Char('\\'), 1); slash > 0;
         slash = path.indexOf(QLatin1Char('\\'), slash + 1))
        ++m_below[folded(path.left(slash))];
}

RegTree::Key &RegTree::ensure(const QString &path)
{
    if (Key *key = find(path))
        return *key;
    m_keyIndex.insert(folded(path), m_keys.size());
    countAncestors(path);
    m_keys.append({path, {}, {}});
    return m_keys.last();
}

void RegTree::reindex()
{
    m_keyIndex.clear();
    m_below.clear();
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        m_keyIndex.insert(folded(m_keys.at(i).path), i);
        countAncestors(m_keys.at(i).path);
    }
}

bool RegTree::keyExists(const QString &path) const
{
    return find(path) || m_below.value(folded(path)) > 0;
}

void RegTree::createKey(const QString &path)
{
    ensure(path);
}

void RegTree::eraseKey(const QString &path)
{
    if (!keyExists(path))
        return;
    m_keys.removeIf(
            [&](const Key &key) { return samePath(key.path, path) || isBelow(key.path, path); });
    reindex();
}

const RegValue *RegTree::value(const QString &path, const QString &name) const
{
    const Key *key = find(path);
    if (!key)
        return nullptr;
    const auto found = key->index.constFind(folded(name));
    return found == key->index.cend() ? nullptr : &key->values.at(*found);
}

void RegTree::setValue(const QString &path, const RegValue &value)
{
    Key &key = ensure(path);
    const QString name = folded(value.name);
    const auto found = key.index.constFind(name);
    if (found == key.index.cend()) {
        key.index.insert(name, key.values.size());
        key.values.append(value);
        return;
    }
    RegValue &existing = key.values[*found];
    const QString keptName = existing.name;
    existing = value;
    existing.name = keptName;
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
