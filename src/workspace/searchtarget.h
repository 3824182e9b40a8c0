#pragma once

#include <QList>
#include <QString>

class TextStorage;

// What the search needs from the text it works on: the Workspace's document, or a fake in
// tests. Positions and lengths count the document's units (UTF-16 code units).
class SearchTarget
{
public:
    virtual ~SearchTarget() = default;

    // The text, read a window at a time.
    virtual const TextStorage &text() const = 0;

    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionLength() const = 0;
    virtual void setSelection(qsizetype start, qsizetype length) = 0;

    // Replaces the characters start .. start + length with text, as one undo step.
    virtual void replaceRange(qsizetype start, qsizetype length, const QString &text) = 0;
    // Replaces the length characters at each of starts (ascending, apart) with text, as one
    // undo step.
    virtual void replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                                    const QString &text) = 0;

    // Shows a hit in the found colour: display only, no modified flag, no undo step.
    virtual void markFound(qsizetype start, qsizetype length) = 0;
};
