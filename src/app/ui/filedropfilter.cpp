#include "filedropfilter.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDropFilter::FileDropFilter(QWidget *frame)
    : QObject(frame)
    , m_frame(frame)
{
    qApp->installEventFilter(this);
}

FileDropFilter::~FileDropFilter()
{
    qApp->removeEventFilter(this);
}

QString FileDropFilter::firstLocalFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

bool FileDropFilter::belongsToFrame(QObject *watched) const
{
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && m_frame && widget->window() == m_frame;
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    if (!belongsToFrame(watched) || firstLocalFile(drop->mimeData()).isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        emit fileDropped(firstLocalFile(drop->mimeData()));
    return true;
}
