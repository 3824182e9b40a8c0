#include "numberformatter.h"

#include "base/apperror.h"
#include "decimaldigits.h"

#include <QList>

#include <cmath>

namespace {

constexpr qsizetype kMaxPattern = 224;
constexpr qsizetype kMaxLength = 256;
constexpr double kGeneralLimit = 1e18;

// One section of a pattern, read once into its parts.
struct Section
{
    enum class Kind { IntegralPlace, FractionPlace, Point, Exponent, Literal };
    struct Item
    {
        Kind kind;
        QChar place;  // '0' or '#' for places
        QString text; // literal text, or the exponent's "E+" / "e-" as written
        int exponentDigits = 0;
    };
    QList<Item> items;
    int integralPlaces = 0;
    int fractionPlaces = 0;
    int leftmostZero = -1; // index among integral places of the first '0'
    int lastFractionZero = -1;
    bool grouping = false;
    bool scientific = false;
};

QList<QString> splitSections(const QString &pattern)
{
    QList<QString> sections{QString()};
    QChar quote;
    for (QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            if (sections.size() == 3)
                break;
            sections.append(QString());
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

Section parseSection(const QString &text)
{
    Section section;
    bool afterPoint = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? text.size() : close;
            section.items.append({Section::Kind::Literal, {}, text.mid(i + 1, end - i - 1)});
            i = end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                if (c == QLatin1Char('0'))
                    section.lastFractionZero = section.fractionPlaces;
                ++section.fractionPlaces;
                section.items.append({Section::Kind::FractionPlace, c, {}});
            } else {
                if (c == QLatin1Char('0') && section.leftmostZero < 0)
                    section.leftmostZero = section.integralPlaces;
                ++section.integralPlaces;
                section.items.append({Section::Kind::IntegralPlace, c, {}});
            }
        } else if (c == QLatin1Char('.') && !afterPoint) {
            afterPoint = true;
            section.items.append({Section::Kind::Point, {}, {}});
        } else if (c == QLatin1Char(',')) {
            section.grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !section.scientific
                   && i + 1 < text.size()
                   && (text.at(i + 1) == QLatin1Char('+') || text.at(i + 1) == QLatin1Char('-'))) {
            section.scientific = true;
            Section::Item exponent{Section::Kind::Exponent, {}, text.mid(i, 2)};
            i += 2;
            while (i < text.size()
                   && (text.at(i) == QLatin1Char('0') || text.at(i) == QLatin1Char('#'))) {
                if (text.at(i) == QLatin1Char('0'))
                    ++exponent.exponentDigits;
                ++i;
            }
            --i;
            section.items.append(exponent);
        } else {
            section.items.append({Section::Kind::Literal, {}, QString(c)});
        }
    }
    return section;
}

QString generalForm(double value, const FormatSettings &settings)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), settings.decimalSeparator);
    return text;
}

// Writes a value's magnitude through one parsed section.
class SectionWriter
{
public:
    SectionWriter(const Section &section, double value, const FormatSettings &settings)
        : m_section(section)
        , m_settings(settings)
        , m_digits(value)
    {
        if (section.scientific)
            prepareScientific();
        else
            prepareFixed();
    }

    bool roundsToZero() const
    {
        return m_integral.empty() && m_fraction.find_first_not_of('0') == std::string::npos;
    }
    QString write() const;

private:
    void prepareFixed()
    {
        m_digits.roundToDecimals(m_section.fractionPlaces);
        m_integral = m_digits.integralDigits();
        m_fraction = m_digits.fractionDigits(m_section.fractionPlaces);
    }
    void prepareScientific()
    {
        const int places = m_section.integralPlaces;
        m_digits.roundToSignificant(places + m_section.fractionPlaces);
        if (!m_digits.isZero())
            m_exponent = m_digits.pointPosition() - places;
        const std::string all = m_digits.significantDigits(places + m_section.fractionPlaces);
        m_integral = all.substr(0, static_cast<std::size_t>(places));
        m_integral.erase(0,
                         m_integral.find_first_not_of('0') == std::string::npos
                                 ? m_integral.size()
                                 : m_integral.find_first_not_of('0'));
        m_fraction = all.substr(static_cast<std::size_t>(places));
    }
    QString integralText() const;
    QString exponentText(const Section::Item &item) const;

