#include "statustexts.h"

#include "format/numberformatter.h"

namespace StatusTexts {

QString caret(qsizetype line, qsizetype column)
{
    return QStringLiteral("%1:%2").arg(line).arg(column);
}

QString size(qint64 bytes)
{
    return FormatNumberText(QStringLiteral("#,###,##0 bytes"), double(bytes));
}

QString modified(bool modified)
{
    return modified ? QStringLiteral("Modified") : QString();
}

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf16LE:
        return QStringLiteral("UTF-16 LE");
    case TextEncoding::Utf16BE:
        return QStringLiteral("UTF-16 BE");
    case TextEncoding::SingleByte:
        break;
    }
    return QStringLiteral("Windows-1252");
}

QString encoding(const TextFormat &format, bool mixedLineEnds)
{
    QString text = encodingName(format.encoding);
    if (format.bom)
        text += QStringLiteral(" BOM");
    text += QStringLiteral(", ");
    if (mixedLineEnds)
        return text + QStringLiteral("Mixed");
    switch (format.lineEnd) {
    case LineEnd::LF:
        return text + QStringLiteral("LF");
    case LineEnd::CRLF:
        return text + QStringLiteral("CRLF");
    case LineEnd::CR:
        break;
    }
    return text + QStringLiteral("CR");
}

} // namespace StatusTexts
