#include "regtree.h"

RegValue RegValue::string(const QString &name, const QString &text)
{
    RegValue value;
    value.name = name;
    value.text = text;
    return value;
}

namespace {

char16_t asciiFolded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

} // namespace

// Names are mostly ASCII: compared letter by letter until a letter that is not. Folding keeps
// every letter in its plane, so names of different lengths always differ.
bool RegName::operator==(const RegName &other) const
{
    const qsizetype size = text.size();
    if (hash != other.hash || size != other.text.size())
        return false;
    const QChar *a = text.constData();
    const QChar *b = other.text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return QStringView(a + i, size - i)
                           .compare(QStringView(b + i, size - i), Qt::CaseInsensitive)
                    == 0;
        if (asciiFolded(x) != asciiFolded(y))
            return false;
    }
    return true;
}

// Hashes the folded name, as the case-insensitive comparison folds it; short ASCII names, the
// usual ones, are folded without a copy on the heap.
RegName::RegName(const QString &name)
    : text(name)
{
    constexpr qsizetype kShort = 128;
    if (text.size() <= kShort) {
        char16_t folded[kShort];
        bool ascii = true;
        for (qsizetype i = 0; i < text.size() && ascii; ++i) {
            folded[i] = asciiFolded(text.at(i).unicode());
            ascii = text.at(i).unicode() < 0x80;
        }
        if (ascii) {
            hash = qHash(QStringView(folded, text.size()));
            return;
        }
    }
    hash = qHash(text.toCaseFolded());
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
    const auto found = m_keyIndex.constFind(RegName(path));
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
        ++m_below[RegName(path.left(slash))];
}

qsizetype RegTree::keyPosition(const QString &path)
{
    const auto found = m_keyIndex.constFind(RegName(path));
    if (found != m_keyIndex.cend())
        return *found;
    m_keyIndex.insert(RegName(path), m_keys.size());
    countAncestors(path);
    m_keys.append({path, {}, {}});
    return m_keys.size() - 1;
}

void RegTree::reindex()
{
    m_keyIndex.clear();
    m_below.clear();
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        m_keyIndex.insert(RegName(m_keys.at(i).path), i);
        countAncestors(m_keys.at(i).path);
    }
}

bool RegTree::keyExists(const QString &path) const
{
    return find(path) || m_below.value(RegName(path)) > 0;
}

void RegTree::createKey(const QString &path)
{
    keyPosition(path);
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
    const auto found = key->index.constFind(RegName(name));
    return found == key->index.cend() ? nullptr : &key->values.at(found->at);
}

void RegTree::setValue(const QString &path, const RegValue &value)
{
    setValue(keyPosition(path), value);
}

void RegTree::setValue(qsizetype keyPosition, RegValue value)
{
    Key &key = m_keys[keyPosition];
    Key::Position &position = key.index[RegName(value.name)];
    if (position.at < 0) {
        position.at = key.values.size();
        key.values.append(std::move(value));
        return;
    }
    RegValue &existing = key.values[position.at];
    value.name = existing.name; // the name keeps the case it was made with
    existing = std::move(value);
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
