#include "tfrmmain.h"

#include <QMdiArea>

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
    , m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Leafstack"));
    setCentralWidget(m_mdiArea);
    resize(800, 600);
}
