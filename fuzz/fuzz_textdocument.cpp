// Any sequence of edits, undos, redos, saves and Replace Alls: the document holds what a
// plain string holds after the same edits, line ends, line index, size on disk and modified
// flag included, and every undo and redo returns to the state it should.
#include "common/textmodel.h"
#include "controls/textdocument.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QString textOf(const uint8_t *data, size_t size)
{
    static const char16_t units[16] = {u'a', u'b',  u' ', u'\n',  u'\r', u'\t', 0x00E9, 0x20AC,
                                       u'x', u'\n', u'y', 0x2028, u'z',  u'.',  0x4E2D, u'q'};
    QString text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            text += QString::fromUcs4(U"\U0001F600"); // a pair, so it is never split on input
            continue;
        }
        text += QChar(units[data[i] & 15]);
    }
    return text;
}

QString asTyped(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

void checkLines(const TextDocument &doc, const TextModel &model)
{
    check(doc.length() == model.text.size());
    qsizetype start = 0;
    qsizetype line = 0;
    for (qsizetype i = 0; i <= model.text.size(); ++i) {
        check(doc.lineOfOffset(i) == line);
        if (i == model.text.size() || model.text[i] == u'\n') {
            check(doc.lineStart(line) == start);
            check(doc.lineLength(line) == i - start);
            ++line;
            start = i + 1;
        }
    }
    check(doc.lineCount() == line);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TextDocument doc;
    std::vector<TextModel> states{TextModel{}};
    qsizetype index = 0;
    qsizetype clean = 0;
    size_t at = 0;
    while (at + 4 <= size) {
        const uint8_t op = data[at] % 8;
        const size_t n = (data[at] >> 3) % 8;
        const qsizetype position = ((data[at + 1] << 8) | data[at + 2]) % (doc.length() + 1);
        const qsizetype length = qMin<qsizetype>(data[at + 3] % 16, doc.length() - position);
        at += 4;
        const QString text = textOf(data + at, qMin(n, size - at));
        at += qMin(n, size - at);
        const quint64 revision = doc.revision();
        bool recorded = false;
        if (op < 4) {
            doc.replace(position, length, text, {}, {});
            recorded = doc.revision() != revision;
        } else if (op == 4) {
            if (doc.undo())
                --index;
        } else if (op == 5) {
            if (doc.redo())
                ++index;
        } else if (op == 6) {
            doc.setModified(false);
            clean = index;
        } else if (length > 0 && position + 3 * length <= doc.length()) {
            doc.replaceAll({position, position + 2 * length}, length, text, {}, {});
            recorded = doc.revision() != revision;
        } else {
            TextFormat format = doc.format();
            format.lineEnd = LineEnd(n % 3);
            doc.setFormat(format);
        }
        if (recorded) {
            TextModel now = states[size_t(index)];
            if (op < 4) {
                now.replace(position, length, asTyped(text), doc.format().lineEnd);
            } else {
                now.replace(position + 2 * length, length, asTyped(text), doc.format().lineEnd);
                now.replace(position, length, asTyped(text), doc.format().lineEnd);
            }
            states.resize(size_t(index + 1));
            if (clean > index)
                clean = -1;
            states.push_back(now);
            ++index;
        }
        check(modelOf(doc) == states[size_t(index)]);
        check(doc.byteSize() == states[size_t(index)].utf8Bytes());
        check(doc.isModified() == (clean != index));
        check(doc.canUndo() == (index > 0));
        check(doc.canRedo() == (index + 1 < qsizetype(states.size())));
    }
    checkLines(doc, modelOf(doc));
    // Undo all the way: every state on the way back, down to the empty text.
    while (doc.canUndo()) {
        doc.undo();
        check(doc.byteSize() == modelOf(doc).utf8Bytes());
    }
    check(doc.toPlainText().isEmpty());
    return 0;
}
