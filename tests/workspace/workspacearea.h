#pragma once

#include "fakeworkspacehost.h"

#include "base/errorhandler.h"
#include "workspace/ui/tfrmedit.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

// What the Workspace tests stand each case in: a temporary folder, an MDI area, a fake frame
// whose Open folder is that folder, and the errors shown, recorded instead.
class WorkspaceArea : public QObject
{
protected:
    // Before each case.
    void openArea()
    {
        m_dir = new QTemporaryDir;
        m_area = new QMdiArea;
        m_area->resize(800, 600);
        m_area->show();
        m_host = FakeWorkspaceHost();
        m_host.options->setOpenDirectory(m_dir->path() + u'/');
        m_errors.clear();
        ErrorHandler::setPresenter([this](const QString &text) { m_errors.append(text); });
    }

    // After each case: every Workspace closed without a question, the folder gone.
    void closeArea()
    {
        ErrorHandler::setPresenter({});
        for (QMdiSubWindow *window : m_area->subWindowList())
            static_cast<TfrmEdit *>(window)->closeWithoutQuery();
        delete m_area;
        delete m_dir;
    }

    // The Workspace in the area, shown.
    TfrmEdit *showInArea(TfrmEdit *edit)
    {
        m_area->addSubWindow(edit);
        edit->show();
        return edit;
    }

    QTemporaryDir *m_dir = nullptr;
    QMdiArea *m_area = nullptr;
    FakeWorkspaceHost m_host;
    QStringList m_errors;
};