    const Section &m_section;
    const FormatSettings &m_settings;
    DecimalDigits m_digits;
    std::string m_integral;
    std::string m_fraction;
    int m_exponent = 0;
};

// All integral digits as they are written, separators included; place k's share is
// placeStart[k]..placeStart[k+1].
QString SectionWriter::integralText() const
{
    const int places = m_section.integralPlaces;
    const int length = static_cast<int>(m_integral.size());
    std::string written;
    if (length >= places) {
        written = m_integral;
    } else {
        // Places left over at the left: dropped for '#', '0' from the leftmost '0' onwards.
        const int padding = places - length;
        const int zeros =
                m_section.leftmostZero < 0 ? 0 : std::max(0, padding - m_section.leftmostZero);
        written = std::string(static_cast<std::size_t>(zeros), '0') + m_integral;
    }
    QString out;
    const int count = static_cast<int>(written.size());
    for (int i = 0; i < count; ++i) {
        out += QLatin1Char(written[static_cast<std::size_t>(i)]);
        const int position = count - i;
        if (m_section.grouping && position > 1 && position % 3 == 1)
            out += m_settings.thousandSeparator;
    }
    return out;
}

QString SectionWriter::exponentText(const Section::Item &item) const
{
    QString out = item.text.left(1);
    if (m_exponent < 0)
        out += QLatin1Char('-');
    else if (item.text.at(1) == QLatin1Char('+'))
        out += QLatin1Char('+');
    out += QString::number(std::abs(m_exponent))
                   .rightJustified(item.exponentDigits, QLatin1Char('0'));
    return out;
}

QString SectionWriter::write() const
{
    // How many fraction digits show: '0' places always, '#' places up to the last nonzero digit.
    const auto lastNonZero = m_fraction.find_last_not_of('0');
    const int lastDigit = lastNonZero == std::string::npos ? -1 : static_cast<int>(lastNonZero);
    const int shownFraction = std::max(lastDigit, m_section.lastFractionZero) + 1;

    // The integral text goes at the first integral place (or before the point when there is none).
    const QString integral = integralText();
    bool integralDone = false;
    bool pointDone = false;
    int fractionIndex = 0;
    QString out;
    for (const Section::Item &item : m_section.items) {
        switch (item.kind) {
        case Section::Kind::IntegralPlace:
            if (!integralDone)
                out += integral;
            integralDone = true;
            break;
        case Section::Kind::Point:
            if (!integralDone)
                out += integral;
            integralDone = true;
            break;
        case Section::Kind::FractionPlace:
            if (fractionIndex < shownFraction) {
                if (!pointDone)
                    out += m_settings.decimalSeparator;
                pointDone = true;
                out += QLatin1Char(m_fraction[static_cast<std::size_t>(fractionIndex)]);
            }
            ++fractionIndex;
            break;
        case Section::Kind::Exponent:
            out += exponentText(item);
            break;
        case Section::Kind::Literal:
            out += item.text;
            break;
        }
    }
    return out;
}

} // namespace

QString FormatNumberText(const QString &pattern, double value, const FormatSettings &settings)
{
    if (pattern.size() > kMaxPattern)
        throw AppError(QStringLiteral("Format string too long"));

    const QList<QString> sections = splitSections(pattern);
    if (sections.first().isEmpty() || !std::isfinite(value) || std::fabs(value) >= kGeneralLimit)
        return generalForm(value, settings).left(kMaxLength);

    const QString positive = sections.first();
    const QString negative = sections.value(1);
    const QString zero = sections.value(2);

    QString out;
    if (value != 0.0) {
        const bool ownNegative = value < 0 && !negative.isEmpty();
        const Section section = parseSection(ownNegative ? negative : positive);
        const SectionWriter writer(section, value, settings);
        if (!writer.roundsToZero() || section.integralPlaces + section.fractionPlaces == 0) {
            out = (value < 0 && !ownNegative ? QStringLiteral("-") : QString()) + writer.write();
            return out.left(kMaxLength);
        }
    }
    const Section section = parseSection(zero.isEmpty() ? positive : zero);
    return SectionWriter(section, 0.0, settings).write().left(kMaxLength);
}
