#pragma once

#include "workspace/ui/searchdialog.h"

class QLineEdit;

// The replace dialog of a Workspace ("dlgReplace"). It has no direction: replacing always runs
// toward the end of the text.
class ReplaceDialog : public SearchDialog
{
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    QString replaceText() const;
    void setReplaceText(const QString &text);

signals:
    // Replace or Replace All was pressed; options() tells which.
    void replace();

protected:
    bool searchesDown() const override { return true; }

private:
    QLineEdit *m_replaceWith;
};
