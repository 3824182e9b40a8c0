#include "tpropsstorage.h"

#include <QMetaEnum>
#include <QObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QVariant>

#include <limits>
#include <optional>

namespace {

// Blanks and control characters off both ends.
QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

bool isTextKind(TPropsStorage::Kind kind)
{
    return kind == TPropsStorage::Kind::String || kind == TPropsStorage::Kind::Character;
}

QString setText(const QMetaEnum &flags, int value)
{
    QStringList names;
    for (int bit = 0; bit < 16; ++bit) {
        if (!(value & (1 << bit)))
            continue;
        if (const char *key = flags.valueToKey(1 << bit))
            names.append(QString::fromLatin1(key));
    }
    return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
}

int setValue(const QMetaEnum &flags, const QString &text)
{
    int value = 0;
    const QStringList words =
            text.split(QRegularExpression(QStringLiteral("[ ,\\[\\]]")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        for (int i = 0; i < flags.keyCount(); ++i) {
            const int element = flags.value(i);
            const bool singleBit = element != 0 && (element & (element - 1)) == 0;
            if (singleBit && word.compare(QLatin1String(flags.key(i)), Qt::CaseInsensitive) == 0)
                value |= element;
        }
    }
    return value;
}

// The first element, from the lowest value up, whose name matches.
std::optional<int> enumValue(const QMetaEnum &enumerator, const QString &text)
{
    std::optional<int> best;
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (text.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0
            && (!best || enumerator.value(i) < *best))
            best = enumerator.value(i);
    }
    return best;
}

} // namespace

TPropsStorage::TPropsStorage(ReadFn read, WriteFn write, EraseFn erase)
    : m_read(std::move(read))
    , m_write(std::move(write))
    , m_erase(std::move(erase))
{ }

QString TPropsStorage::ReadString(const QString &section, const QString &name,
                                  const QString &defaultValue)
{
    return m_read(section, name, defaultValue);
}

void TPropsStorage::WriteString(const QString &section, const QString &name, const QString &value)
{
    m_write(section, name, value);
}

void TPropsStorage::EraseSection(const QString &section)
{
    m_erase(section);
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const
{
    return std::make_unique<TPropsStorage>(m_read, m_write, m_erase);
}

TPropsStorage::Kind TPropsStorage::kindOf(const QMetaProperty &property)
{
    if (property.isFlagType())
        return Kind::Set;
    if (property.isEnumType())
        return Kind::Enumeration;
    const QMetaType type = property.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return Kind::Enumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return Kind::Integer;
    case QMetaType::QChar:
        return Kind::Character;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Float;
    case QMetaType::QString:
        return Kind::String;
    case QMetaType::QStringList:
        return Kind::StringList;
    case QMetaType::QVariant:
        return Kind::Variant;
    default:
        return type.flags().testFlag(QMetaType::PointerToQObject) ? Kind::Object
                                                                  : Kind::Unsupported;
    }
}

QString TPropsStorage::valueText(const QObject *object, const QMetaProperty &property)
{
    const QVariant value = property.read(object);
    switch (kindOf(property)) {
    case Kind::Integer:
        return QString::number(value.toLongLong());
    case Kind::Character:
        return value.toChar().isNull() ? QString() : QString(value.toChar());
    case Kind::Enumeration:
        if (property.metaType().id() == QMetaType::Bool)
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        return QString::fromLatin1(property.enumerator().valueToKey(value.toInt()));
    case Kind::Float:
        return property.metaType().id() == QMetaType::Float
                ? QString::number(value.toDouble(), 'g', std::numeric_limits<float>::digits10)
                : QString::number(value.toDouble(), 'g', std::numeric_limits<double>::digits10);
    case Kind::String:
    case Kind::Variant:
        return value.toString();
    case Kind::Set:
        return setText(property.enumerator(), value.toInt());
    case Kind::Object:
    case Kind::StringList:
    case Kind::Unsupported:
        break;
    }
    return {};
}

bool TPropsStorage::assignText(QObject *object, const QMetaProperty &property, const QString &text)
{
    switch (kindOf(property)) {
    case Kind::Integer: {
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        const bool written = property.write(object, QVariant(ok ? number : 0).value<qlonglong>());
        return ok && written;
    }
    case Kind::Character:
        return property.write(object, text.isEmpty() ? QChar() : text.at(0));
    case Kind::Enumeration: {
        if (property.metaType().id() == QMetaType::Bool) {
            if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return property.write(object, false);
            if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return property.write(object, true);
            return false;
        }
        const std::optional<int> value = enumValue(property.enumerator(), text);
        return value && property.write(object, *value);
    }
    case Kind::Float: {
        bool ok = false;
        const double number = text.toDouble(&ok);
        return ok && property.write(object, number);
    }
    case Kind::String:
    case Kind::Variant:
        return property.write(object, text);
    case Kind::Set:
        return property.write(object, setValue(property.enumerator(), text));
    case Kind::Object:
    case Kind::StringList:
    case Kind::Unsupported:
        break;
    }
    return false;
}

