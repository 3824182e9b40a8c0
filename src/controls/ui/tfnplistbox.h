#pragma once

#include "controls/tfnpcols.h"

#include <QListWidget>
#include <QStyle>

#include <functional>

// A list whose rows are split into cells by a delimiter and painted side by side in columns of
// set widths and alignments. Rows can be reordered by dragging or with Ctrl+Up and Ctrl+Down
// when Rearrange is on.
class TFnpListBox : public QListWidget
{
    Q_OBJECT

public:
    enum TlbStyle { lbsItemHeightFixed, lbsItemHeightVariable };
    Q_ENUM(TlbStyle)

    // Paints cell `col` of row `row` of an owner-drawn column.
    using DrawCellHandler = std::function<void(QPainter *painter, int row, int col,
                                               const QRect &rect, QStyle::State state)>;
    // Sets the height of a row in variable-height mode; starts at ItemHeight.
    using MeasureItemHandler = std::function<void(int row, int &height)>;

    explicit TFnpListBox(QWidget *parent = nullptr);

    TFnpCols *Cols() const { return m_cols; }
    QChar DelimChar() const { return m_delimiter; }
    void setDelimChar(QChar delimiter);
    TlbStyle LBStyle() const { return m_style; }
    void setLBStyle(TlbStyle style);
    bool HScrollBar() const { return m_hScrollBar; }
    void setHScrollBar(bool on);
    bool Rearrange() const { return m_rearrange; }
    void setRearrange(bool on) { m_rearrange = on; }
    // Gap between columns, 1 to 9 pixels; other values are ignored.
    int Spacing() const { return m_spacing; }
    void setSpacing(int spacing);
    bool FocusDrag() const { return m_focusDrag; }
    void setFocusDrag(bool on);
    int ItemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);
    static QString Version() { return QStringLiteral("2.00.00"); }

    DrawCellHandler OnDrawCell;
    MeasureItemHandler OnMeasureItem;

    // Cell n (from 1) of a row's text.
    QString cellText(int row, int n) const;
    int horizontalExtent() const;
    int rowHeight(int row) const;
    // The row the reordering marker is on, or -1 when none shows.
    int markerRow() const { return m_markerRow; }

Q_SIGNALS:
    void rearranged(int from, int to);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void layoutChanged();
    void moveRow(int from, int to);
    void setMarker(int row);
    int rowAt(const QPoint &pos) const;

    TFnpCols *m_cols;
    QChar m_delimiter = QLatin1Char('\t');
    TlbStyle m_style = lbsItemHeightFixed;
    bool m_hScrollBar = false;
    bool m_rearrange = false;
    int m_spacing = 2;
    bool m_focusDrag = false;
    int m_itemHeight = 13;

    int m_dragSource = -1;
    bool m_dragging = false;
    QPoint m_pressPos;
    int m_markerRow = -1;
};
