#pragma once

#include "app/defaulteditor.h"

#include <QObject>

class QAction;
class SettingsStore;

// The Options menu's "Default Windows Notepad": its check mark shows whether this program is
// the desktop's editor for plain text, read afresh whenever the menu opens, and choosing it
// installs or removes that. The user's own default that installing replaced is kept in the
// settings and comes back when the option is turned off.
class DefaultEditorOption : public QObject
{
    Q_OBJECT

public:
    DefaultEditorOption(QAction *option, DefaultEditor::Setup setup, QObject *parent = nullptr);

    const DefaultEditor &editor() const { return m_editor; }
    // Where the replaced entry is kept; without a store it is not kept.
    void setStore(SettingsStore *store) { m_store = store; }

    // The menu is opening: the check mark from the entry.
    void refresh();
    // The option was chosen; its check mark is already turned over. A failure leaves the mark
    // as it was and throws.
    void choose();

    static QString storeKey();
    static QString replacedValueName();

private:
    void remember(const QString &value);
    QString remembered() const;
    void forget();

    QAction *m_option;
    DefaultEditor m_editor;
    SettingsStore *m_store = nullptr;
};
