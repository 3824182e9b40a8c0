#include "workspacegotoline.h"

#include "app/errorhandler.h"
#include "controls/editcontrol.h"
#include "workspace/hosttopmostdropped.h"

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

WorkspaceGoToLine::WorkspaceGoToLine(EditControl *edit, QAction *command, WorkspaceHost *host,
                                     QWidget *window)
    : QObject(window)
    , m_edit(edit)
    , m_host(host)
    , m_window(window)
{
    connect(command, &QAction::triggered, this,
            ErrorHandler::command([this]() { mniGoToLineClick(); }));
}

qsizetype WorkspaceGoToLine::lineCount(const EditControl &edit)
{
    return edit.lineOfOffset(edit.textLength()) + 1;
}

void WorkspaceGoToLine::mniGoToLineClick()
{
    // The lines of half a file are not yet known.
    if (m_edit->loading())
        return;
    HostTopmostDropped dropped(m_host);
    GoToLineDialog dialog(m_edit->lineOfOffset(m_edit->selectionStart()) + 1, lineCount(*m_edit),
                          m_window);
    const bool chosen = m_runner ? m_runner(dialog) : dialog.exec() == QDialog::Accepted;
    if (chosen)
        goToLine(dialog.line());
}

void WorkspaceGoToLine::goToLine(qsizetype line)
{
    if (m_edit->loading()) {
        connect(
                m_edit, &EditControl::loadFinished, this, [this, line]() { goToLine(line); },
                Qt::SingleShotConnection);
        return;
    }
    const qsizetype index = std::clamp<qsizetype>(line, 1, lineCount(*m_edit)) - 1;
    m_edit->setSelection(std::max<qsizetype>(0, m_edit->lineStart(index)), 0);
}
