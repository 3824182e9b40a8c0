#include "fontproperties.h"

#include "textview.h"

#include <QPalette>

#include <cmath>

namespace {
// Sizes beyond these come from a damaged or hand-edited store, not from the font dialog: they
// leave the font as it is, so a new Workspace keeps the default font.
constexpr int kSmallestPoints = 1;
constexpr int kLargestPoints = 512;
} // namespace

FontProperties::FontProperties(QWidget *control, std::function<QFont()> font,
                               std::function<void(const QFont &)> setFont)
    : QObject(control)
    , m_control(control)
    , m_font(std::move(font))
    , m_setFont(std::move(setFont))
{
    setObjectName(QStringLiteral("Font"));
}

FontProperties::FontProperties(TextView *view)
    : FontProperties(
            view, [view] { return view->textFont(); },
            [view](const QFont &font) { view->setTextFont(font); })
{ }

int FontProperties::colorReference(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor FontProperties::fromColorReference(int reference)
{
    return QColor(reference & 0xff, (reference >> 8) & 0xff, (reference >> 16) & 0xff);
}

void FontProperties::setColor(int color)
{
    m_color = color;
    QPalette palette = m_control->palette();
    // Negative values name system colours; the control's own palette shows them.
    palette.setColor(QPalette::Text,
                     color < 0 ? QPalette().color(QPalette::Text) : fromColorReference(color));
    m_control->setPalette(palette);
}

int FontProperties::dpi() const
{
    const int value = m_control->logicalDpiY();
    return value > 0 ? value : 96;
}

int FontProperties::height() const
{
    const QFont font = currentFont();
    const double pixels =
            font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi() / 72.0;
    return -int(std::lround(pixels));
}

void FontProperties::setHeight(int height)
{
    const double points = std::abs(double(height)) * 72.0 / dpi();
    if (points < kSmallestPoints || points > kLargestPoints)
        return;
    QFont font = currentFont();
    font.setPointSizeF(points);
    applyFont(font);
}

QString FontProperties::name() const
{
    return currentFont().family();
}

void FontProperties::setName(const QString &name)
{
    if (name.isEmpty())
        return;
    QFont font = currentFont();
    font.setFamily(name);
    applyFont(font);
}

void FontProperties::setPitch(FontPitch pitch)
{
    m_pitch = pitch;
    if (pitch == fpDefault)
        return;
    QFont font = currentFont();
    font.setFixedPitch(pitch == fpFixed);
    applyFont(font);
}

int FontProperties::size() const
{
    const QFont font = currentFont();
    const double points =
            font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi();
    return int(std::lround(points));
}

void FontProperties::setSize(int size)
{
    if (size < kSmallestPoints || size > kLargestPoints)
        return;
    QFont font = currentFont();
    font.setPointSize(size);
    applyFont(font);
}

FontProperties::FontStyles FontProperties::style() const
{
    const QFont font = currentFont();
    FontStyles styles;
    styles.setFlag(fsBold, font.bold());
    styles.setFlag(fsItalic, font.italic());
    styles.setFlag(fsUnderline, font.underline());
    styles.setFlag(fsStrikeOut, font.strikeOut());
    return styles;
}

void FontProperties::setStyle(FontStyles style)
{
    QFont font = currentFont();
    font.setBold(style.testFlag(fsBold));
    font.setItalic(style.testFlag(fsItalic));
    font.setUnderline(style.testFlag(fsUnderline));
    font.setStrikeOut(style.testFlag(fsStrikeOut));
    applyFont(font);
}
