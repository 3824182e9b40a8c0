#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class FontProperties;

class QPagedPaintDevice;

// The edit control every Workspace command talks to. Offsets and lengths count characters of
// the plain text, one per line break. Implementations keep their Qt widget to themselves, so a
// faster control can replace one without changing its users.
class EditControl : public QWidget
{
    Q_OBJECT
    // The font as the stored settings see it ("mmoMemo.Font").
    Q_PROPERTY(QObject *Font READ fontProperties)

public:
    enum class Alignment { Left = 0, Right = 1, Center = 2 };

    explicit EditControl(QWidget *parent = nullptr);

    QObject *fontProperties() const;

    // Replaces the text, puts the caret at 0, clears the modified flag and the undo history.
    // Large texts go in without blocking: loading() stays true and loadProgress() reports until
    // loadFinished(). The text is unavailable (empty, read-only) while it loads.
    virtual void loadPlainText(QString text) = 0;
    virtual bool loading() const = 0;
    virtual QString plainText() const = 0;
    // O(1): cheap enough for every keystroke.
    virtual qsizetype textLength() const = 0;

    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionLength() const = 0;
    virtual QString selectedText() const = 0;
    virtual void setSelection(qsizetype start, qsizetype length) = 0;
    virtual void selectAll() = 0;
    // Replaces the selection (inserts at the caret when nothing is selected), as one undo step.
    virtual void replaceSelection(const QString &text) = 0;
    // Replaces the length characters at each of starts (ascending, apart) with text, whatever
    // is selected, as one undo step; undoing it brings back the selection there was before.
    virtual void replaceRanges(const QList<qsizetype> &starts, qsizetype length,
                               const QString &text) = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    // Deletes the selection without touching the clipboard.
    virtual void deleteSelection() = 0;
    virtual bool canPaste() const = 0;
    // Replaces each character of the range by map(c), as one undo step. Line breaks and the
    // paragraphs' alignment stay, and so does the selection; nothing changes (no undo step, no
    // modified flag) when map leaves every character as it is.
    virtual void mapCharacters(qsizetype start, qsizetype length, char16_t (*map)(char16_t)) = 0;

    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;

    // Line numbers count from 0; both are O(log n).
    virtual qsizetype lineOfOffset(qsizetype offset) const = 0;
    virtual qsizetype lineStart(qsizetype line) const = 0;

    // Paragraph alignment is for display only; it is never part of the text.
    virtual Alignment paragraphAlignment(qsizetype offset) const = 0;
    virtual void setParagraphAlignment(qsizetype start, qsizetype length, Alignment alignment) = 0;

    // Display-only colouring of a range: no modified flag, no undo step, not inherited by what
    // is typed next. Cleared by clearHighlight() or by loading a new text.
    virtual void setHighlight(qsizetype start, qsizetype length, const QColor &foreground,
                              const QColor &background) = 0;
    virtual void clearHighlight() = 0;

    virtual bool overwriteMode() const = 0;
    virtual void setOverwriteMode(bool on) = 0;
    virtual bool wordWrap() const = 0;
    // Wrapped text shows a vertical scroll bar only; unwrapped text both scroll bars.
    virtual void setWordWrap(bool on) = 0;
    virtual QFont textFont() const = 0;
    virtual void setTextFont(const QFont &font) = 0;

    // Prints the whole text onto the device's pages in the control's font, colour and
    // alignments, wrapped at the page width. Returns the number of pages, 0 when the device
    // refused to start, to take a new page or to finish.
    virtual int print(QPagedPaintDevice *device) const = 0;

private:
    FontProperties *m_fontProperties;

signals:
    void textChanged();
    void caretMoved();
    void modifiedChanged(bool modified);
    void overwriteModeChanged(bool on);
    void loadProgress(int percent);
    void loadFinished();
    // A key was released or a mouse button pressed in the text.
    void userInteracted();
    void focusReceived();
    void contextMenuRequested(const QPoint &globalPos);
};
