#pragma once

#include <QMetaProperty>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QObject;

// Saves and loads named properties of one object as text values of a section, by the kind
// of each property: integers in decimal, booleans and enumerations by their names, flag sets
// as "[name,name]", strings trimmed, string lists in a section of their own, and objects
// through all their own properties under a longer prefix ("mmoMemo_Font" + "Size").
class TPropsStorage
{
public:
    using ReadFn = std::function<QString(const QString &section, const QString &name,
                                         const QString &defaultValue)>;
    using WriteFn =
            std::function<void(const QString &section, const QString &name, const QString &value)>;
    using EraseFn = std::function<void(const QString &section)>;
    // Told of each value after its property has loaded: the stored text when the property took
    // it, otherwise the property's own text (a value it could not take is not its own).
    using LoadedFn =
            std::function<void(const QString &section, const QString &name, const QString &text)>;

    enum class Kind {
        Integer,
        Character,
        Enumeration,
        Float,
        String,
        Set,
        Variant,
        Object,
        StringList,
        Unsupported
    };

    TPropsStorage(ReadFn read, WriteFn write, EraseFn erase);
    virtual ~TPropsStorage() = default;

    void setLoadedHandler(LoadedFn loaded) { m_loaded = std::move(loaded); }

    QObject *Target = nullptr;
    QString Prefix;
    QString Section;

    // The named properties of Target (names compare without regard to case; a name Target
    // does not have is skipped), in the given order.
    void StoreProperties(const QStringList &names);
    void LoadProperties(const QStringList &names);
    // Every property Target declares itself (not those of QObject).
    void StoreObjectProperties();
    void LoadObjectProperties();

    static Kind kindOf(const QMetaProperty &property);
    // The property's current value as stored text.
    static QString valueText(const QObject *object, const QMetaProperty &property);
    // Assigns text to the property; false when the text does not fit (the property keeps its
    // value, or an integer property becomes 0).
    static bool assignText(QObject *object, const QMetaProperty &property, const QString &text);

protected:
    virtual QString ReadString(const QString &section, const QString &name,
                               const QString &defaultValue);
    virtual void WriteString(const QString &section, const QString &name, const QString &value);
    virtual void EraseSection(const QString &section);
    virtual QString ItemName(const QString &propertyName) const { return Prefix + propertyName; }
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

private:
    void storeProperty(const QMetaProperty &property, const QString &name);
    void loadProperty(const QMetaProperty &property, const QString &name);
    void loadValue(const QMetaProperty &property, const QString &name);
    void storeStringList(const QMetaProperty &property, const QString &name);
    void loadStringList(const QMetaProperty &property, const QString &name);
    std::unique_ptr<TPropsStorage> nested(QObject *target, const QString &propertyName) const;
    static int findProperty(const QObject *object, const QString &name);

    ReadFn m_read;
    WriteFn m_write;
    EraseFn m_erase;
    LoadedFn m_loaded;
};
