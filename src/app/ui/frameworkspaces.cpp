#include "frameworkspaces.h"

#include "platform/fileidentity.h"
#include "workspace/ui/tfrmedit.h"

#include <QMdiArea>
#include <QMdiSubWindow>

FrameWorkspaces::FrameWorkspaces(QMdiArea *area, Factory make)
    : QObject(area)
    , m_area(area)
    , m_make(std::move(make))
{ }

QList<TfrmEdit *> FrameWorkspaces::all() const
{
    QList<TfrmEdit *> result;
    for (QMdiSubWindow *window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (auto *edit = qobject_cast<TfrmEdit *>(window))
            result.append(edit);
    }
    return result;
}

TfrmEdit *FrameWorkspaces::active() const
{
    return qobject_cast<TfrmEdit *>(m_area->currentSubWindow());
}

void FrameWorkspaces::activate(TfrmEdit *workspace)
{
    m_area->setActiveSubWindow(workspace);
}

TfrmEdit *FrameWorkspaces::create()
{
    TfrmEdit *workspace = m_make();
    m_area->addSubWindow(workspace);
    connect(workspace, &QWidget::windowTitleChanged, this, &FrameWorkspaces::captionChanged);
    connect(workspace, &QMdiSubWindow::windowStateChanged, this, &FrameWorkspaces::captionChanged);
    connect(workspace, &QObject::destroyed, this, &FrameWorkspaces::removed, Qt::QueuedConnection);
    return workspace;
}

// A file already open is not opened twice: two Workspaces saving the same file would each undo
// the other's work.
TfrmEdit *FrameWorkspaces::holding(const QString &path) const
{
    const FileIdentity file = FileIdentity::of(path);
    for (TfrmEdit *workspace : all()) {
        if (!workspace->untitled() && workspace->diskIdentity().sameFile(file))
            return workspace;
    }
    return nullptr;
}

TfrmEdit *FrameWorkspaces::open(const QString &path)
{
    if (TfrmEdit *open = holding(path)) {
        activate(open);
        return open;
    }
    TfrmEdit *workspace = create();
    workspace->show();
    if (!workspace->Open(path)) {
        workspace->closeWithoutQuery();
        return nullptr;
    }
    return workspace;
}

bool FrameWorkspaces::mayAllClose() const
{
    for (TfrmEdit *workspace : all()) {
        if (!workspace->FormCloseQuery())
            return false;
    }
    return true;
}