int TPropsStorage::findProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    // An exact name wins: a widget's own "font" must not hide a stored "Font".
    const int exact = meta->indexOfProperty(name.toLatin1().constData());
    if (exact >= 0)
        return exact;
    for (int i = 0; i < meta->propertyCount(); ++i) {
        if (name.compare(QLatin1String(meta->property(i).name()), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

std::unique_ptr<TPropsStorage> TPropsStorage::nested(QObject *target,
                                                     const QString &propertyName) const
{
    std::unique_ptr<TPropsStorage> storage = CreateStorage();
    storage->Target = target;
    storage->Prefix = ItemName(propertyName);
    storage->Section = Section;
    storage->m_loaded = m_loaded;
    return storage;
}

void TPropsStorage::storeProperty(const QMetaProperty &property, const QString &name)
{
    const Kind kind = kindOf(property);
    if (kind == Kind::StringList) {
        storeStringList(property, name);
    } else if (kind == Kind::Object) {
        if (QObject *child = property.read(Target).value<QObject *>())
            nested(child, name)->StoreObjectProperties();
    } else if (kind != Kind::Unsupported) {
        const QString text = valueText(Target, property);
        if (!text.isEmpty() || isTextKind(kind))
            WriteString(Section, ItemName(name), trimmed(text));
    }
}

void TPropsStorage::loadProperty(const QMetaProperty &property, const QString &name)
{
    const Kind kind = kindOf(property);
    try {
        if (kind == Kind::StringList) {
            loadStringList(property, name);
        } else if (kind == Kind::Object) {
            if (QObject *child = property.read(Target).value<QObject *>())
                nested(child, name)->LoadObjectProperties();
        } else if (kind != Kind::Unsupported) {
            loadValue(property, name);
        }
    } catch (...) {
        // One property that cannot be read keeps its value; the others still load.
    }
}

void TPropsStorage::loadValue(const QMetaProperty &property, const QString &name)
{
    const QString current = valueText(Target, property);
    if (current.isEmpty() && !isTextKind(kindOf(property))) {
        assignText(Target, property, QString());
        return;
    }
    // Said even when the read fails: the property then holds its own text.
    QString loaded = trimmed(current);
    const auto tell = qScopeGuard([&] {
        if (m_loaded)
            m_loaded(Section, ItemName(name), loaded);
    });
    const QString text = trimmed(ReadString(Section, ItemName(name), current));
    loaded = assignText(Target, property, text) ? text : trimmed(valueText(Target, property));
}

void TPropsStorage::storeStringList(const QMetaProperty &property, const QString &name)
{
    const QString section = Section + QLatin1Char('.') + ItemName(name);
    const QStringList items = property.read(Target).toStringList();
    EraseSection(section);
    if (items.isEmpty())
        return;
    WriteString(section, QStringLiteral("Count"), QString::number(items.size()));
    for (qsizetype i = 0; i < items.size(); ++i)
        WriteString(section, QStringLiteral("Item%1").arg(i), items.at(i));
}

void TPropsStorage::loadStringList(const QMetaProperty &property, const QString &name)
{
    const QString section = Section + QLatin1Char('.') + ItemName(name);
    bool ok = false;
    const int count =
            trimmed(ReadString(section, QStringLiteral("Count"), QStringLiteral("0"))).toInt(&ok);
    if (!ok || count <= 0)
        return;
    QStringList items;
    for (int i = 0; i < count; ++i)
        items.append(ReadString(section, QStringLiteral("Item%1").arg(i), QString()));
    property.write(Target, items);
}

void TPropsStorage::StoreProperties(const QStringList &names)
{
    // The value name is the name as listed ("Checked"), whatever case the property has.
    for (const QString &name : names) {
        const int index = findProperty(Target, name);
        if (index >= 0)
            storeProperty(Target->metaObject()->property(index), name);
    }
}

void TPropsStorage::LoadProperties(const QStringList &names)
{
    for (const QString &name : names) {
        const int index = findProperty(Target, name);
        if (index >= 0)
            loadProperty(Target->metaObject()->property(index), name);
    }
}

void TPropsStorage::StoreObjectProperties()
{
    const QMetaObject *meta = Target->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        storeProperty(meta->property(i), QString::fromLatin1(meta->property(i).name()));
}

void TPropsStorage::LoadObjectProperties()
{
    const QMetaObject *meta = Target->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        loadProperty(meta->property(i), QString::fromLatin1(meta->property(i).name()));
}
