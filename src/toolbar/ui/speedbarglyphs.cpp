#include "speedbarglyphs.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <functional>

namespace {

// Fills that keep their meaning and contrast on a light or a dark bar; paper is the palette's.
const QColor kWhite(0xfb, 0xfb, 0xf7);
const QColor kBlue(0x3b, 0x7d, 0xd8);
const QColor kGreen(0x3a, 0x9a, 0x4a);
const QColor kRed(0xd6, 0x3c, 0x3c);
const QColor kYellow(0xf0, 0xb8, 0x30);
const QColor kGray(0x9a, 0xa0, 0xa8);

// Draws on a 32 x 32 grid; the painter is scaled to the size asked for.
struct Pen
{
    QPainter &p;
    QColor ink;   // outlines and marks, on the bar and on paper
    QColor paper; // sheets, windows and faces: the palette's text background

    void outline(qreal width = 1.6)
    {
        p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void fill(const QColor &color) { p.setBrush(color); }
    void noFill() { p.setBrush(Qt::NoBrush); }
    void line(qreal x1, qreal y1, qreal x2, qreal y2) { p.drawLine(QLineF(x1, y1, x2, y2)); }
    void stroke(const QColor &color, qreal width)
    {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
};

using Glyph = std::function<void(Pen &)>;

// A sheet of paper with a folded top-right corner.
void page(Pen &g, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 6, y);
    path.lineTo(x + w, y + 6);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    g.outline();
    g.fill(g.paper);
    g.p.drawPath(path);
    g.noFill();
    g.p.drawPolyline(
            QPolygonF({QPointF(x + w - 6, y), QPointF(x + w - 6, y + 6), QPointF(x + w, y + 6)}));
}

void textLines(Pen &g, qreal x, qreal y, qreal w, int count, qreal step = 4)
{
    g.stroke(kGray, 1.6);
    for (int i = 0; i < count; ++i)
        g.line(x, y + i * step, x + w, y + i * step);
}

void window(Pen &g, qreal x, qreal y, qreal w, qreal h)
{
    g.outline();
    g.fill(g.paper);
    g.p.drawRect(QRectF(x, y, w, h));
    g.fill(kBlue);
    g.p.drawRect(QRectF(x, y, w, 4));
}

void printer(Pen &g)
{
    g.outline();
    g.fill(g.paper);
    g.p.drawRect(QRectF(9, 3, 14, 10));
    g.fill(kGray);
    g.p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    g.fill(g.paper);
    g.p.drawRect(QRectF(9, 19, 14, 10));
    textLines(g, 12, 23, 8, 2, 3);
    g.p.setPen(Qt::NoPen);
    g.fill(kGreen);
    g.p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

void magnifier(Pen &g, qreal x, qreal y, qreal r)
{
    g.outline(2.2);
    g.fill(QColor(kBlue.red(), kBlue.green(), kBlue.blue(), 70));
    g.p.drawEllipse(QPointF(x, y), r, r);
    g.stroke(g.ink, 3.4);
    g.line(x + r * 0.72, y + r * 0.72, x + r * 1.75, y + r * 1.75);
}

void arrow(Pen &g, const QColor &color, QPointF from, QPointF to)
{
    g.stroke(color, 2.4);
    g.line(from.x(), from.y(), to.x(), to.y());
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    g.p.drawPolyline(QPolygonF({to - d * 4 + n * 4, to, to - d * 4 - n * 4}));
}

void book(Pen &g, qreal x, qreal y)
{
    g.outline();
    g.fill(kBlue);
    g.p.drawRoundedRect(QRectF(x, y, 18, 24), 1.5, 1.5);
    g.fill(g.paper);
    g.p.drawRect(QRectF(x + 3, y + 20, 15, 4));
    g.stroke(kWhite, 1.6);
    g.line(x + 6, y + 6, x + 14, y + 6);
}

void badge(Pen &g, const QColor &color, const QString &text, qreal size)
{
    g.outline();
    g.fill(color);
    g.p.drawEllipse(QPointF(16, 16), 13, 13);
    QFont font = QGuiApplication::font();
    font.setBold(true);
    font.setPixelSize(int(size));
    g.p.setFont(font);
    g.p.setPen(kWhite);
    g.p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, text);
}

void alignedLines(Pen &g, Qt::Alignment align)
{
    g.stroke(g.ink, 2.4);
    const qreal widths[] = {24, 16, 22, 12, 20};
    for (int i = 0; i < 5; ++i) {
        const qreal w = widths[i];
        const qreal x = align == Qt::AlignLeft ? 4 : align == Qt::AlignRight ? 28 - w : 16 - w / 2;
        g.line(x, 6 + i * 5, x + w, 6 + i * 5);
    }
}

void floppy(Pen &g)
{
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    g.outline();
    g.fill(kBlue);
    g.p.drawPath(body);
    g.fill(g.paper);
    g.p.drawRect(QRectF(9, 4, 13, 9));
    g.fill(kGray);
    g.p.drawRect(QRectF(17, 6, 3, 5));
    g.fill(g.paper);
    g.p.drawRect(QRectF(8, 17, 16, 11));
    textLines(g, 11, 21, 10, 2, 3.5);
}

void star(Pen &g, QPointF centre, qreal outer)
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? outer * 0.45 : outer;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        points.append(centre + QPointF(std::cos(angle), std::sin(angle)) * radius);
    }
    g.outline(1.2);
    g.fill(kYellow);
    g.p.drawPolygon(points);
}

