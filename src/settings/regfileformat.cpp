#include "regfileformat.h"

namespace RegFileFormat {

namespace {

bool unescape(QStringView text, qsizetype &pos, QString &out, QString &error)
{
    switch (text.at(pos).unicode()) {
    case '\\':
        out += QLatin1Char('\\');
        return true;
    case '"':
        out += QLatin1Char('"');
        return true;
    case 'n':
        out += QLatin1Char('\n');
        return true;
    case 'r':
        out += QLatin1Char('\r');
        return true;
    case 't':
        out += QLatin1Char('\t');
        return true;
    case 'x': {
        bool ok = false;
        const QStringView digits = text.mid(pos + 1, 2);
        const int code = digits.toInt(&ok, 16);
        if (!ok || digits.size() != 2 || code < 0) {
            error = QStringLiteral("bad \\x escape");
            return false;
        }
        out += QChar(code);
        pos += 2;
        return true;
    }
    default:
        error = QStringLiteral("unknown escape \\%1").arg(text.at(pos));
        return false;
    }
}

// Reads a quoted string starting at text[pos] == '"'; leaves pos after the closing quote.
bool readQuoted(QStringView text, qsizetype &pos, QString &out, QString &error)
{
    for (++pos; pos < text.size(); ++pos) {
        qsizetype plain = pos;
        while (plain < text.size() && text.at(plain) != QLatin1Char('"')
               && text.at(plain) != QLatin1Char('\\'))
            ++plain;
        out += text.mid(pos, plain - pos);
        pos = plain;
        if (pos >= text.size())
            break;
        if (text.at(pos) == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (++pos >= text.size())
            break;
        if (!unescape(text, pos, out, error))
            return false;
    }
    error = QStringLiteral("unclosed quote");
    return false;
}

bool readHexBytes(QStringView list, QByteArray &bytes, QString &error)
{
    QString compact = list.toString();
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (compact.isEmpty())
        return true;
    for (QStringView part : QStringView(compact).split(QLatin1Char(','))) {
        bool ok = false;
        const int byte = part.toInt(&ok, 16);
        if (!ok || part.size() > 2 || byte < 0) {
            error = QStringLiteral("bad hex byte \"%1\"").arg(part);
            return false;
        }
        bytes.append(char(byte));
    }
    return true;
}

bool readData(QStringView data, RegValue &value, QString &error)
{
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        if (!readQuoted(data, pos, value.text, error))
            return false;
        if (!data.mid(pos).trimmed().isEmpty()) {
            error = QStringLiteral("text after the closing quote");
            return false;
        }
        return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        bool ok = false;
        const QStringView digits = data.mid(6).trimmed();
        value.dword = digits.toUInt(&ok, 16);
        value.type = RegValue::Type::Dword;
        if (!ok || digits.size() > 8)
            error = QStringLiteral("bad dword");
        return error.isEmpty();
    }
    const qsizetype colon = data.indexOf(QLatin1Char(':'));
    const QStringView kind = data.left(colon).trimmed();
    if (colon > 0 && kind.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)
        && (kind.size() == 3
            || (kind.at(3) == QLatin1Char('(') && kind.endsWith(QLatin1Char(')'))))) {
        value.type = RegValue::Type::Binary;
        value.binaryKind = kind.toString().toLower();
        return readHexBytes(data.mid(colon + 1), value.bytes, error);
    }
    error = QStringLiteral("unknown value data");
    return false;
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

bool isHeader(QStringView line)
{
    return line == QLatin1String("REGEDIT4")
            || line == QLatin1String("Windows Registry Editor Version 5.00");
}

// Walks the text line by line, keeping every value it can read.
class Parser
{
public:
    explicit Parser(QStringView text, QStringList *problems)
        : m_text(text)
        , m_problems(problems)
    { }

    RegTree run();

private:
    bool nextLine(QStringView &line);
    bool continuesHex() const;
    void readLine(QStringView line);
    void readValueLine(QStringView line, QString &error);
    void problem(qsizetype line, const QString &what);

