#pragma once

#include <QAccessibleWidget>

class TextView;
struct TextChange;

// What screen readers see of a text view: an editable, multi-line text whose characters,
// words, rows and lines, caret, selection and character positions they can read, and which
// they can edit, through Qt's accessible text and editable-text interfaces.
class TextViewAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit TextViewAccessible(TextView *view);

    // Registers the factory that gives every TextView this interface; once is enough.
    static void install();

    // What a view tells readers: a change of its text, a move of its caret or selection, a
    // new text, a change of its read-only state.
    static void announceChange(TextView *view, const TextChange &change);
    static void announceCaret(TextView *view);
    static void announceReset(TextView *view);
    static void announceReadOnly(TextView *view);
    // Receives the announcements instead of the platform's bridge, e.g. in tests where none
    // is active; nullptr gives them back to the bridge.
    static void setListener(QAccessible::UpdateHandler listener);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int *startOffset, int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int *startOffset, int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    static bool listened();
    static void send(QAccessibleEvent *event);
    TextView *view() const;
    // The range of the unit of boundaryType that holds offset.
    std::pair<qsizetype, qsizetype> rangeAt(qsizetype offset,
                                            QAccessible::TextBoundaryType boundaryType) const;
    QString textOf(std::pair<qsizetype, qsizetype> range, int *startOffset, int *endOffset) const;
};
