#include "pagedtextprinter.h"

#include "controls/textdocument.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

PagedTextPrinter::PagedTextPrinter(const TextDocument &document, const QFont &screenFont,
                                   int screenDpi)
    : m_document(document)
    , m_screenFont(screenFont)
    , m_screenDpi(screenDpi > 0 ? screenDpi : 96)
{ }

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
    m_deviceTabStop = m_tabStop > 0 ? m_tabStop * device->logicalDpiX() / m_screenDpi
                                    : 8 * QFontMetricsF(font, device).horizontalAdvance(u' ');
    for (qsizetype line = 0; line < m_document.lineCount(); ++line) {
        const qsizetype start = m_document.lineStart(line);
        const qsizetype end = m_document.lineEnd(line);
        QTextLayout layout(m_document.text(start, end - start), font, device);
        layOut(layout, line, width);
        const QList<QTextLayout::FormatRange> ranges =
                painter ? highlightsIn(start, end) : QList<QTextLayout::FormatRange>();
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

void PagedTextPrinter::layOut(QTextLayout &layout, qsizetype line, qreal width) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    switch (m_document.alignment(line)) {
    case TextAlignment::Left:
        option.setAlignment(Qt::AlignLeft);
        break;
    case TextAlignment::Right:
        option.setAlignment(Qt::AlignRight);
        break;
    case TextAlignment::Center:
        option.setAlignment(Qt::AlignHCenter);
        break;
    }
    option.setTabStopDistance(m_deviceTabStop);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine textLine = layout.createLine(); textLine.isValid();
         textLine = layout.createLine()) {
        textLine.setLineWidth(width);
        textLine.setPosition(QPointF(0, height));
        height += textLine.height();
    }
    layout.endLayout();
}

// The search marks that reach into the line start .. end, relative to its start.
QList<QTextLayout::FormatRange> PagedTextPrinter::highlightsIn(qsizetype start, qsizetype end)
{
    const std::vector<TextDocument::Highlight> &marks = m_document.highlights();
    QList<QTextLayout::FormatRange> ranges;
    while (m_firstHighlight < marks.size()
           && marks[m_firstHighlight].start + marks[m_firstHighlight].length <= start)
        ++m_firstHighlight;
    QTextCharFormat format;
    format.setForeground(m_highlightColor);
    for (size_t i = m_firstHighlight; i < marks.size() && marks[i].start < end; ++i) {
        const qsizetype from = std::max(marks[i].start, start);
        const qsizetype to = std::min(marks[i].start + marks[i].length, end);
        if (from < to)
            ranges.append({int(from - start), int(to - from), format});
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
