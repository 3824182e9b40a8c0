#pragma once

#include "preferences/filterlisteditor.h"

#include <QIcon>
#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMessageBox;
class TSpeedBar;
class TSpeedItem;
class ValueLabel;

// The "Open/Save Filters" page of the Preferences dialog: the filter list, its tool bar (New or
// Cancel, Add or Update, Edit, Delete), the entry fields and "Set as Default Filter". The page
// shows what its FilterListEditor holds; every command goes through the editor.
class FilterPage : public QWidget
{
    Q_OBJECT

public:
    // Runs a message box and returns the button pressed; tests answer without showing it.
    using MessageRunner = std::function<int(QMessageBox &)>;

    FilterPage(ValueLabel &defaultIndex, QWidget *parent);

    const FilterListEditor &editor() const { return m_editor; }
    void setMessageRunner(MessageRunner runner) { m_runMessage = std::move(runner); }

    void FillFilterList(const QString &filter);
    // The rows joined back into a filter string (Close).
    QString filterString() const { return m_editor.filterString(); }

    QListWidget *lstFilters() const { return m_list; }
    QLineEdit *edtDescription() const { return m_description; }
    QLineEdit *edtExtension() const { return m_extension; }
    QCheckBox *chkSetDefault() const { return m_setDefault; }
    TSpeedBar *toolBar() const { return m_bar; }
    QAction *action(const QString &name) const;

public slots:
    void btnNewClick();
    void btnAddClick();
    void btnEditClick();
    void btnDeleteClick();
    void btnCanClick();
    void lstFiltersClick();
    void lstFiltersDblClick();
    void chkSetDefaultClick(bool checked);

private:
    void buildToolBar();
    QAction *makeAction(const char *name, const QString &hint, void (FilterPage::*slot)());
    TSpeedItem *addItem(QAction *action, const QString &caption, bool visible);
    QIcon glyph(const QString &name) const;
    // loadEdits: the command has just given the entry fields their texts.
    void showState(bool loadEdits = false);
    void showButtonsFor(bool idle);
    void showEdits(bool load);
    void showRows();
    int message(const QString &text, bool question);

    FilterListEditor m_editor;
    TSpeedBar *m_bar = nullptr;
    QList<QAction *> m_actions;
    TSpeedItem *m_newItem = nullptr;
    TSpeedItem *m_canItem = nullptr;
    TSpeedItem *m_addItem = nullptr;
    QListWidget *m_list;
    QLabel *m_descriptionLabel;
    QLineEdit *m_description;
    QLabel *m_extensionLabel;
    QLineEdit *m_extension;
    QCheckBox *m_setDefault;
    MessageRunner m_runMessage;
    bool m_showing = false;
};
