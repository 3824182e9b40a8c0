#pragma once

#include "controls/textformat.h"
#include "controls/textselection.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QTimer>

#include <memory>
#include <optional>

class FontProperties;
class LongLineIndex;
class TextCaretMover;
class TextDocument;
class TextDropHandler;
class TextInputMethodHandler;
class TextKeyHandler;
class TextLayoutCache;
class TextMouseHandler;
class TextViewGeometry;
class TextViewPainter;
class TextViewScroller;
struct TextChange;
enum class TextEditKind;

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
    // The colour of search marks: unless set, SearchHitColor of the palette's text background.
    QColor hitColor() const;
    void setHitColor(const QColor &color);
    // While read-only (e.g. a file still loading) the text cannot be changed.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);

    // Scrolls so that the caret is in view.
    void ensureCaretVisible();

    // The caret's rectangle in the viewport; empty when its row is not on screen.
    QRect caretRect() const;
    // The offset under a point of the viewport.
    qsizetype offsetAt(const QPoint &viewportPoint) const;
    // Where the character at offset is drawn in the viewport; empty when not on screen.
    QRect characterRect(qsizetype offset) const;
    // Units laid out since the view was made: a long line is laid out only where it is seen.
    qint64 laidOutUnits() const;

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The caret or the selection moved (also after an edit).
    void selectionChanged();
    void copyAvailable(bool available);
    void overwriteModeChanged(bool on);
    // A key was released or a mouse button pressed in the text.
    void userInteracted();
    void focusReceived();
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void timerEvent(QTimerEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    friend class TextDropHandler;
    friend class TextInputMethodHandler;
    friend class TextKeyHandler;
    friend class TextMouseHandler;
    friend class TextViewAccessible;

    // Why the selection moves: only typing keeps the undo step open.
    enum class Move { Edit, User, Program };

    void restyle();
    void documentWasReset();
    void documentChanged(const TextChange &change);
    void applySelection(TextSelection selection, Move why);
    // A move by the user: the caret goes to offset, the anchor stays when extending.
    void moveCaret(qsizetype offset, bool extend);
    // Replaces [position, position + length) with text as one undo step of kind.
    void edit(qsizetype position, qsizetype length, const QString &text, TextEditKind kind);
    // Types text as the keyboard does: over the selection, or in overwrite mode over what
    // follows the caret.
    void type(const QString &text);
    void removeRange(qsizetype from, qsizetype to, TextEditKind kind);
    void pasteText(const QString &text);
    void scrollRows(int rows);
    void scrollToOffset(qsizetype offset);
    void restartBlink();
    void updateCaret();
    qreal goalX();
    QRectF caretRectF() const;

    TextDocument *m_document;
    FontProperties *m_fontProperties = nullptr;
    TextSelection m_selection;
    // Unless set, the blue of the palette's text background: pure on light ones.
    std::optional<QColor> m_hitColor;
    bool m_overwrite = false;
    bool m_wordWrap = true;
    bool m_readOnly = false;

    std::unique_ptr<LongLineIndex> m_index;
    std::unique_ptr<TextLayoutCache> m_cache;
    std::unique_ptr<TextViewGeometry> m_geometry;
    std::unique_ptr<TextViewPainter> m_painter;
    std::unique_ptr<TextCaretMover> m_mover;
    std::unique_ptr<TextKeyHandler> m_keys;
    std::unique_ptr<TextMouseHandler> m_mouse;
    std::unique_ptr<TextDropHandler> m_drops;
    std::unique_ptr<TextInputMethodHandler> m_input;
    std::unique_ptr<TextViewScroller> m_scroller;
    QBasicTimer m_blink;
    bool m_caretOn = true;
    // The x that moves up and down keep, while they follow each other.
    std::optional<qreal> m_goalX;
    int m_preeditCursor = 0;
    QTimer m_primaryTimer;
};
