#include "workspacetextcommands.h"

#include "base/sharedoptions.h"
#include "base/topmostcontrol.h"
#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "format/datetimeformats.h"
#include "format/localnow.h"
#include "format/systemclock.h"
#include "workspace/asciicase.h"
#include "workspace/ui/workspaceactions.h"

#include <QAction>
#include <QFontDialog>
#include <QMenu>

WorkspaceTextCommands::WorkspaceTextCommands(TextView *view, WorkspaceActions *actions,
                                             const SharedOptions *options, TopmostControl *topmost,
                                             QWidget *dialogParent)
    : QObject(dialogParent)
    , m_view(view)
    , m_actions(actions)
    , m_options(options)
    , m_topmost(topmost)
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
    const TextDocument *doc = m_view->document();
    switch (doc->alignment(doc->lineOfOffset(m_view->selectionStart()))) {
    case TextAlignment::Left:
        m_actions->mniLeft->setChecked(true);
        break;
    case TextAlignment::Right:
        m_actions->mniRight->setChecked(true);
        break;
    case TextAlignment::Center:
        m_actions->mniCenter->setChecked(true);
        break;
    }
}

void WorkspaceTextCommands::AlignClick(QAction *item)
{
    // The items form an exclusive group: checking one raises the others.
    item->setChecked(true);
    TextAlignment alignment = TextAlignment::Left;
    if (item == m_actions->mniRight)
        alignment = TextAlignment::Right;
    else if (item == m_actions->mniCenter)
        alignment = TextAlignment::Center;
    // The lines the selection touches; the caret's line when nothing is selected.
    TextDocument *doc = m_view->document();
    const TextSelection selection = m_view->selection();
    doc->setAlignment(doc->lineOfOffset(selection.start()), doc->lineOfOffset(selection.end()),
                      alignment);
    emit editItemsChanged();
}

void WorkspaceTextCommands::mniWordWrapClick()
{
    m_actions->mniWordWrap->toggle();
}

void WorkspaceTextCommands::applyWordWrap(bool on)
{
    m_view->setWordWrap(on);
    emit editItemsChanged();
}

void WorkspaceTextCommands::SetFont()
{
    TopmostDropped dropped(*m_topmost);
    QFontDialog dialog(m_view->textFont(), m_dialogParent);
    dialog.setObjectName(QStringLiteral("dlgFont"));
    const bool chosen =
            m_fontDialogRunner ? m_fontDialogRunner(dialog) : dialog.exec() == QDialog::Accepted;
    if (chosen)
        m_view->setTextFont(dialog.currentFont());
}

void WorkspaceTextCommands::mniConvertClick()
{
    m_actions->mniCapitalize->setEnabled(m_view->selectionLength() != 0);
}

// The selection, or the whole text when nothing is selected.
void WorkspaceTextCommands::convert(char16_t (*map)(char16_t))
{
    if (m_view->isReadOnly())
        return;
    const TextSelection selection = m_view->selection();
    if (!selection.isEmpty())
        m_view->document()->mapCharacters(selection.start(), selection.length(), map, selection);
    else
        m_view->document()->mapCharacters(0, m_view->document()->length(), map, selection);
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
    const TextSelection selection = m_view->selection();
    if (m_view->isReadOnly() || selection.isEmpty())
        return;
    m_view->document()->mapCharacters(selection.start(), 1, &AsciiCase::upper, selection);
}

void WorkspaceTextCommands::mniDateTimeClick()
{
    if (m_view->isReadOnly())
        return;
    const int dateIndex = DateTimeFormats::dateIndexFromText(m_options->dateIndexText());
    const int timeIndex = DateTimeFormats::timeIndexFromText(m_options->timeIndexText());
    m_view->replaceSelection(DateTimeFormats::stampText(dateIndex, timeIndex, LocalNow(*m_clock)));
}
