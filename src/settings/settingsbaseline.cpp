#include "settingsbaseline.h"

#include "settingsstore.h"

QString SettingsBaseline::id(const QString &key, const QString &name)
{
    return (key + QLatin1Char('\n') + name).toCaseFolded();
}

void SettingsBaseline::note(const QString &key, const QString &name, const QString &text)
{
    m_texts.insert(id(key, name), text);
}

bool SettingsBaseline::holds(const QString &key, const QString &name, const QString &text) const
{
    const auto found = m_texts.constFind(id(key, name));
    return found != m_texts.cend() && *found == text;
}

bool SettingsBaseline::holdsAll(const QString &key, const Values &values) const
{
    for (const auto &[name, text] : values) {
        if (!holds(key, name, text))
            return false;
    }
    return true;
}

void SettingsBaseline::write(SettingsStore &store, const QString &key, const QString &name,
                             const QString &text)
{
    if (holds(key, name, text)) {
        store.writeStringIfAbsent(key, name, text);
        return;
    }
    store.writeString(key, name, text);
    note(key, name, text);
}
