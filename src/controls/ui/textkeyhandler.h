#pragma once

#include "controls/textundostack.h"

#include <QKeySequence>

class QKeyEvent;
class TextView;

// The keyboard of a text view: every standard key that moves or selects (QKeySequence's
// bindings of the platform), the editing keys, the clipboard keys with their Insert and
// Delete forms, Insert for overwrite mode, Tab as text, and typed characters.
class TextKeyHandler
{
public:
    explicit TextKeyHandler(TextView *view);

    // Whether the view takes event itself, before any shortcut of the window.
    bool wantsShortcut(const QKeyEvent *event) const;
    // Handles event; false when the key is not the view's.
    bool handle(QKeyEvent *event);

private:
    enum class Op {
        Right,
        Left,
        WordRight,
        WordLeft,
        Down,
        Up,
        PageDown,
        PageUp,
        RowStart,
        RowEnd,
        LineStart,
        LineEnd,
        DocumentStart,
        DocumentEnd,
    };
    struct MoveKey
    {
        QKeySequence::StandardKey key;
        Op op;
        bool select;
    };

    static const MoveKey *moveFor(const QKeyEvent *event);
    static bool isTyped(const QKeyEvent *event);
    bool editKey(const QKeyEvent *event);
    void move(Op op, bool select);
    qsizetype target(Op op, qsizetype caret);
    void deleteBy(qsizetype to, TextEditKind kind);
    void deleteLine();

    TextView *m_view;
};
