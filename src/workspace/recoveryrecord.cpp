#include "recoveryrecord.h"

#include "platform/crc32.h"

#include <QtEndian>

#include <cstring>

namespace RecoveryRecord {

namespace {

template<typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Reads little-endian values off a payload, failing softly at its end.
class Reader
{
public:
    explicit Reader(QByteArrayView data)
        : m_data(data)
    { }
    template<typename T>
    bool get(T &value)
    {
        if (m_at + qsizetype(sizeof(T)) > m_data.size())
            return false;
        value = qFromLittleEndian<T>(m_data.data() + m_at);
        m_at += sizeof(T);
        return true;
    }
    bool bytes(qsizetype n, QByteArrayView &out)
    {
        if (n < 0 || m_at + n > m_data.size())
            return false;
        out = m_data.sliced(m_at, n);
        m_at += n;
        return true;
    }
    bool atEnd() const { return m_at == m_data.size(); }

private:
    QByteArrayView m_data;
    qsizetype m_at = 0;
};

bool readPiece(Reader &reader, TextPiece &piece)
{
    quint8 uniform = 0, wide = 0;
    quint32 ends = 0;
    qint64 units = 0;
    QByteArrayView endBytes, unitBytes;
    if (!reader.get(uniform) || uniform > 2 || !reader.get(ends) || !reader.bytes(ends, endBytes)
        || !reader.get(units) || !reader.get(wide) || units < 0
        || !reader.bytes(units * (wide ? 2 : 1), unitBytes))
        return false;
    piece.uniformEnd = LineEnd(uniform);
    for (char e : endBytes) {
        if (quint8(e) > 2)
            return false;
        piece.ends.push_back(LineEnd(e));
    }
    if (!wide) {
        piece.units.appendLatin1(unitBytes);
    } else {
        QString text(units, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(unitBytes.data(), units, text.data());
        piece.units.append(text);
    }
    // A piece's listed line ends must match its breaks, or the text would not hold together.
    return piece.ends.empty() || qsizetype(piece.ends.size()) == piece.breakCount();
}

} // namespace

QByteArray framed(const QByteArray &payload)
{
    QByteArray out;
    out.reserve(payload.size() + 8);
    put<quint32>(out, quint32(payload.size()));
    put<quint32>(out, Crc32(payload));
    out.append(payload);
    return out;
}

QByteArray edits(const std::vector<TextStorage::Replacement> &replacements)
{
    QByteArray out("R");
    put<quint32>(out, quint32(replacements.size()));
    QString scratch;
    for (const TextStorage::Replacement &r : replacements) {
        const TextPiece &piece = *r.piece;
        put<qint64>(out, r.position);
        put<qint64>(out, r.removed);
        put<quint8>(out, quint8(piece.uniformEnd));
        put<quint32>(out, quint32(piece.ends.size()));
        for (LineEnd end : piece.ends)
            out.append(char(end));
        put<qint64>(out, piece.size());
        const bool wide = piece.units.isWide();
        put<quint8>(out, wide ? 1 : 0);
        if (!wide) {
            out.append(piece.units.narrowBytes());
            continue;
        }
        const QStringView units = piece.units.view(0, piece.size(), scratch);
        const qsizetype at = out.size();
        out.resize(at + 2 * units.size());
        qToLittleEndian<char16_t>(units.utf16(), units.size(), out.data() + at);
    }
    return out;
}

QByteArray format(const TextFormat &format)
{
    QByteArray out("F");
    out.append(char(format.encoding));
    out.append(char(format.bom ? 1 : 0));
    out.append(char(format.lineEnd));
    return out;
}

std::optional<Record> next(QByteArrayView data, qsizetype &offset)
{
    if (offset + 8 > data.size())
        return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(data.data() + offset);
    const quint32 crc = qFromLittleEndian<quint32>(data.data() + offset + 4);
    if (offset + 8 + qint64(length) > data.size())
        return std::nullopt;
    const QByteArrayView payload = data.sliced(offset + 8, length);
    if (Crc32(payload) != crc || payload.isEmpty())
        return std::nullopt;
    Reader reader(payload.sliced(1));
    Record record;
    if (payload[0] == 'F') {
        quint8 encoding = 0, bom = 0, lineEnd = 0;
        if (!reader.get(encoding) || !reader.get(bom) || !reader.get(lineEnd) || encoding > 3
            || lineEnd > 2)
            return std::nullopt;
        record.format = TextFormat{TextEncoding(encoding), bom != 0, LineEnd(lineEnd)};
    } else if (payload[0] == 'R') {
        quint32 count = 0;
        // Every edit takes thirty bytes at the least: a count beyond that is damage.
        if (!reader.get(count) || qint64(count) * 30 > payload.size())
            return std::nullopt;
        record.pieces.resize(count);
        for (quint32 i = 0; i < count; ++i) {
            qint64 position = 0, removed = 0;
            if (!reader.get(position) || !reader.get(removed)
                || !readPiece(reader, record.pieces[i]))
                return std::nullopt;
            record.replacements.push_back({position, removed, &record.pieces[i]});
        }
    } else {
        return std::nullopt;
    }
    if (!reader.atEnd())
        return std::nullopt;
    offset += 8 + length;
    return record;
}

} // namespace RecoveryRecord
