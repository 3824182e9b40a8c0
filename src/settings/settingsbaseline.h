#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

class SettingsStore;

// What one reader of the settings store holds for each value it keeps: the text it loaded or
// last wrote. Writing through it leaves alone every value that reader has not changed, so
// two running copies of the program that change different settings both keep theirs, and a
// value that could not be read stays as it is until the user changes that setting.
class SettingsBaseline
{
public:
    using Values = QList<std::pair<QString, QString>>; // name, text

    void note(const QString &key, const QString &name, const QString &text);
    bool holds(const QString &key, const QString &name, const QString &text) const;
    bool holdsAll(const QString &key, const Values &values) const;
    void clear() { m_texts.clear(); }

    // Writes the text unless it is the one held. A held value the store lacks is filled in,
    // without taking the place of one another process has written meanwhile.
    void write(SettingsStore &store, const QString &key, const QString &name, const QString &text);

private:
    static QString id(const QString &key, const QString &name);
    QHash<QString, QString> m_texts;
};
