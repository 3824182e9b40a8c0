#include "regfileformat.h"

#include "app/apperror.h"

#include <QStringList>

namespace RegFileFormat {

namespace {

[[noreturn]] void fail(qsizetype line, const QString &what)
{
    throw AppError(QStringLiteral("line %1: %2").arg(line).arg(what));
}

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the closing quote.
QString readQuoted(const QString &text, qsizetype &pos, qsizetype line)
{
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        }
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++pos >= text.size())
            break;
        switch (text.at(pos).unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case '"':
            out += QLatin1Char('"');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'x': {
            bool ok = false;
            const int code = text.mid(pos + 1, 2).toInt(&ok, 16);
            if (!ok || text.mid(pos + 1, 2).size() != 2)
                fail(line, QStringLiteral("bad \\x escape"));
            out += QChar(code);
            pos += 2;
            break;
        }
        default:
            fail(line, QStringLiteral("unknown escape \\%1").arg(text.at(pos)));
        }
    }
    fail(line, QStringLiteral("unclosed quote"));
}

QByteArray readHexBytes(const QString &list, qsizetype line)
{
    QByteArray bytes;
    const QString compact = QString(list).remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (compact.isEmpty())
        return bytes;
    for (const QString &part : compact.split(QLatin1Char(','))) {
        bool ok = false;
        const int byte = part.toInt(&ok, 16);
        if (!ok || part.size() > 2 || byte < 0)
            fail(line, QStringLiteral("bad hex byte \"%1\"").arg(part));
        bytes.append(char(byte));
    }
    return bytes;
}

RegValue readData(const QString &data, qsizetype line)
{
    RegValue value;
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        value.text = readQuoted(data, pos, line);
        if (!data.mid(pos).trimmed().isEmpty())
            fail(line, QStringLiteral("text after the closing quote"));
        return value;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        bool ok = false;
        const QString digits = data.mid(6).trimmed();
        value.dword = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            fail(line, QStringLiteral("bad dword"));
        value.type = RegValue::Type::Dword;
        return value;
    }
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    const QString kind = data.left(colon).trimmed();
    if (colon > 0 && kind.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)
        && (kind.size() == 3
            || (kind.at(3) == QLatin1Char('(') && kind.endsWith(QLatin1Char(')'))))) {
        value.type = RegValue::Type::Binary;
        value.binaryKind = kind.toLower();
        value.bytes = readHexBytes(data.mid(colon + 1), line);
        return value;
    }
    fail(line, QStringLiteral("unknown value data"));
}

QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

} // namespace

RegTree parse(const QByteArray &utf8)
{
    QString text = QString::fromUtf8(utf8);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    RegTree tree;
    QString currentKey;
    bool sawHeader = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype lineNumber = i + 1;
        QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (!sawHeader) {
            if (line != QLatin1String("REGEDIT4")
                && line != QLatin1String("Windows Registry Editor Version 5.00"))
                fail(lineNumber, QStringLiteral("the file does not start with REGEDIT4"));
            sawHeader = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')) || line.size() < 3
                || line.at(1) == QLatin1Char('-'))
                fail(lineNumber, QStringLiteral("bad key line"));
            currentKey = line.mid(1, line.size() - 2);
            tree.createKey(currentKey);
            continue;
        }
        if (currentKey.isEmpty())
            fail(lineNumber, QStringLiteral("a value before the first key"));
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            name = readQuoted(line, pos, lineNumber);
        } else {
            fail(lineNumber, QStringLiteral("neither a key nor a value"));
        }
        const QString rest = line.mid(pos).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            fail(lineNumber, QStringLiteral("missing '='"));
        QString data = rest.mid(1).trimmed();
        // Hex data may run on over lines that end in a backslash.
        if (!data.startsWith(QLatin1Char('"'))) {
            while (data.endsWith(QLatin1Char('\\')) && i + 1 < lines.size())
                data = data.chopped(1) + lines.at(++i).trimmed();
        }
        RegValue value = readData(data, lineNumber);
        value.name = name;
        tree.setValue(currentKey, value);
    }
    if (!sawHeader && !text.trimmed().isEmpty())
        fail(1, QStringLiteral("the file does not start with REGEDIT4"));
    return tree;
}

QByteArray serialize(const RegTree &tree)
{
    QString out = QStringLiteral(
            "REGEDIT4\n"
            "; Leafstack settings. In quoted names and data \\\\ is a backslash, \\\" a quote,\n"
            "; \\n \\r \\t a line feed, carriage return and tab, \\xHH another control "
            "character.\n");
    for (const RegTree::Key &key : tree.keys()) {
        out += QStringLiteral("\n[") + key.path + QStringLiteral("]\n");
        for (const RegValue &value : key.values) {
            out += value.name.isEmpty() ? QStringLiteral("@")
                                        : QLatin1Char('"') + escape(value.name) + QLatin1Char('"');
            out += QLatin1Char('=');
            switch (value.type) {
            case RegValue::Type::String:
                out += QLatin1Char('"') + escape(value.text) + QLatin1Char('"');
                break;
            case RegValue::Type::Dword:
                out += QStringLiteral("dword:%1").arg(value.dword, 8, 16, QLatin1Char('0'));
                break;
            case RegValue::Type::Binary:
                out += value.binaryKind + QLatin1Char(':')
                        + QString::fromLatin1(value.bytes.toHex(','));
                break;
            }
            out += QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

} // namespace RegFileFormat
