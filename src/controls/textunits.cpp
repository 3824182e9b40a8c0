#include "textunits.h"

#include <algorithm>

TextUnits::TextUnits(QStringView text)
{
    append(text);
}

bool TextUnits::isLatin1(QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    char16_t any = 0;
    for (; p != end; ++p)
        any |= *p;
    return any < 0x100;
}

QStringView TextUnits::view(qsizetype from, qsizetype n, QString &scratch) const
{
    if (m_wide)
        return QStringView(m_wideUnits).sliced(from, n);
    scratch = QString::fromLatin1(m_narrow.constData() + from, n);
    return scratch;
}

void TextUnits::appendTo(QString &out, qsizetype from, qsizetype n) const
{
    if (m_wide)
        out.append(QStringView(m_wideUnits).sliced(from, n));
    else
        out.append(QLatin1StringView(m_narrow.constData() + from, n));
}

QString TextUnits::toString() const
{
    return m_wide ? m_wideUnits : QString::fromLatin1(m_narrow);
}

void TextUnits::reserve(qsizetype n)
{
    if (m_wide)
        m_wideUnits.reserve(n);
    else
        m_narrow.reserve(n);
}

void TextUnits::squeeze()
{
    if (m_wide)
        m_wideUnits.squeeze();
    else
        m_narrow.squeeze();
}

// Allocates the wide copy before giving up the narrow one, so a failure changes nothing.
void TextUnits::widen(qsizetype extra)
{
    QString wide;
    wide.reserve(m_narrow.size() + extra);
    wide.append(QLatin1StringView(m_narrow));
    m_wideUnits = std::move(wide);
    m_narrow = QByteArray();
    m_wide = true;
}

void TextUnits::append(QStringView text)
{
    insert(size(), text);
}

void TextUnits::appendLatin1(QByteArrayView latin1)
{
    if (m_wide)
        m_wideUnits.append(QLatin1StringView(latin1));
    else
        m_narrow.append(latin1);
}

void TextUnits::append(char16_t unit)
{
    if (!m_wide && unit >= 0x100)
        widen(1);
    if (m_wide)
        m_wideUnits.append(QChar(unit));
    else
        m_narrow.append(char(unit));
}

void TextUnits::insert(qsizetype at, QStringView text)
{
    if (text.isEmpty())
        return;
    if (!m_wide && !isLatin1(text))
        widen(text.size());
    if (m_wide) {
        m_wideUnits.insert(at, text);
        return;
    }
    if (at == m_narrow.size()) {
        const qsizetype old = m_narrow.size();
        m_narrow.resize(old + text.size());
        std::transform(text.begin(), text.end(), m_narrow.begin() + old,
                       [](QChar c) { return char(c.unicode()); });
        return;
    }
    QByteArray latin1(text.size(), Qt::Uninitialized);
    std::transform(text.begin(), text.end(), latin1.begin(),
                   [](QChar c) { return char(c.unicode()); });
    m_narrow.insert(at, latin1);
}

void TextUnits::remove(qsizetype at, qsizetype n)
{
    if (m_wide)
        m_wideUnits.remove(at, n);
    else
        m_narrow.remove(at, n);
}

void TextUnits::set(qsizetype i, char16_t unit)
{
    if (!m_wide && unit >= 0x100)
        widen(0);
    if (m_wide)
        m_wideUnits[i] = QChar(unit);
    else
        m_narrow[i] = char(unit);
}

void TextUnits::clear()
{
    m_narrow = QByteArray();
    m_wideUnits = QString();
    m_wide = false;
}
