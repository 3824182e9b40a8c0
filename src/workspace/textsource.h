#pragma once

#include <QByteArrayView>

// Where a text file's bytes come from, read front to back, perhaps twice: a file, or memory.
class TextSource
{
public:
    virtual ~TextSource() = default;
    // Reads up to max bytes into buffer; 0 at the end. Throws AppError on a read failure.
    virtual qsizetype read(char *buffer, qsizetype max) = 0;
    // Goes back to the first byte.
    virtual void rewind() = 0;
    // The number of bytes, as far as known beforehand.
    virtual qint64 size() const = 0;
};

class MemoryTextSource : public TextSource
{
public:
    explicit MemoryTextSource(QByteArrayView bytes)
        : m_bytes(bytes)
    { }
    qsizetype read(char *buffer, qsizetype max) override;
    void rewind() override { m_at = 0; }
    qint64 size() const override { return m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
};
