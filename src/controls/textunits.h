#pragma once

#include <QByteArray>
#include <QString>

// A string of UTF-16 code units kept as one byte a unit while every unit is below U+0100
// (Latin-1), and as two bytes a unit once one is not: most files need half the memory.
class TextUnits
{
public:
    TextUnits() = default;
    explicit TextUnits(QStringView text);

    qsizetype size() const { return m_wide ? m_wideUnits.size() : m_narrow.size(); }
    bool isEmpty() const { return size() == 0; }
    bool isWide() const { return m_wide; }
    char16_t at(qsizetype i) const
    {
        return m_wide ? char16_t(m_wideUnits.at(i).unicode()) : char16_t(uchar(m_narrow.at(i)));
    }

    // The units [from, from + n) as a view: of the units themselves when wide, else of scratch,
    // which is overwritten. Valid until this or scratch changes.
    QStringView view(qsizetype from, qsizetype n, QString &scratch) const;
    void appendTo(QString &out, qsizetype from, qsizetype n) const;
    QString toString() const;
    // The narrow bytes (Latin-1), or empty when wide.
    QByteArrayView narrowBytes() const { return m_wide ? QByteArrayView() : m_narrow; }

    void reserve(qsizetype n);
    void squeeze();
    void append(QStringView text);
    void appendLatin1(QByteArrayView latin1);
    void append(char16_t unit);
    void insert(qsizetype at, QStringView text);
    void remove(qsizetype at, qsizetype n);
    // Replaces unit i, widening when it needs to.
    void set(qsizetype i, char16_t unit);
    void clear();

    // Whether every unit of text fits one byte.
    static bool isLatin1(QStringView text);

private:
    void widen(qsizetype extra);

    QByteArray m_narrow;
    QString m_wideUnits;
    bool m_wide = false;
};
