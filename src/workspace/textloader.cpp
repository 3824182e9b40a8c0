#include "textloader.h"

#include "base/apperror.h"
#include "workspace/textfile.h"

#include <QFileInfo>
#include <QThread>

TextLoader::TextLoader(QObject *parent)
    : QObject(parent)
{ }

TextLoader::~TextLoader()
{
    cancel();
}

void TextLoader::start(const QString &path, std::optional<TextEncoding> encoding)
{
    cancel();
    m_result.reset();
    m_error.clear();
    m_cancelled = false;
    auto cancelFlag = std::make_shared<std::atomic_bool>(false);
    m_cancel = cancelFlag;
    const qint64 size = QFileInfo(path).size();
    m_thread = QThread::create([this, path, encoding, cancelFlag, size]() {
        TextDecoder::Options options;
        options.cancel = cancelFlag.get();
        options.encoding = encoding;
        int last = -1;
        options.progress = [this, size, &last](qint64 done) {
            const int percent = size > 0 ? int(qMin<qint64>(100, done * 100 / size)) : 100;
            if (percent != last)
                emit progress(last = percent);
        };
        try {
            m_result = TextFile::load(path, options);
        } catch (const TextDecoder::Cancelled &) {
            m_cancelled = true;
        } catch (const AppError &error) {
            m_error = error.message();
        } catch (const std::bad_alloc &) {
            m_error = QStringLiteral("Cannot open file %1\rThere is not enough memory for it.")
                              .arg(path);
        }
    });
    QThread *thread = m_thread;
    // A load given up and followed by another must not end the new one.
    connect(m_thread, &QThread::finished, this, [this, thread]() {
        if (thread == m_thread)
            done();
    });
    m_thread->start();
}

void TextLoader::done()
{
    QThread *thread = m_thread;
    if (!thread)
        return; // given up already
    // finished() comes from the thread just before it ends.
    thread->wait();
    m_thread = nullptr;
    thread->deleteLater();
    if (m_cancelled)
        return;
    if (m_result)
        emit finished();
    else
        emit failed(m_error);
}

void TextLoader::cancel()
{
    if (!m_thread)
        return;
    m_cancel->store(true);
    m_thread->wait();
    m_cancelled = true;
    QThread *thread = m_thread;
    m_thread = nullptr;
    delete thread;
}

DecodedText TextLoader::takeResult()
{
    DecodedText result = std::move(*m_result);
    m_result.reset();
    return result;
}
