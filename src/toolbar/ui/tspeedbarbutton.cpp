#include "tspeedbarbutton.h"

#include "tspeedbar.h"
#include "tspeeditem.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace {

constexpr int kMargin = 2;
constexpr int kSpacing = 2;
constexpr int kLargestGlyph = 32;

struct Face
{
    bool focused = false;
    bool hovered = false;
    bool down = false;
    bool enabled = true;
    bool flat = true;
    bool grayed = true;
    bool transparent = true;
};

// The caption as drawn: the letter of the command's Alt shortcut underlined, when it has one.
QString captionText(const TSpeedItem *item, const QFont &font, int width, int &flags)
{
    const QString caption = item->BtnCaption();
    const QString elided = QFontMetrics(font).elidedText(caption, Qt::ElideRight, width);
    const QAction *action = item->action();
    if (!action || elided != caption)
        return elided;
    for (const QKeySequence &key : action->shortcuts()) {
        if (key.count() != 1 || key[0].keyboardModifiers() != Qt::AltModifier)
            continue;
        const QString letter = QKeySequence(key[0].key()).toString();
        const qsizetype at = caption.indexOf(letter, 0, Qt::CaseInsensitive);
        if (letter.size() != 1 || at < 0)
            continue;
        QString marked = caption;
        marked.replace(u'&', QStringLiteral("&&"));
        marked.insert(caption.left(at).count(u'&') + at, u'&');
        flags |= Qt::TextShowMnemonic;
        return marked;
    }
    return elided;
}

// The glyph in shades of grey, its transparency kept.
QPixmap grayed(const QPixmap &source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int gray = qGray(line[x]);
            line[x] = qRgba(gray, gray, gray, qAlpha(line[x]));
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
}

void paintFace(QPainter &painter, const QRect &rect, const TSpeedItem *item,
               const QPalette &palette, const QFont &font, const Face &face)
{
    if (!face.transparent)
        painter.fillRect(rect, palette.button());
    if (face.down) {
        painter.fillRect(rect.adjusted(1, 1, -1, -1), palette.midlight());
        qDrawShadePanel(&painter, rect, palette, true, 1);
    } else if (face.hovered || !face.flat) {
        qDrawShadePanel(&painter, rect, palette, false, 1);
    }
    const int textHeight = QFontMetrics(font).height();
    const int side = std::clamp(std::min(rect.width() - 2 * kMargin,
                                         rect.height() - 2 * kMargin - kSpacing - textHeight),
                                8, kLargestGlyph);
    const QPoint shift = face.down ? QPoint(1, 1) : QPoint();
    const QRect glyphRect(rect.left() + (rect.width() - side) / 2, rect.top() + kMargin, side,
                          side);
    const QIcon::Mode mode = face.enabled ? QIcon::Normal : QIcon::Disabled;
    QPixmap glyph =
            item->Glyph().pixmap(QSize(side, side), painter.device()->devicePixelRatioF(), mode);
    if (face.enabled && face.grayed && !face.hovered && !face.down)
        glyph = grayed(glyph);
    painter.drawPixmap(glyphRect.translated(shift), glyph);
    painter.setFont(font);
    painter.setPen(palette.color(face.enabled ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
    const QRect textRect(rect.left() + 1, glyphRect.bottom() + 1 + kSpacing, rect.width() - 2,
                         textHeight);
    int flags = Qt::AlignHCenter | Qt::AlignTop;
    const QString text = captionText(item, font, textRect.width(), flags);
    painter.drawText(textRect.translated(shift), flags, text);
}

} // namespace

TSpeedbarButton::TSpeedbarButton(TSpeedItem *item, TSpeedBar *bar)
    : QAbstractButton(bar)
    , m_item(item)
    , m_bar(bar)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

QSize TSpeedbarButton::sizeHint() const
{
    return QSize(m_bar->BtnWidth(), m_bar->BtnHeight());
}

QPixmap TSpeedbarButton::render(const TSpeedItem *item, const QSize &size, bool hovered)
{
    const TSpeedBar *bar = item->bar();
    QPixmap pixmap(size * qApp->devicePixelRatio());
    pixmap.setDevicePixelRatio(qApp->devicePixelRatio());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Face face;
    face.hovered = hovered;
    face.flat = false;
    face.grayed = false;
    face.transparent = false;
    paintFace(painter, QRect(QPoint(), size), item, bar->palette(), bar->font(), face);
    return pixmap;
}

void TSpeedbarButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const TSpeedBar::Options options = m_bar->options();
    Face face;
    // While the bar is customised a button stays movable whatever its command's state; it
    // still looks as the command is.
    face.hovered = m_hovered && isEnabled() && !m_bar->customizing();
    face.down = isDown() || isChecked();
    face.enabled = m_item->Enabled();
    face.flat = options & TSpeedBar::sbFlatBtns;
    face.grayed = options & TSpeedBar::sbGrayedBtns;
    face.transparent = options & TSpeedBar::sbTransparentBtns;
    paintFace(painter, rect(), m_item, palette(), font(), face);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// A bar in a dialog is reached with Tab like the dialog's other buttons.
void TSpeedbarButton::showEvent(QShowEvent *event)
{
    setFocusPolicy(qobject_cast<QDialog *>(window()) ? Qt::TabFocus : Qt::NoFocus);
    QAbstractButton::showEvent(event);
}

// Space presses the button as on any button; Return and Enter press it too.
void TSpeedbarButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!m_bar->customizing())
            click();
        event->accept();
        return;
    }
    if (m_bar->customizing() && event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void TSpeedbarButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TSpeedbarButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TSpeedbarButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_bar->customizing()) {
        QAbstractButton::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_pressPos = event->globalPosition().toPoint();
    m_startPos = pos();
    m_dragging = false;
    event->accept();
}

void TSpeedbarButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_bar->customizing() || !(event->buttons() & Qt::LeftButton)) {
        QAbstractButton::mouseMoveEvent(event);
        return;
    }
    const QPoint moved = event->globalPosition().toPoint() - m_pressPos;
    if (!m_dragging && moved.manhattanLength() < QApplication::startDragDistance())
        return;
    m_dragging = true;
    raise();
    move(m_startPos + moved);
}

// Dropped on the bar, the button takes the cell under the pointer; anywhere else it leaves the bar.
void TSpeedbarButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_bar->customizing() && !m_dragging) {
        QAbstractButton::mouseReleaseEvent(event);
        return;
    }
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    const QPoint global = event->globalPosition().toPoint();
    move(m_startPos);
    if (m_bar->isUnder(global))
        m_bar->dropItem(m_item, m_bar->mapFromGlobal(global));
    else
        m_item->setVisible(false);
}

// The action decides the checked state; the button follows it.
void TSpeedbarButton::nextCheckState() { }
