#include "pagedtextprinter.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

PagedTextPrinter::PagedTextPrinter(const QTextDocument &document, const QFont &screenFont,
                                   int screenDpi)
    : m_document(document)
    , m_screenFont(screenFont)
    , m_screenDpi(screenDpi > 0 ? screenDpi : 96)
{ }

void PagedTextPrinter::setHighlights(QList<Highlight> highlights)
{
    std::sort(highlights.begin(), highlights.end(),
              [](const Highlight &a, const Highlight &b) { return a.start < b.start; });
    m_highlights = std::move(highlights);
}

// The printed text keeps the size it has on screen: a size in pixels becomes the same size in
// points, or it would shrink to a speck at the printer's resolution.
QFont PagedTextPrinter::deviceFont(const QPagedPaintDevice *device) const
{
    QFont font = m_screenFont;
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / m_screenDpi);
    return QFont(font, device);
}

bool PagedTextPrinter::print(QPagedPaintDevice *device)
{
    m_pages = 0;
    m_ranges = device->pageRanges();
    // A range that misses every page starts no job at all.
    if (!m_ranges.isEmpty() && !rangeHolds(run(nullptr, device)))
        return true;
    QPainter painter;
    if (!painter.begin(device))
        return false;
    painter.setPen(m_color);
    const bool printed = run(&painter, device) > 0;
    return painter.end() && printed;
}

// Lays the text out page by page, drawing the pages asked for when there is a painter; returns
// the number of pages the text fills, 0 when the device failed.
int PagedTextPrinter::run(QPainter *painter, QPagedPaintDevice *device)
{
    m_page = 1;
    m_outputPage = 0;
    m_y = 0;
    m_firstHighlight = 0;
    const QFont font = deviceFont(device);
    const qreal width = device->width();
    m_deviceTabStop = m_tabStop * device->logicalDpiX() / m_screenDpi;
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), font, device);
        layOut(layout, block, width);
        const QList<QTextLayout::FormatRange> ranges =
                painter ? highlightsIn(block) : QList<QTextLayout::FormatRange>();
        if (!printLayout(painter, device, layout, ranges))
            return 0;
    }
    return m_page;
}

bool PagedTextPrinter::wanted(int page) const
{
    return m_ranges.isEmpty() || m_ranges.contains(page);
}

bool PagedTextPrinter::rangeHolds(int pageCount) const
{
    for (int page = 1; page <= pageCount; ++page) {
        if (wanted(page))
            return true;
    }
    return false;
}

// The device's next sheet, for the first line drawn on a page that is printed.
bool PagedTextPrinter::enterOutputPage(QPagedPaintDevice *device)
{
    if (m_outputPage == m_page)
        return true;
    if (m_pages > 0 && !device->newPage())
        return false;
    ++m_pages;
    m_outputPage = m_page;
    return true;
}

void PagedTextPrinter::layOut(QTextLayout &layout, const QTextBlock &block, qreal width) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    option.setAlignment(alignment ? alignment : Qt::AlignLeft);
    if (m_deviceTabStop > 0)
        option.setTabStopDistance(m_deviceTabStop);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
}

// The coloured ranges that reach into block, relative to its start.
QList<QTextLayout::FormatRange> PagedTextPrinter::highlightsIn(const QTextBlock &block)
{
    QList<QTextLayout::FormatRange> ranges;
    const qsizetype begin = block.position();
    const qsizetype end = begin + block.length();
    while (m_firstHighlight < m_highlights.size()
           && m_highlights[m_firstHighlight].start + m_highlights[m_firstHighlight].length <= begin)
        ++m_firstHighlight;
    for (qsizetype i = m_firstHighlight; i < m_highlights.size(); ++i) {
        const Highlight &highlight = m_highlights[i];
        if (highlight.start >= end)
            break;
        const qsizetype from = std::max(highlight.start, begin);
        const qsizetype to = std::min(highlight.start + highlight.length, end);
        if (from < to)
            ranges.append({int(from - begin), int(to - from), highlight.format});
    }
    return ranges;
}

// Draws the lines of one paragraph, going on to a new page wherever the next line would not fit.
bool PagedTextPrinter::printLayout(QPainter *painter, QPagedPaintDevice *device,
                                   const QTextLayout &layout,
                                   const QList<QTextLayout::FormatRange> &ranges)
{
    const qreal pageHeight = device->height();
    int first = 0;
    while (first < layout.lineCount()) {
        const qreal top = layout.lineAt(first).y();
        int last = first;
        while (last < layout.lineCount()
               && m_y + layout.lineAt(last).rect().bottom() - top <= pageHeight)
            ++last;
        if (last == first) {
            if (m_y > 0) {
                ++m_page;
                m_y = 0;
                continue;
            }
            last = first + 1; // a line taller than the page prints cut off
        }
        const qreal bottom = layout.lineAt(last - 1).rect().bottom();
        if (painter && wanted(m_page)) {
            if (!enterOutputPage(device))
                return false;
            // The clip picks this page's lines only: those above or below lie outside it.
            const QRectF clip(0, m_y + 0.25, device->width(), bottom - top - 0.5);
            layout.draw(painter, QPointF(0, m_y - top), ranges, clip);
        }
        m_y += bottom - top;
        first = last;
    }
    return true;
}
