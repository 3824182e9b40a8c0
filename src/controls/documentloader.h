#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>

class QFont;
class QTextDocument;
class QThread;

// Fills a plain-text document with a text, on a worker thread when the text is large, so the
// window stays responsive while a big file goes in. The document is handed to the caller's
// thread when it is complete.
class DocumentLoader : public QObject
{
    Q_OBJECT

public:
    explicit DocumentLoader(QObject *parent = nullptr);
    ~DocumentLoader() override;

    // A document with the layout a QPlainTextEdit needs, holding text, undo history off.
    static QTextDocument *makeDocument(const QFont &font);
    // Inserts text in pieces of about chunk characters; stops early when cancel is set.
    static void fill(QTextDocument *document, const QString &text, const std::atomic_bool &cancel,
                     const std::function<void(int percent)> &progress = {});

    // Starts filling a new document off this thread; finished() hands it over. A load still
    // running is cancelled first.
    void start(QString text, const QFont &font);
    void cancel();
    bool running() const { return m_thread != nullptr; }

signals:
    void progress(int percent);
    // The receiver owns the document, which lives in this object's thread.
    void finished(QTextDocument *document);

private:
    QThread *m_thread = nullptr;
    QTextDocument *m_document = nullptr;
    std::atomic_bool m_cancel = false;
};
