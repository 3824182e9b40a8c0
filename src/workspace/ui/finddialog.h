#pragma once

#include "workspace/ui/searchdialog.h"

class QRadioButton;

// The find dialog of a Workspace ("dlgFind"): its text and options also serve Find Next (F3)
// while it is closed. It starts searching down.
class FindDialog : public SearchDialog
{
    Q_OBJECT

public:
    explicit FindDialog(QWidget *parent = nullptr);

protected:
    bool searchesDown() const override;

private:
    QRadioButton *m_up;
    QRadioButton *m_down;
};
