#pragma once

#include "controls/textdocument.h"
#include "controls/ui/textview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

// count lines made of pattern with the line's number (two digits) for %1, one '\n' apart.
inline QString numberedLines(int count, const QString &pattern = QStringLiteral("line %1"))
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << pattern.arg(i, 2, 10, QLatin1Char('0'));
    return lines.join(u'\n');
}

inline char *toString(const TextSelection &selection)
{
    return QTest::toString(
            QStringLiteral("{%1, %2}").arg(selection.anchor).arg(selection.position));
}

// A document in a shown, focused view with a fixed-pitch font, for the view's tests.
struct TextViewFixture
{
    TextDocument document;
    TextView view{&document};

    explicit TextViewFixture(const QString &text, bool wrap = false, QSize size = {420, 240})
    {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPixelSize(14);
        view.setTextFont(font);
        view.setWordWrap(wrap);
        view.resize(size);
        document.setPlainText(text);
    }

    // Shows the view and gives it the focus; false when the window never came up.
    bool show()
    {
        view.show();
        view.activateWindow();
        if (!QTest::qWaitForWindowActive(&view))
            return false;
        view.setFocus();
        return view.hasFocus();
    }

    QWidget *viewport() { return view.viewport(); }

    // The middle of the character at offset, in the viewport.
    QPoint pointOf(qsizetype offset)
    {
        const QRect rect = view.characterRect(offset);
        return rect.isEmpty() ? QPoint(-1, -1) : rect.center();
    }
    // The left edge of the character at offset, where a click puts the caret before it.
    QPoint pointBefore(qsizetype offset)
    {
        const QRect rect = view.characterRect(offset);
        return QPoint(rect.left() + 1, rect.center().y());
    }

    void mouse(QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, QPointF(pos), viewport()->mapToGlobal(QPointF(pos)), button,
                          buttons, modifiers);
        QApplication::sendEvent(viewport(), &event);
    }
    void press(const QPoint &pos, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonPress, pos, button, button, modifiers);
    }
    void release(const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
    }
    void click(const QPoint &pos, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton)
    {
        press(pos, modifiers, button);
        release(pos, button);
    }
    void doubleClick(const QPoint &pos)
    {
        click(pos);
        mouse(QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
        release(pos);
    }
    void drag(const QPoint &from, const QPoint &to)
    {
        press(from);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        release(to);
    }
};
