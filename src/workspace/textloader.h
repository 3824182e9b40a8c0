#pragma once

#include "workspace/textdecoder.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThread;

// Reads a text file on a worker thread, so the frame answers input while a large file goes in.
// progress() reports as it reads; then finished() hands over the text, or failed() the reason.
class TextLoader : public QObject
{
    Q_OBJECT

public:
    explicit TextLoader(QObject *parent = nullptr);
    // Gives up a load still running and waits for its thread.
    ~TextLoader() override;

    // Starts reading path (with encoding, when given); a load still running is given up.
    void start(const QString &path, std::optional<TextEncoding> encoding = std::nullopt);
    void cancel();
    bool running() const { return m_thread != nullptr; }
    // The text once finished() came.
    DecodedText takeResult();

signals:
    void progress(int percent);
    void finished();
    void failed(const QString &message);

private:
    void done();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic_bool> m_cancel;
    std::optional<DecodedText> m_result;
    QString m_error;
    bool m_cancelled = false;
};
