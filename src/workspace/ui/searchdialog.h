#pragma once

#include "workspace/searchoptions.h"

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// What the find and the replace dialog share: the find text, the two checks, Find Next and
// Cancel. Modeless; closing only hides it, so its text and options stay for the next search.
class SearchDialog : public QDialog
{
    Q_OBJECT

public:
    // The longest find or replace text the dialogs take.
    static constexpr int maxTextLength = 255;

    QString findText() const;
    void setFindText(const QString &text);

    // The dialog's option set: direction, match case, whole word, and which of Replace and
    // Replace All was pressed last (neither after Find Next).
    SearchOptions options() const;

    // Shows the dialog, or brings it to the front when it is open, with its find text selected.
    void popUp();

signals:
    // Find Next was pressed, or Return in the dialog.
    void findNext();

protected:
    explicit SearchDialog(QWidget *parent);

    virtual bool searchesDown() const = 0;
    // A button that needs a find text, placed above Cancel.
    QPushButton *addCommandButton(const QString &text, const QString &name);
    // Records the button just pressed in the option set.
    void setPressed(SearchOptions buttons) { m_pressed = buttons; }

    QLineEdit *findEdit() const { return m_findWhat; }
    QGridLayout *fields() const { return m_fields; }
    QHBoxLayout *optionRow() const { return m_optionRow; }

private:
    void updateButtons();

    QLineEdit *m_findWhat;
    QCheckBox *m_wholeWord;
    QCheckBox *m_matchCase;
    QPushButton *m_findNext;
    QGridLayout *m_fields;
    QHBoxLayout *m_optionRow;
    QVBoxLayout *m_buttons;
    QList<QPushButton *> m_needText;
    SearchOptions m_pressed;
};
