#pragma once

#include <QList>
#include <QString>

// What the search needs from the text it works on: the Workspace's edit control, or a fake in
// tests. Positions and lengths count the control's characters (UTF-16 code units).
class SearchTarget
{
public:
    virtual ~SearchTarget() = default;

    // Changes whenever the text changes, and only then, so that the search can keep working
    // from its copy of the text until it does. Selection moves and colouring do not count.
    virtual quint64 textRevision() const = 0;
    virtual qsizetype textLength() const = 0;
    // The whole text; asked for again only after textRevision() changed.
    virtual QString text() const = 0;

    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionLength() const = 0;
    virtual void setSelection(qsizetype start, qsizetype length) = 0;

    // Replaces the characters start .. start + length with text, as one undo step.
    virtual void replaceRange(qsizetype start, qsizetype length, const QString &text) = 0;
    // Replaces the length characters at each of starts (ascending, apart) with text, as one undo
    // step. A target that edits piece by piece faster than it takes one long replacement does so
    // and returns true; false leaves Replace All to replaceRange().
    virtual bool replaceOccurrences(const QList<qsizetype> &starts, qsizetype length,
                                    const QString &text)
    {
        Q_UNUSED(starts);
        Q_UNUSED(length);
        Q_UNUSED(text);
        return false;
    }

    // Shows a hit in the found colour: display only, no modified flag, no undo step.
    virtual void markFound(qsizetype start, qsizetype length) = 0;
};
