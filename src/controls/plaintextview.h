#pragma once

#include <QPlainTextEdit>

// The Qt text widget beneath PlainEditControl, and only its own: Insert toggles overwrite mode,
// Shift+Return breaks the line like Return (the text holds no other kind of break), and each
// paragraph is shown with its own alignment.
class PlainTextView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit PlainTextView(QWidget *parent = nullptr);

signals:
    void overwriteToggled(bool on);
    void userInteracted();
    void focusReceived();
    void contextMenuRequested(const QPoint &globalPos);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void applyVisibleAlignments();
};
