#pragma once

#include <QByteArray>

// The two texts the save loop writes in turn. Their sizes differ, so a torn write shows: the
// shorter over the longer leaves an old tail, the longer over the shorter a mix.
namespace SaveLoop {

inline QByteArray text(char letter, int megabytes)
{
    QByteArray line(64, letter);
    line.back() = '\n';
    return line.repeated((megabytes << 20) / line.size());
}

inline const QByteArray &first()
{
    static const QByteArray bytes = text('a', 2);
    return bytes;
}

inline const QByteArray &second()
{
    static const QByteArray bytes = text('b', 3);
    return bytes;
}

} // namespace SaveLoop
