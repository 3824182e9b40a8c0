#pragma once

#include "controls/textformat.h"
#include "controls/textselection.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

class FontProperties;
class TextDocument;

// A view of our own over a TextDocument: it lays out only the lines on screen (QTextLayout per
// line, a long line only the stretch in view), draws the caret, the selection, the search
// marks in hitColor() and each line's alignment, and edits the document through the keys,
// the mouse, the clipboard, the X11 primary selection, drag and drop and input methods.
// Screen readers read it through Qt's accessible text interfaces.
class TextView : public QAbstractScrollArea
{
    Q_OBJECT
    // The font as the stored settings see it ("mmoMemo.Font").
    Q_PROPERTY(QObject *Font READ fontProperties)

public:
    explicit TextView(TextDocument *document, QWidget *parent = nullptr);
    ~TextView() override;

    TextDocument *document() const { return m_document; }
    QObject *fontProperties() const;

    TextSelection selection() const { return m_selection; }
    // Sets the selection (clamped to the text) and scrolls the caret into view.
    void setSelection(TextSelection selection);
    // The selection as start and length: the caret ends at start + length.
    void setSelection(qsizetype start, qsizetype length);
    qsizetype selectionStart() const { return m_selection.start(); }
    qsizetype selectionLength() const { return m_selection.length(); }
    QString selectedText() const;
    void selectAll();

    // Replaces the selection (inserts at the caret when nothing is selected) as one undo step.
    void replaceSelection(const QString &text);
    void cut();
    void copy();
    // Pastes the clipboard's plain text as one undo step; an empty or ownerless clipboard
    // pastes nothing.
    void paste();
    // Deletes the selection without touching the clipboard.
    void deleteSelection();
    void undo();
    void redo();

    bool overwriteMode() const { return m_overwrite; }
    void setOverwriteMode(bool on);
    bool wordWrap() const { return m_wordWrap; }
    // Wrapped text shows a vertical scroll bar only; unwrapped text both scroll bars.
    void setWordWrap(bool on);
    QFont textFont() const;
    void setTextFont(const QFont &font);
    // The colour of search marks; (0, 0, 255) unless set.
    QColor hitColor() const { return m_hitColor; }
    void setHitColor(const QColor &color);
    // While read-only (e.g. a file still loading) the text cannot be changed.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);

    // Scrolls so that the caret is in view.
    void ensureCaretVisible();

signals:
    // The caret or the selection moved (also after an edit).
    void selectionChanged();
    void copyAvailable(bool available);
    void overwriteModeChanged(bool on);
    // A key was released or a mouse button pressed in the text.
    void userInteracted();
    void focusReceived();
    void contextMenuRequested(const QPoint &globalPos);

private:
    TextDocument *m_document;
    FontProperties *m_fontProperties = nullptr;
    TextSelection m_selection;
    QColor m_hitColor{0, 0, 255};
    bool m_overwrite = false;
    bool m_wordWrap = true;
    bool m_readOnly = false;
};
