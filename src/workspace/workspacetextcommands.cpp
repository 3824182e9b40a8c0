#include "workspacetextcommands.h"

#include "controls/editcontrol.h"
#include "format/datetimeformats.h"
#include "format/localnow.h"
#include "format/systemclock.h"
#include "workspace/asciicase.h"
#include "workspace/hosttopmostdropped.h"
#include "workspace/workspaceactions.h"

#include <QAction>
#include <QFontDialog>
#include <QMenu>

WorkspaceTextCommands::WorkspaceTextCommands(EditControl *edit, WorkspaceActions *actions,
                                             WorkspaceHost *host, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_edit(edit)
    , m_actions(actions)
    , m_host(host)
    , m_dialogParent(dialogParent)
    , m_clock(&SystemClock::instance())
{
    connectActions();
    applyWordWrap(m_actions->mniWordWrap->isChecked());
}

void WorkspaceTextCommands::connectActions()
{
    WorkspaceActions *a = m_actions;
    for (QAction *item : {a->mniLeft, a->mniRight, a->mniCenter})
        connect(item, &QAction::triggered, this, [this, item]() { AlignClick(item); });
    connect(a->mniWordWrap, &QAction::toggled, this, &WorkspaceTextCommands::applyWordWrap);
    connect(a->mniFont, &QAction::triggered, this, &WorkspaceTextCommands::SetFont);
    connect(a->mniConvert, &QMenu::aboutToShow, this, &WorkspaceTextCommands::mniConvertClick);
    connect(a->mniLowerCase, &QAction::triggered, this, &WorkspaceTextCommands::mniLowerCaseClick);
    connect(a->mniUpperCase, &QAction::triggered, this, &WorkspaceTextCommands::mniUpperCaseClick);
    connect(a->mniCapitalize, &QAction::triggered, this,
            &WorkspaceTextCommands::mniCapitalizeClick);
    connect(a->mniDateTime, &QAction::triggered, this, &WorkspaceTextCommands::mniDateTimeClick);
}

void WorkspaceTextCommands::UpdateAlignmentItems()
{
    switch (m_edit->paragraphAlignment(m_edit->selectionStart())) {
    case EditControl::Alignment::Left:
        m_actions->mniLeft->setChecked(true);
        break;
    case EditControl::Alignment::Right:
        m_actions->mniRight->setChecked(true);
        break;
    case EditControl::Alignment::Center:
        m_actions->mniCenter->setChecked(true);
        break;
    }
}

void WorkspaceTextCommands::AlignClick(QAction *item)
{
    // The items form an exclusive group: checking one raises the others.
    item->setChecked(true);
    EditControl::Alignment alignment = EditControl::Alignment::Left;
    if (item == m_actions->mniRight)
        alignment = EditControl::Alignment::Right;
    else if (item == m_actions->mniCenter)
        alignment = EditControl::Alignment::Center;
    m_edit->setParagraphAlignment(m_edit->selectionStart(), m_edit->selectionLength(), alignment);
    emit editItemsChanged();
}

void WorkspaceTextCommands::mniWordWrapClick()
{
    m_actions->mniWordWrap->toggle();
}

void WorkspaceTextCommands::applyWordWrap(bool on)
{
    m_edit->setWordWrap(on);
    emit editItemsChanged();
}

void WorkspaceTextCommands::SetFont()
{
    HostTopmostDropped dropped(m_host);
    QFontDialog dialog(m_edit->textFont(), m_dialogParent);
    dialog.setObjectName(QStringLiteral("dlgFont"));
    const bool chosen =
            m_fontDialogRunner ? m_fontDialogRunner(dialog) : dialog.exec() == QDialog::Accepted;
    if (chosen)
        m_edit->setTextFont(dialog.currentFont());
}

void WorkspaceTextCommands::mniConvertClick()
{
    m_actions->mniCapitalize->setEnabled(m_edit->selectionLength() != 0);
}

// The selection, or the whole text when nothing is selected.
void WorkspaceTextCommands::convert(char16_t (*map)(char16_t))
{
    if (m_edit->loading())
        return;
    if (m_edit->selectionLength() != 0)
        m_edit->mapCharacters(m_edit->selectionStart(), m_edit->selectionLength(), map);
    else
        m_edit->mapCharacters(0, m_edit->textLength(), map);
}

void WorkspaceTextCommands::mniLowerCaseClick()
{
    convert(&AsciiCase::lower);
}

void WorkspaceTextCommands::mniUpperCaseClick()
{
    convert(&AsciiCase::upper);
}

void WorkspaceTextCommands::mniCapitalizeClick()
{
    if (m_edit->loading() || m_edit->selectionLength() == 0)
        return;
    m_edit->mapCharacters(m_edit->selectionStart(), 1, &AsciiCase::upper);
}

void WorkspaceTextCommands::mniDateTimeClick()
{
    if (m_edit->loading())
        return;
    const int dateIndex = DateTimeFormats::dateIndexFromText(m_host->dateIndexText());
    const int timeIndex = DateTimeFormats::timeIndexFromText(m_host->timeIndexText());
    m_edit->replaceSelection(DateTimeFormats::stampText(dateIndex, timeIndex, LocalNow(*m_clock)));
}
