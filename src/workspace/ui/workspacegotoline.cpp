#include "workspacegotoline.h"

#include "base/errorhandler.h"
#include "base/topmostcontrol.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

GoToLineDialog::GoToLineDialog(qsizetype currentLine, qsizetype lineCount, QWidget *parent)
    : QDialog(parent)
    , m_line(new QSpinBox(this))
{
    setObjectName(QStringLiteral("dlgGoToLine"));
    setWindowTitle(tr("Go to Line"));
    const int last = int(std::clamp<qsizetype>(lineCount, 1, INT_MAX));
    m_line->setObjectName(QStringLiteral("edtLine"));
    m_line->setRange(1, last);
    m_line->setValue(int(std::clamp<qsizetype>(currentLine, 1, last)));
    m_line->setMinimumWidth(120);
    auto *label = new QLabel(tr("&Line number (1 - %1):").arg(last), this);
    label->setBuddy(m_line);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_line);
    layout->addWidget(buttons);
    // Typing a number replaces the one offered.
    m_line->selectAll();
}

qsizetype GoToLineDialog::line() const
{
    return m_line->value();
}

WorkspaceGoToLine::WorkspaceGoToLine(TextView *view, QAction *command, TopmostControl *topmost,
                                     QWidget *window)
    : QObject(window)
    , m_view(view)
    , m_topmost(topmost)
    , m_window(window)
{
    connect(command, &QAction::triggered, this,
            ErrorHandler::command([this]() { mniGoToLineClick(); }));
}

void WorkspaceGoToLine::mniGoToLineClick()
{
    // The lines of half a file are not yet known (it is read-only while it loads).
    if (m_view->isReadOnly())
        return;
    const TextDocument *doc = m_view->document();
    TopmostDropped dropped(*m_topmost);
    GoToLineDialog dialog(doc->lineOfOffset(m_view->selectionStart()) + 1, doc->lineCount(),
                          m_window);
    const bool chosen = m_runner ? m_runner(dialog) : dialog.exec() == QDialog::Accepted;
    if (chosen)
        goToLine(dialog.line());
}

void WorkspaceGoToLine::goToLine(qsizetype line)
{
    const TextDocument *doc = m_view->document();
    if (m_view->isReadOnly()) {
        connect(
                doc, &TextDocument::documentReset, this, [this, line]() { goToLine(line); },
                Qt::SingleShotConnection);
        return;
    }
    const qsizetype index = std::clamp<qsizetype>(line, 1, doc->lineCount()) - 1;
    m_view->setSelection(doc->lineStart(index), 0);
}
