#include "documentloader.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

namespace {
constexpr qsizetype kChunk = 1 << 20;
}

DocumentLoader::DocumentLoader(QObject *parent)
    : QObject(parent)
{ }

DocumentLoader::~DocumentLoader()
{
    cancel();
}

QTextDocument *DocumentLoader::makeDocument(const QFont &font)
{
    auto *document = new QTextDocument;
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(font);
    document->setUndoRedoEnabled(false);
    return document;
}

void DocumentLoader::fill(QTextDocument *document, const QString &text,
                          const std::atomic_bool &cancel, const std::function<void(int)> &progress)
{
    QTextCursor cursor(document);
    qsizetype done = 0;
    while (done < text.size() && !cancel) {
        qsizetype end = std::min(text.size(), done + kChunk);
        // Whole lines per piece keep a "\r\n" pair together.
        const qsizetype lineEnd = text.indexOf(u'\n', end);
        end = lineEnd < 0 ? text.size() : lineEnd + 1;
        cursor.insertText(QStringView(text).mid(done, end - done).toString());
        done = end;
        if (progress)
            progress(int(done * 100 / text.size()));
    }
    document->setUndoRedoEnabled(true);
    document->setModified(false);
}

void DocumentLoader::start(QString text, const QFont &font)
{
    cancel();
    m_cancel = false;
    m_document = makeDocument(font);
    QThread *target = thread();
    QTextDocument *document = m_document;
    m_thread = QThread::create([this, document, text = std::move(text), target]() mutable {
        fill(document, text, m_cancel, [this](int percent) {
            QMetaObject::invokeMethod(
                    this, [this, percent]() { emit progress(percent); }, Qt::QueuedConnection);
        });
        // The document holds its own copy now; free this one before the hand-over lays the
        // document out, which is when the memory peaks.
        text = QString();
        // Qt gives every paragraph its layout object when the view first sets the width;
        // making them here keeps that work off the window's thread.
        for (QTextBlock block = document->begin(); block.isValid() && !m_cancel;
             block = block.next())
            block.layout();
        document->moveToThread(target);
    });
    document->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, this, [this, finishedThread = m_thread]() {
        if (m_thread != finishedThread)
            return; // cancelled meanwhile
        QTextDocument *result = m_document;
        m_thread = nullptr;
        m_document = nullptr;
        finishedThread->deleteLater();
        emit finished(result);
    });
    m_thread->start();
}

void DocumentLoader::cancel()
{
    if (!m_thread)
        return;
    m_cancel = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    delete m_document;
    m_document = nullptr;
}
