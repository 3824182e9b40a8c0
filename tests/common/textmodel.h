#pragma once

#include "controls/textdocument.h"

#include <QString>

#include <vector>

// What a document should hold, as plain as it gets: a string with one '\n' a line break, and
// the line end of each break beside it. Tests and fuzzers replay edits on both and compare.
struct TextModel
{
    QString text;
    std::vector<LineEnd> ends;

    bool operator==(const TextModel &) const = default;

    qsizetype breaksBefore(qsizetype offset) const
    {
        return QStringView(text).first(offset).count(u'\n');
    }
    void replace(qsizetype position, qsizetype length, const QString &with, LineEnd end)
    {
        const qsizetype first = breaksBefore(position);
        const qsizetype gone = QStringView(text).sliced(position, length).count(u'\n');
        ends.erase(ends.begin() + first, ends.begin() + first + gone);
        ends.insert(ends.begin() + first, with.count(u'\n'), end);
        text.replace(position, length, with);
    }
    // What a file of this text holds, in UTF-8, where a surrogate without its other half takes
    // three bytes as any character of its range would.
    qint64 utf8Bytes() const
    {
        qint64 bytes = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                bytes += 4;
                ++i;
            } else {
                const char16_t c = text[i].unicode();
                bytes += c == u'\n' ? 1 : c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
            }
        }
        for (LineEnd end : ends)
            bytes += end == LineEnd::CRLF ? 1 : 0;
        return bytes;
    }
};

inline TextModel modelOf(const TextDocument &doc)
{
    TextModel model;
    model.text = doc.toPlainText();
    for (qsizetype line = 0; line + 1 < doc.lineCount(); ++line)
        model.ends.push_back(doc.storage().lineEndOf(line));
    return model;
}
