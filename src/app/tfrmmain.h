#pragma once

#include <QMainWindow>

class QMdiArea;

// The main frame: holds the Workspaces in its MDI area.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmMain(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdiArea; }

private:
    QMdiArea *m_mdiArea = nullptr;
};
