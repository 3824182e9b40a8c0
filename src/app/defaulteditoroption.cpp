#include "defaulteditoroption.h"

#include <QAction>

#include <utility>

DefaultEditorOption::DefaultEditorOption(QAction *option, DefaultEditor::Setup setup,
                                         QObject *parent)
    : QObject(parent)
    , m_option(option)
    , m_editor(std::move(setup))
{ }

void DefaultEditorOption::refresh()
{
    m_option->setChecked(m_editor.isInForce());
}

void DefaultEditorOption::choose()
{
    const bool wasInForce = !m_option->isChecked();
    m_option->setChecked(wasInForce);
    if (wasInForce)
        m_editor.remove();
    else
        m_editor.install();
    m_option->setChecked(!wasInForce);
}