void fileGlyphs(QMap<QString, Glyph> &m)
{
    m["New"] = [](Pen &g) {
        page(g, 5, 3, 20, 26);
        star(g, QPointF(23, 9), 7);
    };
    m["Open"] = [](Pen &g) {
        g.outline();
        g.fill(kYellow.darker(115));
        g.p.drawPolygon(QPolygonF({QPointF(3, 7), QPointF(11, 7), QPointF(13, 10), QPointF(25, 10),
                                   QPointF(25, 27), QPointF(3, 27)}));
        g.fill(kYellow);
        g.p.drawPolygon(
                QPolygonF({QPointF(3, 27), QPointF(8, 15), QPointF(30, 15), QPointF(25, 27)}));
    };
    m["PrintSetup"] = [](Pen &g) {
        printer(g);
        g.outline(1.2);
        g.fill(kYellow);
        g.p.drawEllipse(QPointF(26, 26), 5, 5);
        g.fill(g.paper);
        g.p.drawEllipse(QPointF(26, 26), 1.8, 1.8);
    };
    m["Print"] = [](Pen &g) {
        printer(g);
    };
    m["Exit"] = [](Pen &g) {
        g.outline();
        g.fill(kYellow.darker(130));
        g.p.drawRect(QRectF(5, 3, 14, 26));
        g.fill(g.paper);
        g.p.drawEllipse(QPointF(16, 16), 1.2, 1.2);
        arrow(g, kRed, QPointF(15, 16), QPointF(29, 16));
    };
    m["Save"] = [](Pen &g) {
        floppy(g);
    };
    m["SaveAs"] = [](Pen &g) {
        floppy(g);
        g.outline(1.2);
        g.fill(kYellow);
        g.p.drawPolygon(QPolygonF({QPointF(30, 14), QPointF(32, 16), QPointF(20, 28),
                                   QPointF(17, 29), QPointF(18, 26)}));
    };
    m["Close"] = [](Pen &g) {
        window(g, 3, 4, 26, 22);
        g.stroke(kRed, 3.2);
        g.line(11, 13, 21, 23);
        g.line(21, 13, 11, 23);
    };
}