    QStringView m_text;
    QStringList *m_problems;
    RegTree m_tree;
    QString m_key;
    enum class Place { BeforeKey, InKey, InBadKey } m_place = Place::BeforeKey;
    qsizetype m_pos = 0;
    qsizetype m_lineNumber = 0;
    qsizetype m_reportedLine = 0;
};

bool Parser::nextLine(QStringView &line)
{
    if (m_pos > m_text.size())
        return false;
    qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
    if (end < 0)
        end = m_text.size();
    line = m_text.mid(m_pos, end - m_pos).trimmed();
    m_pos = end + 1;
    ++m_lineNumber;
    return true;
}

// Whether the next line carries on hex data rather than starting something of its own.
bool Parser::continuesHex() const
{
    if (m_pos > m_text.size())
        return false;
    qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
    if (end < 0)
        end = m_text.size();
    const QStringView next = m_text.mid(m_pos, end - m_pos).trimmed();
    return !next.isEmpty() && !next.startsWith(QLatin1Char('"'))
            && !next.startsWith(QLatin1Char('[')) && !next.startsWith(QLatin1Char('@'))
            && !next.startsWith(QLatin1Char(';'));
}

// One problem a line at most: a line without the header before it may fail to read as well.
void Parser::problem(qsizetype line, const QString &what)
{
    if (m_problems && m_reportedLine != line)
        m_problems->append(QStringLiteral("line %1: %2").arg(line).arg(what));
    m_reportedLine = line;
}

RegTree Parser::run()
{
    if (m_text.startsWith(QChar(0xFEFF)))
        m_text = m_text.mid(1);
    bool sawContent = false;
    QStringView line;
    while (nextLine(line)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (isHeader(line)) {
            sawContent = true;
            continue;
        }
        // Without its header the file may still be ours with its first line lost: read on.
        if (!sawContent)
            problem(m_lineNumber, QStringLiteral("the file does not start with REGEDIT4"));
        sawContent = true;
        readLine(line);
    }
    return std::move(m_tree);
}

bool isValueLine(QStringView line)
{
    return line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('@'));
}

void Parser::readLine(QStringView line)
{
    if (line.startsWith(QLatin1Char('['))) {
        if (!line.endsWith(QLatin1Char(']')) || line.size() < 3 || line.at(1) == QLatin1Char('-')) {
            m_place = Place::InBadKey;
            problem(m_lineNumber, QStringLiteral("bad key line; the values below it are left out"));
            return;
        }
        m_key = line.mid(1, line.size() - 2).toString();
        m_tree.createKey(m_key);
        m_place = Place::InKey;
        return;
    }
    if (m_place == Place::InBadKey && isValueLine(line))
        return; // said with its key line
    const qsizetype firstLine = m_lineNumber;
    QString error;
    if (m_place == Place::BeforeKey && isValueLine(line))
        error = QStringLiteral("a value before the first key");
    else
        readValueLine(line, error);
    if (!error.isEmpty())
        problem(firstLine, error);
}

void Parser::readValueLine(QStringView line, QString &error)
{
    RegValue value;
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else if (!line.startsWith(QLatin1Char('"'))) {
        error = QStringLiteral("neither a key nor a value");
        return;
    } else if (!readQuoted(line, pos, value.name, error)) {
        return;
    }
    const QStringView rest = line.mid(pos).trimmed();
    if (!rest.startsWith(QLatin1Char('='))) {
        error = QStringLiteral("missing '='");
        return;
    }
    QStringView data = rest.mid(1).trimmed();
    QString joined;
    // Hex data may run on over lines that end in a backslash.
    if (!data.startsWith(QLatin1Char('"')) && data.endsWith(QLatin1Char('\\'))) {
        joined = data.toString();
        QStringView next;
        while (joined.endsWith(QLatin1Char('\\'))) {
            if (!continuesHex() || !nextLine(next)) {
                error = QStringLiteral("hex data cut short");
                return;
            }
            joined.chop(1);
            joined += next;
        }
        data = joined;
    }
    if (readData(data, value, error))
        m_tree.setValue(m_key, value);
}

} // namespace

RegTree parse(const QByteArray &utf8, QStringList *problems)
{
    const QString text = QString::fromUtf8(utf8);
    return Parser(text, problems).run();
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
