#include "workspaceeditcommands.h"

#include "controls/textdocument.h"
#include "controls/ui/textview.h"
#include "workspace/ui/workspaceactions.h"
#include "workspace/ui/workspacetextcommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

WorkspaceEditCommands::WorkspaceEditCommands(TextView *view, WorkspaceActions *actions,
                                             WorkspaceTextCommands *textCommands,
                                             std::function<bool()> loading, QObject *parent)
    : QObject(parent)
    , m_view(view)
    , m_document(view->document())
    , m_actions(actions)
    , m_textCommands(textCommands)
    , m_loading(std::move(loading))
{
    connectActions();
    connectView();
    refreshClipboardState();
}

void WorkspaceEditCommands::connectActions()
{
    WorkspaceActions *a = m_actions;
    connect(a->mniUndo, &QAction::triggered, m_view, &TextView::undo);
    connect(a->mniRedo, &QAction::triggered, m_view, &TextView::redo);
    connect(m_document, &TextDocument::undoAvailable, a->mniUndo, &QAction::setEnabled);
    connect(m_document, &TextDocument::redoAvailable, a->mniRedo, &QAction::setEnabled);
    connect(a->mniCut, &QAction::triggered, m_view, &TextView::cut);
    connect(a->mniCopy, &QAction::triggered, m_view, &TextView::copy);
    connect(a->mniPaste, &QAction::triggered, m_view, &TextView::paste);
    connect(a->mniDelete, &QAction::triggered, m_view, &TextView::deleteSelection);
    connect(a->mniSelectAll, &QAction::triggered, this, [this]() {
        m_view->selectAll();
        UpdateEditItems();
    });
    connect(m_textCommands, &WorkspaceTextCommands::editItemsChanged, this,
            &WorkspaceEditCommands::UpdateEditItems);
    const auto clipboardItems = [this]() {
        refreshClipboardState();
        UpdateEditItems();
    };
    connect(a->mniEdit, &QMenu::aboutToShow, this, clipboardItems);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, clipboardItems);
}

void WorkspaceEditCommands::connectView()
{
    connect(m_view, &TextView::selectionChanged, this, [this]() {
        m_textCommands->UpdateAlignmentItems();
        UpdateEditItems();
    });
    connect(m_view, &TextView::focusReceived, this, &WorkspaceEditCommands::UpdateEditItems);
    connect(m_view, &TextView::contextMenuRequested, this, [this](const QPoint &pos) {
        refreshClipboardState();
        UpdateEditItems();
        m_actions->pumPopup->popup(pos);
    });
}

void WorkspaceEditCommands::followText()
{
    const bool hasText = !m_document->isEmpty();
    for (QAction *action : {m_actions->mniFind, m_actions->mniFindNext, m_actions->mniReplace,
                            m_actions->mniSelectAll})
        action->setEnabled(hasText);
    m_actions->mniConvert->setEnabled(hasText);
    UpdateEditItems();
    m_textCommands->UpdateAlignmentItems();
}

// The clipboard is asked only when it changes or a menu opens: on X11 each question is a
// round trip to its owner, too slow for every keystroke.
void WorkspaceEditCommands::refreshClipboardState()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
}

void WorkspaceEditCommands::UpdateEditItems()
{
    m_actions->mniPaste->setEnabled(m_clipboardHasText && !m_loading());
    const bool selected = m_view->selectionLength() != 0;
    for (QAction *action : {m_actions->mniCut, m_actions->mniCopy, m_actions->mniDelete})
        action->setEnabled(selected);
}
