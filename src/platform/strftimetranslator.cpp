#include "strftimetranslator.h"

#include <QList>

namespace StrftimeTranslator {

namespace {

struct Piece
{
    bool conversion = false;
    QChar code;         // the conversion character
    bool noPad = false; // the '-' flag
    QString literal;    // for literal text
};

QString expandComposite(QChar code, const QString &ampmPicture)
{
    switch (code.unicode()) {
    case 'D':
        return QStringLiteral("%m/%d/%y");
    case 'F':
        return QStringLiteral("%Y-%m-%d");
    case 'T':
        return QStringLiteral("%H:%M:%S");
    case 'R':
        return QStringLiteral("%H:%M");
    case 'r':
        return ampmPicture.isEmpty() || ampmPicture.contains(QLatin1String("%r"))
                ? QStringLiteral("%I:%M:%S %p")
                : ampmPicture;
    default:
        return {};
    }
}

// Splits a picture into literal characters and conversions, composites expanded.
QList<Piece> split(const QString &picture, const QString &ampmPicture, int depth = 0)
{
    QList<Piece> pieces;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c != QLatin1Char('%') || i + 1 >= picture.size()) {
            pieces.append({false, {}, false, QString(c)});
            continue;
        }
        Piece piece;
        piece.conversion = true;
        ++i;
        // Flags, width and the E/O modifiers.
        while (i < picture.size()
               && (QStringLiteral("_-0^#").contains(picture.at(i)) || picture.at(i).isDigit())) {
            if (picture.at(i) == QLatin1Char('-'))
                piece.noPad = true;
            ++i;
        }
        if (i < picture.size()
            && (picture.at(i) == QLatin1Char('E') || picture.at(i) == QLatin1Char('O')))
            ++i;
        if (i >= picture.size())
            break;
        piece.code = picture.at(i);
        const QString composite = expandComposite(piece.code, ampmPicture);
        if (!composite.isEmpty() && depth < 2)
            pieces.append(split(composite, ampmPicture, depth + 1));
        else if (piece.code == QLatin1Char('%'))
            pieces.append({false, {}, false, QStringLiteral("%")});
        else if (piece.code == QLatin1Char('n'))
            pieces.append({false, {}, false, QStringLiteral(" ")});
        else if (piece.code == QLatin1Char('t'))
            pieces.append({false, {}, false, QStringLiteral("\t")});
        else
            pieces.append(piece);
    }
    return pieces;
}

QString tokenFor(const Piece &piece)
{
    switch (piece.code.unicode()) {
    case 'a':
        return QStringLiteral("ddd");
    case 'A':
        return QStringLiteral("dddd");
    case 'b':
    case 'h':
        return QStringLiteral("mmm");
    case 'B':
        return QStringLiteral("mmmm");
    case 'd':
        return piece.noPad ? QStringLiteral("d") : QStringLiteral("dd");
    case 'e':
        return QStringLiteral("d");
    case 'm':
        return piece.noPad ? QStringLiteral("m") : QStringLiteral("mm");
    case 'y':
        return QStringLiteral("yy");
    case 'Y':
        return QStringLiteral("yyyy");
    case 'H':
    case 'I':
        return piece.noPad ? QStringLiteral("h") : QStringLiteral("hh");
    case 'k':
    case 'l':
        return QStringLiteral("h");
    case 'M':
        return piece.noPad ? QStringLiteral("n") : QStringLiteral("nn");
    case 'S':
        return piece.noPad ? QStringLiteral("s") : QStringLiteral("ss");
    case 'p':
    case 'P':
        return QStringLiteral("AMPM");
    default:
        return {}; // no token in the pattern language
    }
}

bool isTimeCode(QChar code)
{
    return QStringLiteral("HIklMSpPZzsX").contains(code);
}

bool isDateCode(QChar code)
{
    return QStringLiteral("aAbhBdemyY").contains(code);
}

// Literal text that would read as tokens is quoted; "/" and ":" stay the separators.
QString quoteLiteral(const QString &text)
{
    QString out;
    QString letters;
    auto flush = [&] {
        if (!letters.isEmpty())
            out += QLatin1Char('"') + letters + QLatin1Char('"');
        letters.clear();
    };
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            flush();
            out += QStringLiteral("'\"'");
        } else if (c == QLatin1Char('\'')) {
            letters += c;
        } else if (c.isLetter() && c.unicode() < 128) {
            letters += c;
        } else {
            flush();
            out += c;
        }
    }
    flush();
    return out;
}

QString render(const QList<Piece> &pieces)
{
    QString out;
    QString literal;
    for (const Piece &piece : pieces) {
        if (!piece.conversion) {
            literal += piece.literal;
            continue;
        }
        out += quoteLiteral(literal);
        literal.clear();
        out += tokenFor(piece);
    }
    out += quoteLiteral(literal);
    return out;
}

const Piece *firstHour(const QList<Piece> &pieces)
{
    for (const Piece &piece : pieces) {
        if (piece.conversion && QStringLiteral("HIkl").contains(piece.code))
            return &piece;
    }
    return nullptr;
}

} // namespace

QString toPattern(const QString &picture, const QString &ampmPicture)
{
    return render(split(picture, ampmPicture));
}

std::optional<QString> datePart(const QString &dateTimePicture)
{
    const QList<Piece> pieces = split(dateTimePicture, QString());
    QList<Piece> kept;
    bool hasDate = false;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const Piece &piece = pieces.at(i);
        if (piece.conversion && isTimeCode(piece.code)) {
            // Drop the text that hangs on a time field, up to the next blank.
            while (i + 1 < pieces.size() && !pieces.at(i + 1).conversion
                   && !pieces.at(i + 1).literal.at(0).isSpace())
                ++i;
            continue;
        }
        hasDate = hasDate || (piece.conversion && isDateCode(piece.code));
        kept.append(piece);
    }
    if (!hasDate)
        return std::nullopt;
    QString pattern = render(kept).simplified();
    while (!pattern.isEmpty() && QStringLiteral(",;-").contains(pattern.back()))
        pattern = pattern.chopped(1).trimmed();
    return pattern;
}

std::optional<QString> separator(const QString &picture, const QString &ampmPicture)
{
    const QList<Piece> pieces = split(picture, ampmPicture);
    for (qsizetype i = 1; i + 1 < pieces.size(); ++i) {
        const Piece &piece = pieces.at(i);
        if (piece.conversion || !pieces.at(i - 1).conversion)
            continue;
        const QChar c = piece.literal.at(0);
        if (!c.isLetterOrNumber() && !c.isSpace())
            return QString(c);
    }
    return std::nullopt;
}

std::optional<bool> hourLeadingZero(const QString &timePicture, const QString &ampmPicture)
{
    const QList<Piece> pieces = split(timePicture, ampmPicture);
    const Piece *hour = firstHour(pieces);
    if (!hour)
        return std::nullopt;
    return !hour->noPad && (hour->code == QLatin1Char('H') || hour->code == QLatin1Char('I'));
}

std::optional<bool> clock24(const QString &timePicture, const QString &ampmPicture)
{
    const QList<Piece> pieces = split(timePicture, ampmPicture);
    const Piece *hour = firstHour(pieces);
    if (!hour)
        return std::nullopt;
    return hour->code == QLatin1Char('H') || hour->code == QLatin1Char('k');
}

} // namespace StrftimeTranslator
