#include "plaintextview.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

PlainTextView::PlainTextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(false);
    // The selection stays visible while another window has the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
}

void PlainTextView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!overwriteMode());
        emit overwriteToggled(overwriteMode());
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & Qt::ShiftModifier) && !isReadOnly()) {
        // Qt would insert a line separator, which no text file holds as a line break.
        textCursor().insertText(QStringLiteral("\n"));
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PlainTextView::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    emit userInteracted();
}

void PlainTextView::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    emit userInteracted();
}

void PlainTextView::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    emit focusReceived();
}

void PlainTextView::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

// Files dragged from the file manager are for the frame to open, not text to insert: the
// event goes on to the parent widgets.
void PlainTextView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void PlainTextView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void PlainTextView::dropEvent(QDropEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

void PlainTextView::paintEvent(QPaintEvent *event)
{
    applyVisibleAlignments();
    QPlainTextEdit::paintEvent(event);
}

// The plain-text layout lays every paragraph out with the document's default option; the
// alignment of a laid-out line is applied when it is drawn, so setting each visible paragraph's
// option here shows its alignment without a second layout.
void PlainTextView::applyVisibleAlignments()
{
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        Qt::Alignment wanted = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (!wanted)
            wanted = Qt::AlignLeft;
        QTextLayout *layout = block.layout();
        if (layout && (layout->textOption().alignment() & Qt::AlignHorizontal_Mask) != wanted) {
            QTextOption option = layout->textOption();
            option.setAlignment(wanted);
            layout->setTextOption(option);
        }
        if (blockBoundingGeometry(block).translated(contentOffset()).top() > bottom)
            break;
    }
}
