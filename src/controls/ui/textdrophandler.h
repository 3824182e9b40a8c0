#pragma once

#include "controls/textselection.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class TextView;

// Text drag and drop for a text view: the selection can be dragged out (moved, or copied with
// Ctrl), text dropped from elsewhere is inserted where it falls, and a drag within the view
// moves the text as one undo step. Drops that carry links but no text, such as files from a
// file manager, are left to the parent window.
class TextDropHandler
{
public:
    explicit TextDropHandler(TextView *view);

    void startDrag();
    void enter(QDragEnterEvent *event);
    void move(QDragMoveEvent *event);
    void leave();
    void drop(QDropEvent *event);
    // Where a drop would go, or -1.
    qsizetype dropCaret() const { return m_dropCaret; }

private:
    bool accepts(const QMimeData *data) const;
    bool fromHere(const QDropEvent *event) const;
    void showDropCaret(qsizetype offset);

    TextView *m_view;
    qsizetype m_dropCaret = -1;
    bool m_dragging = false;
    bool m_droppedHere = false;
    TextSelection m_dragged;
};