void windowGlyphs(QMap<QString, Glyph> &m)
{
    m["Cascade"] = [](Pen &g) {
        window(g, 3, 3, 18, 14);
        window(g, 8, 9, 18, 14);
        window(g, 13, 15, 17, 14);
    };
    m["Tile"] = [](Pen &g) {
        window(g, 3, 3, 12, 12);
        window(g, 17, 3, 12, 12);
        window(g, 3, 17, 12, 12);
        window(g, 17, 17, 12, 12);
    };
    m["Arrange"] = [](Pen &g) {
        g.outline();
        g.fill(g.paper);
        g.p.drawRect(QRectF(3, 3, 26, 26));
        g.fill(kBlue);
        for (int i = 0; i < 3; ++i)
            g.p.drawRect(QRectF(5 + i * 8, 22, 6, 4));
    };
    m["Options"] = [](Pen &g) {
        for (int i = 0; i < 3; ++i) {
            const qreal y = 7 + i * 9;
            const qreal knob = i == 1 ? 21 : i == 0 ? 10 : 15;
            g.stroke(g.ink, 2.2);
            g.line(4, y, 28, y);
            g.outline(1.4);
            g.fill(i == 1 ? kGreen : kBlue);
            g.p.drawRoundedRect(QRectF(knob - 3, y - 4, 6, 8), 1.5, 1.5);
        }
    };
}

void helpGlyphs(QMap<QString, Glyph> &m)
{
    m["About"] = [](Pen &g) {
        badge(g, kBlue, QStringLiteral("i"), 20);
    };
    m["HowToUseHelp"] = [](Pen &g) {
        badge(g, kGreen, QStringLiteral("?"), 20);
    };
    m["Contents"] = [](Pen &g) {
        book(g, 7, 4);
    };
    m["SearchHelp"] = [](Pen &g) {
        book(g, 3, 3);
        magnifier(g, 20, 19, 6);
    };
    m["WhatsNew"] = [](Pen &g) {
        page(g, 4, 3, 20, 26);
        textLines(g, 8, 12, 12, 4);
        star(g, QPointF(23, 23), 8);
    };
}

void editGlyphs(QMap<QString, Glyph> &m)
{
    m["Cut"] = [](Pen &g) {
        g.stroke(g.ink, 2);
        g.line(10, 3, 20, 21);
        g.line(22, 3, 12, 21);
        g.outline(2.2);
        g.fill(kRed);
        g.p.drawEllipse(QPointF(9, 24), 4.5, 4.5);
        g.p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
    };
    m["Copy"] = [](Pen &g) {
        page(g, 3, 3, 16, 20);
        page(g, 12, 9, 16, 20);
        textLines(g, 15, 18, 9, 3);
    };
    m["Paste"] = [](Pen &g) {
        g.outline();
        g.fill(kYellow.darker(120));
        g.p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
        g.fill(kGray);
        g.p.drawRoundedRect(QRectF(9, 2, 10, 6), 1.5, 1.5);
        page(g, 13, 12, 15, 18);
        textLines(g, 16, 20, 8, 2);
    };
    m["Delete"] = [](Pen &g) {
        page(g, 4, 3, 20, 26);
        textLines(g, 8, 10, 12, 4);
        g.stroke(kRed, 3.6);
        g.line(16, 16, 28, 28);
        g.line(28, 16, 16, 28);
    };
    m["SelectAll"] = [](Pen &g) {
        g.fill(QColor(kBlue.red(), kBlue.green(), kBlue.blue(), 90));
        g.p.setPen(QPen(g.ink, 1.4, Qt::DashLine));
        g.p.drawRect(QRectF(3, 3, 26, 26));
        g.stroke(g.ink, 2);
        for (int i = 0; i < 4; ++i)
            g.line(7, 9 + i * 5, i == 3 ? 18 : 25, 9 + i * 5);
    };
    m["DateTime"] = [](Pen &g) {
        g.outline();
        g.fill(g.paper);
        g.p.drawRect(QRectF(3, 5, 24, 22));
        g.fill(kRed);
        g.p.drawRect(QRectF(3, 5, 24, 6));
        g.stroke(g.ink, 2);
        g.line(9, 3, 9, 7);
        g.line(21, 3, 21, 7);
        g.outline(1.4);
        g.fill(g.paper);
        g.p.drawEllipse(QPointF(23, 23), 7, 7);
        g.line(23, 23, 23, 18.5);
        g.line(23, 23, 26, 24.5);
    };
}

