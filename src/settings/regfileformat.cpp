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

// Appends text quoted, escaping what would not come back as written.
void appendQuoted(QString &out, const QString &text)
{
    out += QLatin1Char('"');
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c != 0x7f && c != u'\\' && c != u'"')
            continue;
        out += QStringView(text).mid(plain, i - plain);
        plain = i + 1;
        switch (c) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'"':
            out += QLatin1String("\\\"");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        case u'\t':
            out += QLatin1String("\\t");
            break;
        default:
            out += QStringLiteral("\\x%1").arg(int(c), 2, 16, QLatin1Char('0'));
        }
    }
    out += QStringView(text).mid(plain);
    out += QLatin1Char('"');
}

bool isHeader(QStringView line)
{
    return line == QLatin1String("REGEDIT4")
            || line == QLatin1String("Windows Registry Editor Version 5.00");
}

bool isValueLine(QStringView line)
{
    return line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('@'));
}

// Walks the text line by line, keeping every value it can read.
class Parser
{
public:
    explicit Parser(QByteArrayView utf8, QStringList *problems)
        : m_bytes(utf8)
        , m_problems(problems)
    { }

    RegTree run();

private:
    bool nextLine(QStringView &line);
    bool continuesHex() const;
    void readLine(QStringView line);
    void readValueLine(QStringView line, QString &error);
    void problem(qsizetype line, const QString &what);

    // Lines are decoded one at a time: a file of any size is never held twice over.
    QByteArrayView m_bytes;
    QString m_line; // the line that nextLine() gave last
    QStringList *m_problems;
    RegTree m_tree;
    qsizetype m_key = -1;
    enum class Place { BeforeKey, InKey, InBadKey } m_place = Place::BeforeKey;
    qsizetype m_pos = 0;
    qsizetype m_lineNumber = 0;
    qsizetype m_reportedLine = 0;
};

// The next line, trimmed; a view of m_line, good until the next call.
bool Parser::nextLine(QStringView &line)
{
    if (m_pos > m_bytes.size())
        return false;
    qsizetype end = m_bytes.indexOf('\n', m_pos);
    if (end < 0)
        end = m_bytes.size();
    m_line = QString::fromUtf8(m_bytes.sliced(m_pos, end - m_pos));
    line = QStringView(m_line).trimmed();
    m_pos = end + 1;
    ++m_lineNumber;
    return true;
}

// Whether the next line carries on hex data rather than starting something of its own.
bool Parser::continuesHex() const
{
    qsizetype at = m_pos;
    while (at < m_bytes.size() && (m_bytes.at(at) == ' ' || m_bytes.at(at) == '\t'))
        ++at;
    if (at >= m_bytes.size())
        return false;
    const char first = m_bytes.at(at);
    return first != '\n' && first != '\r' && first != '"' && first != '[' && first != '@'
            && first != ';';
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
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_bytes = m_bytes.sliced(3);
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

void Parser::readLine(QStringView line)
{
    if (line.startsWith(QLatin1Char('['))) {
        if (!line.endsWith(QLatin1Char(']')) || line.size() < 3 || line.at(1) == QLatin1Char('-')) {
            m_place = Place::InBadKey;
            problem(m_lineNumber, QStringLiteral("bad key line; the values below it are left out"));
            return;
        }
        m_key = m_tree.keyPosition(line.mid(1, line.size() - 2).toString());
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
    // Hex data may run on over lines that end in a backslash. Reading them replaces the line
    // that data views: it is copied first.
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
        m_tree.setValue(m_key, std::move(value));
}

} // namespace

RegTree parse(const QByteArray &utf8, QStringList *problems)
{
    return Parser(utf8, problems).run();
}

QByteArray serialize(const RegTree &tree)
{
    QString out = QStringLiteral(
            "REGEDIT4\n"
            "; Leafstack settings. In quoted names and data \\\\ is a backslash, \\\" a quote,\n"
            "; \\n \\r \\t a line feed, carriage return and tab, \\xHH another control "
            "character.\n");
    for (const RegTree::Key &key : tree.keys()) {
        out += QLatin1String("\n[");
        out += key.path;
        out += QLatin1String("]\n");
        for (const RegValue &value : key.values) {
            if (value.name.isEmpty())
                out += QLatin1Char('@');
            else
                appendQuoted(out, value.name);
            out += QLatin1Char('=');
            switch (value.type) {
            case RegValue::Type::String:
                appendQuoted(out, value.text);
                break;
            case RegValue::Type::Dword:
                out += QStringLiteral("dword:%1").arg(value.dword, 8, 16, QLatin1Char('0'));
                break;
            case RegValue::Type::Binary:
                out += value.binaryKind;
                out += QLatin1Char(':');
                out += QString::fromLatin1(value.bytes.toHex(','));
                break;
            }
            out += QLatin1Char('\n');
        }
    }
    return out.toUtf8();
}

} // namespace RegFileFormat
