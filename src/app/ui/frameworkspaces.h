#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QMdiArea;
class QString;
class TfrmEdit;

// The Workspaces of the frame's MDI area: making them, finding the one that holds a file,
// opening a file in one, and asking them all before the frame closes.
class FrameWorkspaces : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<TfrmEdit *()>;
    FrameWorkspaces(QMdiArea *area, Factory make);

    // In the order they were made.
    QList<TfrmEdit *> all() const;
    TfrmEdit *active() const;
    void activate(TfrmEdit *workspace);
    // A new Workspace in the area, not shown yet.
    TfrmEdit *create();
    // The Workspace holding path, by this name or another that reaches the same file.
    TfrmEdit *holding(const QString &path) const;
    // The Workspace of path brought to the front, or a new one that read it; nullptr when the
    // file could not be read (that was reported, and the Workspace made for it is gone).
    TfrmEdit *open(const QString &path);
    // Every Workspace is asked before any closes; one refusal keeps them all open.
    bool mayAllClose() const;

Q_SIGNALS:
    // A Workspace's caption or window state changed.
    void captionChanged();
    // A Workspace is gone.
    void removed();

private:
    QMdiArea *m_area;
    Factory m_make;
};
