#pragma once

#include <QObject>
#include <QPointer>

class QMimeData;
class QWidget;

// Takes files dragged from the desktop onto any part of the frame (its Workspaces included)
// before the widget under the mouse sees them, and reports the first local file dropped.
// Installed on the application, so an edit control never pastes the file's name as text.
class FileDropFilter : public QObject
{
    Q_OBJECT

public:
    explicit FileDropFilter(QWidget *frame);
    ~FileDropFilter() override;

    // The first local file of a drag, or empty when it carries none.
    static QString firstLocalFile(const QMimeData *data);

signals:
    void fileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToFrame(QObject *watched) const;

    QPointer<QWidget> m_frame;
};
