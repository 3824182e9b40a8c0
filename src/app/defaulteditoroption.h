#pragma once

#include "defaulteditor.h"

#include <QObject>

class QAction;

// The Options menu's "Default Windows Notepad": its check mark shows whether this program is
// the desktop's editor for plain text, read afresh whenever the menu opens, and choosing it
// installs or removes that.
class DefaultEditorOption : public QObject
{
    Q_OBJECT

public:
    DefaultEditorOption(QAction *option, DefaultEditor::Setup setup, QObject *parent = nullptr);

    const DefaultEditor &editor() const { return m_editor; }

    // The menu is opening: the check mark from the entry.
    void refresh();
    // The option was chosen; its check mark is already turned over. A failure leaves the mark
    // as it was and throws.
    void choose();

private:
    QAction *m_option;
    DefaultEditor m_editor;
};
