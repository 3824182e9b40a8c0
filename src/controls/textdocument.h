#pragma once

#include "controls/textformat.h"
#include "controls/textselection.h"
#include "controls/textstorage.h"
#include "controls/textundostack.h"

#include <QList>
#include <QObject>

#include <optional>

// A document: its text with every line's own line end, how it is stored on disk, the undo
// history with its clean point, the alignment of each line, and the ranges marked as search
// hits. Views show it and edit it; saving, searching, printing and case mapping read it
// directly, chunk by chunk.
//
// Offsets count UTF-16 code units, one '\n' per line break; lines count from 0. Every change
// of the text raises revision() and emits contentsChanged() once.
class TextDocument : public QObject
{
    Q_OBJECT

public:
    struct Highlight
    {
        qsizetype start = 0;
        qsizetype length = 0;
        bool operator==(const Highlight &) const = default;
    };

    explicit TextDocument(QObject *parent = nullptr);
    ~TextDocument() override;

    // Takes storage as the whole new text, as read from a file of byteSize bytes in format:
    // no undo history, not modified, no highlights, every line left-aligned.
    void reset(TextStorage storage, const TextFormat &format, qint64 byteSize);
    // The same for text (CR LF, CR and LF each one break of format.lineEnd), e.g. in tests.
    void setPlainText(QStringView text, const TextFormat &format = {});

    const TextStorage &storage() const { return m_storage; }
    qsizetype length() const { return m_storage.length(); }
    bool isEmpty() const { return length() == 0; }
    qsizetype lineCount() const { return m_storage.lineCount(); }
    qsizetype lineStart(qsizetype line) const { return m_storage.lineStart(line); }
    qsizetype lineEnd(qsizetype line) const { return m_storage.lineEnd(line); }
    qsizetype lineLength(qsizetype line) const { return m_storage.lineLength(line); }
    qsizetype lineOfOffset(qsizetype offset) const { return m_storage.lineOfOffset(offset); }
    QString lineText(qsizetype line) const { return m_storage.lineText(line); }
    QString text(qsizetype position, qsizetype length) const;
    // The whole text, one '\n' a break: for tests and small documents only.
    QString toPlainText() const { return text(0, length()); }
    char16_t at(qsizetype offset) const { return m_storage.at(offset); }

    const TextFormat &format() const { return m_format; }
    // The encoding, byte order mark and new-line kind to save with; the size follows.
    void setFormat(const TextFormat &format);
    // More than one kind of line end.
    bool mixedLineEnds() const;
    // What the text takes on disk in its format, byte order mark and line ends included.
    qint64 byteSize() const { return m_byteSize; }

    // Replaces [position, position + length) with text (CR LF, CR and LF each one break of the
    // format's kind) as an undo step that, when undone, brings back before, and redone, after.
    // Typing, Backspace and Delete join the step before them where it ended.
    void replace(qsizetype position, qsizetype length, QStringView text, TextSelection before,
                 TextSelection after, TextEditKind kind = TextEditKind::Plain);
    // The same, with the caret before and after taken from the edit.
    void insert(qsizetype position, QStringView text);
    void remove(qsizetype position, qsizetype length);
    // Replaces length units at each of starts (ascending, apart) with text, as one step.
    void replaceAll(const QList<qsizetype> &starts, qsizetype length, QStringView text,
                    TextSelection before, TextSelection after);
    // Replaces stretches exactly as given, line ends of the pieces included, as one step:
    // ascending, apart, positions in the text before any of them (e.g. edits read back).
    void replaceExactly(const std::vector<TextStorage::Replacement> &replacements);
    // Replaces each unit c of the range by map(c) as one step that keeps selection. Returns
    // false, and records nothing, when map changes nothing.
    bool mapCharacters(qsizetype position, qsizetype length, char16_t (*map)(char16_t),
                       TextSelection selection);

    // Between these every edit is part of one undo step. They nest.
    void beginUndoGroup(TextSelection before);
    void endUndoGroup(TextSelection after);
    // Typing after this starts a new undo step (the caret went elsewhere).
    void breakUndoMerge() { m_undo.breakMerge(); }

    bool canUndo() const { return m_undo.canUndo(); }
    bool canRedo() const { return m_undo.canRedo(); }
    // Each returns the selection to show afterwards, or nothing when there was no step.
    std::optional<TextSelection> undo();
    std::optional<TextSelection> redo();

    // Not modified when the undo history stands at its clean point.
    bool isModified() const { return !m_undo.isClean(); }
    void setModified(bool modified);
    quint64 revision() const { return m_revision; }

    TextAlignment alignment(qsizetype line) const { return m_storage.alignment(line); }
    // Display only: no undo step, no change of revision or modified flag.
    void setAlignment(qsizetype firstLine, qsizetype lastLine, TextAlignment alignment);

    // Display-only marks of search hits; they move with the text, and text inserted at their
    // edge is not marked.
    void addHighlight(qsizetype start, qsizetype length);
    void clearHighlights();
    const std::vector<Highlight> &highlights() const { return m_highlights; }

signals:
    void contentsChanged(const TextChange &change);
    // The same change in full, while it happens: positions in the text before it, and the
    // pieces that went in (valid only during the call).
    void replaced(const std::vector<TextStorage::Replacement> &replacements);
    // The whole text was replaced (reset() or setPlainText()).
    void documentReset();
    void modificationChanged(bool modified);
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    void alignmentChanged(qsizetype firstLine, qsizetype lastLine);
    void highlightsChanged();
    void byteSizeChanged(qint64 bytes);
    void formatChanged();

private:
    struct State
    {
        bool modified;
        bool canUndo;
        bool canRedo;
    };

    State state() const { return {isModified(), canUndo(), canRedo()}; }
    void announce(const State &before);
    TextEditOp makeOp(qsizetype position, qsizetype length, QStringView text) const;
    void apply(const TextBatch &batch, bool forward);
    void moveHighlights(const std::vector<TextStorage::Replacement> &replacements);
    qint64 unitBytes(qsizetype from, qsizetype to) const;
    qint64 bomBytes() const;

    TextStorage m_storage;
    TextFormat m_format;
    TextUndoStack m_undo;
    std::vector<Highlight> m_highlights;
    qint64 m_byteSize = 0;
    quint64 m_revision = 1;
};
