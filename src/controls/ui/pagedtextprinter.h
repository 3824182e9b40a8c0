#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPageRanges>
#include <QTextLayout>

class QPagedPaintDevice;
class QPainter;
class TextDocument;

// Prints a plain-text document onto a paged device, one page at a time: each paragraph is laid
// out over the printable width with its own alignment and wrapped where the words allow, and a
// new page starts where the next line no longer fits. Every page is drawn in its own
// coordinates, so a text of any length prints.
class PagedTextPrinter
{
public:
    // screenFont is as the view shows it on a screen of screenDpi.
    PagedTextPrinter(const TextDocument &document, const QFont &screenFont, int screenDpi);

    void setTextColor(const QColor &color) { m_color = color; }
    // The colour the document's search marks print in.
    void setHighlightColor(const QColor &color) { m_highlightColor = color; }
    // In screen pixels; 0 means eight blanks.
    void setTabStopDistance(qreal screenPixels) { m_tabStop = screenPixels; }

    // Prints the whole text, or the pages of the device's page ranges; false when the device
    // refused to start, to take a new page or to finish. An empty text prints one blank page;
    // ranges that hold none of the text's pages print nothing (and pageCount() is 0).
    bool print(QPagedPaintDevice *device);
    // Pages printed by the last print().
    int pageCount() const { return m_pages; }

private:
    QFont deviceFont(const QPagedPaintDevice *device) const;
    void layOut(QTextLayout &layout, qsizetype line, qreal width) const;
    QList<QTextLayout::FormatRange> highlightsIn(qsizetype start, qsizetype end);
    int run(QPainter *painter, QPagedPaintDevice *device);
    bool wanted(int page) const;
    bool rangeHolds(int pageCount) const;
    bool enterOutputPage(QPagedPaintDevice *device);
    bool printLayout(QPainter *painter, QPagedPaintDevice *device, const QTextLayout &layout,
                     const QList<QTextLayout::FormatRange> &ranges);

    const TextDocument &m_document;
    QFont m_screenFont;
    int m_screenDpi;
    QColor m_color = Qt::black;
    QColor m_highlightColor = QColor(0, 0, 255);
    qreal m_tabStop = 0;
    qreal m_deviceTabStop = 0;
    size_t m_firstHighlight = 0;
    QPageRanges m_ranges;
    qreal m_y = 0;
    int m_page = 1;       // the page being laid out, from 1
    int m_outputPage = 0; // the page the device's current sheet holds, 0 before the first
    int m_pages = 0;
};