void characterGlyphs(QMap<QString, Glyph> &m)
{
    m["Left"] = [](Pen &g) {
        alignedLines(g, Qt::AlignLeft);
    };
    m["Right"] = [](Pen &g) {
        alignedLines(g, Qt::AlignRight);
    };
    m["Center"] = [](Pen &g) {
        alignedLines(g, Qt::AlignHCenter);
    };
    m["Font"] = [](Pen &g) {
        g.stroke(g.ink, 3.2);
        g.p.drawPolyline(QPolygonF({QPointF(4, 28), QPointF(13, 4), QPointF(22, 28)}));
        g.line(7.5, 19, 18.5, 19);
        g.stroke(kBlue, 2.6);
        g.p.drawEllipse(QPointF(25, 24), 3.5, 4);
        g.line(28.5, 20, 28.5, 28.5);
    };
}

void searchGlyphs(QMap<QString, Glyph> &m)
{
    m["Find"] = [](Pen &g) {
        magnifier(g, 13, 13, 8.5);
    };
    m["FindNext"] = [](Pen &g) {
        magnifier(g, 11, 11, 7);
        arrow(g, kGreen, QPointF(17, 27), QPointF(30, 27));
    };
    m["Replace"] = [](Pen &g) {
        g.outline();
        g.fill(g.paper);
        g.p.drawRect(QRectF(3, 3, 12, 12));
        g.fill(kGreen);
        g.p.drawRect(QRectF(17, 17, 12, 12));
        g.noFill();
        arrow(g, kBlue, QPointF(18, 6), QPointF(27, 13));
        arrow(g, kBlue, QPointF(14, 26), QPointF(5, 19));
    };
}

const QMap<QString, Glyph> &glyphs()
{
    static const QMap<QString, Glyph> table = [] {
        QMap<QString, Glyph> m;
        fileGlyphs(m);
        windowGlyphs(m);
        helpGlyphs(m);
        editGlyphs(m);
        characterGlyphs(m);
        searchGlyphs(m);
        return m;
    }();
    return table;
}

// Draws afresh at every size, so a glyph is as sharp at 24 pixels as at 64.
class GlyphEngine : public QIconEngine
{
public:
    explicit GlyphEngine(const QString &name)
        : m_name(name)
    { }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        const qreal ratio = painter->device()->devicePixelRatioF();
        QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter drawing(&image);
        SpeedbarGlyphs::paint(drawing, m_name, side);
        drawing.end();
        if (mode == QIcon::Disabled)
            image = faded(image);
        painter->drawImage(QRect(rect.left() + (rect.width() - side) / 2,
                                 rect.top() + (rect.height() - side) / 2, side, side),
                           image);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return result;
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap result(size * scale);
        result.setDevicePixelRatio(scale);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return result;
    }

    QIconEngine *clone() const override { return new GlyphEngine(m_name); }
    QString key() const override { return QStringLiteral("SpeedbarGlyph"); }
    QString iconName() override { return m_name; }

private:
    static QImage faded(QImage image)
    {
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int gray = 96 + qGray(line[x]) / 3;
                line[x] = qRgba(gray, gray, gray, qAlpha(line[x]) * 2 / 5);
            }
        }
        return image;
    }

    QString m_name;
};

} // namespace

QIcon SpeedbarGlyphs::icon(const QString &name)
{
    if (!glyphs().contains(name))
        return QIcon();
    return QIcon(new GlyphEngine(name));
}

QStringList SpeedbarGlyphs::names()
{
    return glyphs().keys();
}

void SpeedbarGlyphs::paint(QPainter &painter, const QString &name, int size)
{
    const auto found = glyphs().constFind(name);
    if (found == glyphs().constEnd())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QPalette palette = QGuiApplication::palette();
    Pen pen{painter, palette.color(QPalette::WindowText), palette.color(QPalette::Base)};
    (*found)(pen);
    painter.restore();
}
