#pragma once

#include <QString>
#include <QStringView>

#include <limits>

class TextStorage;

// The text a search runs over, read through at() one unit at a time and through window() a
// stretch at a time. Scans take windows of at most windowSize() units, so a document is read
// a window at a time and never copied whole.
class FlatSearchText
{
public:
    explicit FlatSearchText(QStringView text)
        : m_text(text)
    { }
    qsizetype size() const { return m_text.size(); }
    char16_t at(qsizetype i) const { return m_text[i].unicode(); }
    QStringView window(qsizetype from, qsizetype to, QString &) const
    {
        return m_text.sliced(from, to - from);
    }
    static constexpr qsizetype windowSize() { return std::numeric_limits<qsizetype>::max() / 4; }

private:
    QStringView m_text;
};

// A document's text, with the stretch around the last unit read kept at hand.
class StorageSearchText
{
public:
    explicit StorageSearchText(const TextStorage &storage);
    qsizetype size() const { return m_size; }
    char16_t at(qsizetype i) const
    {
        if (i < m_cacheStart || i >= m_cacheStart + m_cache.size())
            load(i);
        return m_cache[i - m_cacheStart].unicode();
    }
    // A view of [from, to): of the kept stretch when it holds them, else of holder.
    QStringView window(qsizetype from, qsizetype to, QString &holder) const;
    static constexpr qsizetype windowSize() { return 1 << 16; }

private:
    void load(qsizetype i) const;

    const TextStorage &m_storage;
    qsizetype m_size;
    mutable QString m_cache;
    mutable qsizetype m_cacheStart = 0;
};
