#pragma once

#include <QByteArrayView>

// The CRC-32 of the IEEE (as zip and PNG use it), to tell a record cut short by a crash.
quint32 Crc32(QByteArrayView bytes);
