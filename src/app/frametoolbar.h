#pragma once

#include <QList>
#include <QString>

class FrameActions;
class QAction;
class QToolBar;
class QToolButton;
class QWidget;

// The frame's tool bar items and the plain bar that shows the default ones until the
// sectioned tool bar takes over. Each item is a button of its own caption and hint that runs
// one of the frame's commands and follows that command's enabled state.
class FrameToolBar
{
public:
    struct Item
    {
        QString name;
        QString section;
        QString buttonCaption;
        QString hint;
        bool onBarByDefault;
        QAction *command;
        QToolButton *button;
    };

    FrameToolBar(QWidget *frame, const FrameActions &actions);

    QToolBar *bar() const { return m_bar; }
    const QList<Item> &items() const { return m_items; }
    // The item of that name (btnNew, btnTile...), or nullptr.
    const Item *item(const QString &name) const;

private:
    void add(const char *name, const char *section, const char *buttonCaption, const char *hint,
             bool onBar, QAction *command);

    QToolBar *m_bar;
    QList<Item> m_items;
};
