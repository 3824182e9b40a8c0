#include "textblockwriter.h"

#include "controls/textpiece.h"

TextBlockWriter::TextBlockWriter(qsizetype target)
    : m_target(target)
{ }

// The block being filled, with room for at least one more unit.
TextBlock &TextBlockWriter::room()
{
    if (m_current.size() >= m_target)
        close();
    if (m_current.size() == 0)
        m_current.units.reserve(m_target);
    return m_current;
}

void TextBlockWriter::close()
{
    m_current.units.squeeze();
    m_current.breaks.shrink_to_fit();
    m_current.attrs.shrink_to_fit();
    m_memory += qsizetype(sizeof(TextBlock)) + m_current.size() * (m_current.units.isWide() ? 2 : 1)
            + 5 * m_current.breakCount();
    m_blocks.push_back(std::move(m_current));
    m_current = TextBlock();
}

void TextBlockWriter::appendText(QStringView units)
{
    while (!units.isEmpty()) {
        TextBlock &block = room();
        const qsizetype n = qMin(units.size(), m_target - block.size());
        block.units.append(units.first(n));
        m_size += n;
        units = units.sliced(n);
    }
}

void TextBlockWriter::appendLatin1(QByteArrayView latin1)
{
    while (!latin1.isEmpty()) {
        TextBlock &block = room();
        const qsizetype n = qMin(latin1.size(), m_target - block.size());
        block.units.appendLatin1(latin1.first(n));
        m_size += n;
        latin1 = latin1.sliced(n);
    }
}

void TextBlockWriter::appendBreak(quint8 attr)
{
    TextBlock &block = room();
    block.breaks.push_back(quint32(block.size()));
    block.attrs.push_back(attr);
    block.units.append(u'\n');
    ++m_size;
}

void TextBlockWriter::appendRange(const TextBlock &block, qsizetype from, qsizetype to)
{
    QString scratch;
    qsizetype k = block.breaksBefore(from);
    while (from < to) {
        const qsizetype stop =
                k < block.breakCount() ? qMin<qsizetype>(block.breaks[size_t(k)], to) : to;
        if (stop > from) {
            const QByteArrayView narrow = block.units.narrowBytes();
            if (!block.units.isWide())
                appendLatin1(narrow.sliced(from, stop - from));
            else
                appendText(block.units.view(from, stop - from, scratch));
            from = stop;
        }
        if (from < to) { // at break k
            appendBreak(block.attrs[size_t(k)]);
            ++from;
            ++k;
        }
    }
}

void TextBlockWriter::appendPiece(const TextPiece &piece, TextAlignment alignment)
{
    QString scratch;
    const QStringView units = piece.units.view(0, piece.size(), scratch);
    qsizetype from = 0;
    qsizetype k = 0;
    while (from < units.size()) {
        const qsizetype nl = units.indexOf(u'\n', from);
        const qsizetype stop = nl < 0 ? units.size() : nl;
        appendText(units.sliced(from, stop - from));
        if (nl < 0)
            break;
        appendBreak(TextBlock::attr(piece.endAt(k++), alignment));
        from = nl + 1;
    }
}

std::vector<TextBlock> TextBlockWriter::finish()
{
    if (m_current.size() > 0 || m_blocks.empty())
        close();
    if (m_blocks.size() >= 2 && m_blocks.back().size() < m_target / 4) {
        // A sliver joins the block before it.
        TextBlock tail = std::move(m_blocks.back());
        m_blocks.pop_back();
        TextBlock &last = m_blocks.back();
        const quint32 shift = quint32(last.size());
        QString scratch;
        last.units.append(tail.units.view(0, tail.size(), scratch));
        for (size_t i = 0; i < tail.breaks.size(); ++i) {
            last.breaks.push_back(tail.breaks[i] + shift);
            last.attrs.push_back(tail.attrs[i]);
        }
        last.units.squeeze();
    }
    std::vector<TextBlock> blocks = std::move(m_blocks);
    m_blocks.clear();
    m_current = TextBlock();
    m_size = 0;
    m_memory = 0;
    return blocks;
}
