#pragma once

#include <QList>
#include <QString>

class SettingsStore;

// What a sectioned tool bar keeps between runs: where it is docked, its size, the size of its
// buttons, and which buttons show where.
struct SpeedbarLayout
{
    enum Align { alNone, alTop, alBottom, alLeft, alRight, alClient };
    enum Option { sbAllowDrag = 0x1, sbAllowResize = 0x2 };

    struct Item
    {
        QString name;
        bool visible = false;
        int left = 0;
        int top = 0;
    };

    Align align = alTop;
    int height = 0; // when docked top or bottom
    int width = 0;  // when docked left or right
    int version = 0;
    int btnWidth = 44;
    int btnHeight = 44;
    int btnOffsetHorz = 4;
    int btnOffsetVert = 4;
    int options = sbAllowDrag | sbAllowResize;
    QList<Item> items;

    // Writes the layout into its own section (erased first): "Position", "Width", "Version",
    // "BtnWidth", "BtnHeight", "Button1".. ("name,left,top") for the visible items, "Count".
    void save(SettingsStore &store, const QString &sectionKey) const;

    // Reads a stored layout. An older version, or one made with bigger buttons, is ignored;
    // unknown or malformed buttons are skipped. Returns whether the alignment changed.
    bool restore(const SettingsStore &store, const QString &sectionKey);

    Item *find(const QString &name);
    // Docking left or right stacks the buttons; none and client are not allowed for a bar that
    // places itself: throws "Cannot set this property value while Position is bpAuto".
    void setAlign(int value);
};
