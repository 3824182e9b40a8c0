#include "fontproperties.h"

#include "editcontrol.h"

#include <QPalette>

#include <cmath>

namespace {
// Sizes beyond these come from a damaged or hand-edited store, not from the font dialog: they
// leave the font as it is, so a new Workspace keeps the default font.
constexpr int kSmallestPoints = 1;
constexpr int kLargestPoints = 512;
} // namespace

FontProperties::FontProperties(EditControl *control)
    : QObject(control)
    , m_control(control)
{
    setObjectName(QStringLiteral("Font"));
}

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
    const QFont font = m_control->textFont();
    const double pixels =
            font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi() / 72.0;
    return -int(std::lround(pixels));
}

void FontProperties::setHeight(int height)
{
    const double points = std::abs(double(height)) * 72.0 / dpi();
    if (points < kSmallestPoints || points > kLargestPoints)
        return;
    QFont font = m_control->textFont();
    font.setPointSizeF(points);
    m_control->setTextFont(font);
}

QString FontProperties::name() const
{
    return m_control->textFont().family();
}

void FontProperties::setName(const QString &name)
{
    if (name.isEmpty())
        return;
    QFont font = m_control->textFont();
    font.setFamily(name);
    m_control->setTextFont(font);
}

void FontProperties::setPitch(FontPitch pitch)
{
    m_pitch = pitch;
    if (pitch == fpDefault)
        return;
    QFont font = m_control->textFont();
    font.setFixedPitch(pitch == fpFixed);
    m_control->setTextFont(font);
}

int FontProperties::size() const
{
    const QFont font = m_control->textFont();
    const double points =
            font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / dpi();
    return int(std::lround(points));
}

void FontProperties::setSize(int size)
{
    if (size < kSmallestPoints || size > kLargestPoints)
        return;
    QFont font = m_control->textFont();
    font.setPointSize(size);
    m_control->setTextFont(font);
}

FontProperties::FontStyles FontProperties::style() const
{
    const QFont font = m_control->textFont();
    FontStyles styles;
    styles.setFlag(fsBold, font.bold());
    styles.setFlag(fsItalic, font.italic());
    styles.setFlag(fsUnderline, font.underline());
    styles.setFlag(fsStrikeOut, font.strikeOut());
    return styles;
}

void FontProperties::setStyle(FontStyles style)
{
    QFont font = m_control->textFont();
    font.setBold(style.testFlag(fsBold));
    font.setItalic(style.testFlag(fsItalic));
    font.setUnderline(style.testFlag(fsUnderline));
    font.setStrikeOut(style.testFlag(fsStrikeOut));
    m_control->setTextFont(font);
}
