#pragma once

#include "toolbar/ui/tspeedbarbutton.h"

#include <QList>
#include <QString>

class FrameActions;
class QAction;
class QWidget;
class TSpeedBar;
class TSpeedItem;

// The frame's tool bar, as the command table lays it out: its sections ("File", "Window",
// "Options", "Help") and items, each a button of its own caption, hint and glyph that runs one
// of the frame's commands and follows that command's enabled state.
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
        TSpeedItem *speedItem;
        TSpeedbarButton *button;
    };

    FrameToolBar(QWidget *frame, const FrameActions &actions);

    TSpeedBar *bar() const { return m_bar; }
    const QList<Item> &items() const { return m_items; }
    // The item of that name (btnNew, btnTile...), or nullptr.
    const Item *item(const QString &name) const;

private:
    TSpeedBar *m_bar;
    QList<Item> m_items;
};
