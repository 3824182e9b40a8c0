#include "defaulteditoroption.h"

#include "settings/settingsstore.h"

#include <QAction>

#include <utility>

DefaultEditorOption::DefaultEditorOption(QAction *option, DefaultEditor::Setup setup,
                                         QObject *parent)
    : QObject(parent)
    , m_option(option)
    , m_editor(std::move(setup))
{ }

QString DefaultEditorOption::storeKey()
{
    return QStringLiteral("Software\\Orvanel\\Leafstack\\Default Editor");
}

QString DefaultEditorOption::replacedValueName()
{
    return QStringLiteral("Replaced Entry");
}

void DefaultEditorOption::refresh()
{
    m_option->setChecked(m_editor.isInForce());
}

void DefaultEditorOption::choose()
{
    const bool wasInForce = !m_option->isChecked();
    m_option->setChecked(wasInForce);
    if (wasInForce) {
        m_editor.remove(remembered());
        m_option->setChecked(false);
        forget();
        return;
    }
    const std::optional<QString> replaced = m_editor.install();
    m_option->setChecked(true);
    if (replaced)
        remember(*replaced);
}

// Written at once: the list has changed now, whatever becomes of this run.
void DefaultEditorOption::remember(const QString &value)
{
    if (!m_store)
        return;
    m_store->openKey(storeKey(), true);
    m_store->writeString(storeKey(), replacedValueName(), value);
    m_store->flush();
}

QString DefaultEditorOption::remembered() const
{
    if (!m_store)
        return {};
    return m_store->readString(storeKey(), replacedValueName(), QString());
}

void DefaultEditorOption::forget()
{
    if (!m_store || !m_store->keyExists(storeKey()))
        return;
    m_store->eraseKey(storeKey());
    m_store->flush();
}
