#include "textsource.h"

#include <cstring>

qsizetype MemoryTextSource::read(char *buffer, qsizetype max)
{
    const qsizetype n = qMin(max, m_bytes.size() - m_at);
    std::memcpy(buffer, m_bytes.data() + m_at, size_t(n));
    m_at += n;
    return n;
}
