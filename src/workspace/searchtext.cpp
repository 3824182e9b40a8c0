#include "searchtext.h"

#include "controls/textstorage.h"

StorageSearchText::StorageSearchText(const TextStorage &storage)
    : m_storage(storage)
    , m_size(storage.length())
{ }

// Around i, so that scans either way read on from the same stretch.
void StorageSearchText::load(qsizetype i) const
{
    constexpr qsizetype kHalf = 4096;
    m_cacheStart = qMax<qsizetype>(0, i - kHalf);
    m_cache = m_storage.text(m_cacheStart, qMin(m_size, i + kHalf) - m_cacheStart);
}

QStringView StorageSearchText::window(qsizetype from, qsizetype to, QString &holder) const
{
    if (from >= m_cacheStart && to <= m_cacheStart + m_cache.size())
        return QStringView(m_cache).sliced(from - m_cacheStart, to - from);
    holder = m_storage.text(from, to - from);
    return holder;
}
