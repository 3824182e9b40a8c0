#include "filterpage.h"

#include "base/ui/appmessagebox.h"
#include "toolbar/ui/speedbarglyphs.h"
#include "toolbar/ui/tspeedbar.h"
#include "toolbar/ui/tspeeditem.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <memory>

namespace {

// Entries never hold a "|": it would split them when the filter string is read back.
QLineEdit *makeEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^|]*")), edit));
    return edit;
}

QLabel *makeLabel(const char *name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

FilterPage::FilterPage(ValueLabel &defaultIndex, QWidget *parent)
    : QWidget(parent)
    , m_editor(defaultIndex)
    , m_list(new QListWidget(this))
    , m_descriptionLabel(makeLabel("lblDescription", QStringLiteral("Description:"), this))
    , m_description(makeEdit("edtDescription", this))
    , m_extensionLabel(makeLabel("lblExtension", QStringLiteral("File Name:"), this))
    , m_extension(makeEdit("edtExtension", this))
    , m_setDefault(new QCheckBox(QStringLiteral("Set as Default Filter"), this))
{
    setObjectName(QStringLiteral("tabFilters"));
    m_list->setObjectName(QStringLiteral("lstFilters"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_setDefault->setObjectName(QStringLiteral("chkSetDefault"));
    buildToolBar();

    auto *fields = new QGridLayout;
    fields->addWidget(m_list, 0, 0, 1, 2);
    fields->addWidget(m_descriptionLabel, 1, 0);
    fields->addWidget(m_description, 1, 1);
    fields->addWidget(m_extensionLabel, 2, 0);
    fields->addWidget(m_extension, 2, 1);
    fields->addWidget(m_setDefault, 3, 0, 1, 2);
    fields->setRowStretch(0, 1);
    auto *page = new QHBoxLayout(this);
    page->addLayout(fields, 1);
    page->addWidget(m_bar);

    connect(m_list, &QListWidget::itemClicked, this, &FilterPage::lstFiltersClick);
    connect(m_list, &QListWidget::currentRowChanged, this, &FilterPage::lstFiltersClick);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &FilterPage::lstFiltersDblClick);
    connect(m_setDefault, &QCheckBox::clicked, this, &FilterPage::chkSetDefaultClick);
    showState();
}

QAction *FilterPage::makeAction(const char *name, const QString &hint, void (FilterPage::*slot)())
{
    auto *action = new QAction(hint, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    m_actions.append(action);
    return action;
}

TSpeedItem *FilterPage::addItem(QAction *action, const QString &caption, bool visible)
{
    TSpeedItem *item = m_bar->AddItem(m_bar->section(QStringLiteral("File")), action->objectName(),
                                      action, caption, action->text(), visible);
    item->setHint(action->text() + u'|');
    item->setGlyph(glyph(action->objectName()));
    return item;
}

QIcon FilterPage::glyph(const QString &name) const
{
    if (name == QStringLiteral("btnNew"))
        return SpeedbarGlyphs::icon(QStringLiteral("New"));
    if (name == QStringLiteral("btnDelete"))
        return SpeedbarGlyphs::icon(QStringLiteral("Delete"));
    if (name == QStringLiteral("btnAdd"))
        return style()->standardIcon(QStyle::SP_DialogApplyButton);
    if (name == QStringLiteral("btnEdit"))
        return style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    return style()->standardIcon(QStyle::SP_DialogCancelButton);
}

void FilterPage::buildToolBar()
{
    m_bar = new TSpeedBar(this);
    m_bar->setObjectName(QStringLiteral("barFilters"));
    m_bar->setAlign(TSpeedBar::alRight);
    m_bar->AddSection(QStringLiteral("File"));
    m_newItem = addItem(
            makeAction("btnNew", QStringLiteral("New Open/Save Filter"), &FilterPage::btnNewClick),
            QStringLiteral("New"), true);
    m_addItem = addItem(
            makeAction("btnAdd", QStringLiteral("Add Open/Save Filter"), &FilterPage::btnAddClick),
            QStringLiteral("Add"), true);
    addItem(makeAction("btnEdit", QStringLiteral("Edit Open/Save Filter"),
                       &FilterPage::btnEditClick),
            QStringLiteral("Edit"), true);
    addItem(makeAction("btnDelete", QStringLiteral("Delete Open/Save Filter"),
                       &FilterPage::btnDeleteClick),
            QStringLiteral("Delete"), true);
    m_canItem = addItem(
            makeAction("btnCan", QStringLiteral("Cancel Operation"), &FilterPage::btnCanClick),
            QStringLiteral("Cancel"), false);
}

QAction *FilterPage::action(const QString &name) const
{
    for (QAction *action : m_actions) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

void FilterPage::showButtonsFor(bool idle)
{
    // New and Cancel take turns in one place on the bar.
    TSpeedItem *shown = idle ? m_newItem : m_canItem;
    TSpeedItem *hidden = idle ? m_canItem : m_newItem;
    if (shown->Visible())
        return;
    const int left = hidden->Left();
    const int top = hidden->Top();
    hidden->setVisible(false);
    shown->setVisible(true);
    shown->setPosition(left, top);
}

void FilterPage::showEdits(bool load)
{
    const bool visible = m_editor.editsVisible();
    for (QWidget *widget :
         {static_cast<QWidget *>(m_descriptionLabel), static_cast<QWidget *>(m_description),
          static_cast<QWidget *>(m_extensionLabel), static_cast<QWidget *>(m_extension)})
        widget->setVisible(visible);
    m_description->setMaxLength(m_editor.maxDescriptionLength());
    m_extension->setMaxLength(m_editor.maxPatternLength());
    // What the user typed stays until a command sets the fields.
    if (load) {
        m_description->setText(m_editor.description());
        m_extension->setText(m_editor.pattern());
    }
}

void FilterPage::showRows()
{
    if (m_list->count() != m_editor.rows().size()) {
        m_list->clear();
        m_list->addItems(m_editor.rows());
    } else {
        for (int i = 0; i < m_list->count(); ++i)
            m_list->item(i)->setText(m_editor.rows()[i]);
    }
    const int selected = m_editor.selectedRow();
    if (selected < 0) {
        m_list->clearSelection();
        m_list->setCurrentRow(-1);
    } else {
        m_list->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    }
}

void FilterPage::showState(bool loadEdits)
{
    m_showing = true;
    showRows();
    showButtonsFor(m_editor.newVisible());
    action(QStringLiteral("btnNew"))->setEnabled(m_editor.newEnabled());
    action(QStringLiteral("btnAdd"))->setEnabled(m_editor.addEnabled());
    m_addItem->setBtnCaption(m_editor.addText());
    action(QStringLiteral("btnEdit"))->setEnabled(m_editor.editEnabled());
    action(QStringLiteral("btnDelete"))->setEnabled(m_editor.deleteEnabled());
    showEdits(loadEdits);
    m_setDefault->setEnabled(m_editor.setDefaultEnabled());
    m_setDefault->setChecked(m_editor.setDefaultChecked());
    m_showing = false;
}

int FilterPage::message(const QString &text, bool question)
{
    std::unique_ptr<QMessageBox> box(
            AppMessageBox::create(this, AppMessageBox::Kind::Information, text));
    if (question) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    }
    return m_runMessage ? m_runMessage(*box) : box->exec();
}

void FilterPage::FillFilterList(const QString &filter)
{
    m_editor.FillFilterList(filter);
    showState();
}

void FilterPage::btnNewClick()
{
    m_editor.btnNewClick();
    showState(true);
    m_description->setFocus();
}

void FilterPage::btnAddClick()
{
    if (!m_editor.btnAddClick(m_description->text(), m_extension->text())) {
        message(QStringLiteral("A new description and/or filename must be entered before "
                               "adding filter!"),
                false);
        return;
    }
    showState();
}

void FilterPage::btnEditClick()
{
    m_editor.btnEditClick();
    showState(true);
}

void FilterPage::btnDeleteClick()
{
    switch (m_editor.btnDeleteClick()) {
    case FilterListEditor::DeleteCheck::NoRow:
        return;
    case FilterListEditor::DeleteCheck::Protected:
        message(QStringLiteral("This filter cannot be deleted!"), false);
        return;
    case FilterListEditor::DeleteCheck::Ask:
        break;
    }
    const int answer =
            message(QStringLiteral("Are you sure you wish to delete this filter?"), true);
    m_editor.deleteAnswered(answer == QMessageBox::Yes);
    showState();
}

void FilterPage::btnCanClick()
{
    m_editor.btnCanClick();
    showState();
}

void FilterPage::lstFiltersClick()
{
    if (m_showing || m_list->currentRow() < 0 || m_list->selectedItems().isEmpty())
        return;
    m_editor.lstFiltersClick(m_list->currentRow());
    showState(true);
}

void FilterPage::lstFiltersDblClick()
{
    btnEditClick();
}

void FilterPage::chkSetDefaultClick(bool checked)
{
    if (m_showing)
        return;
    m_editor.chkSetDefaultClick(checked);
    showState();
}
