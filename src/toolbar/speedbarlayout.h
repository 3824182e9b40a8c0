#pragma once

#include "settings/settingsbaseline.h"

#include <QList>
#include <QString>

#include <optional>

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
    // The stored "Width" text when restore() applied it.
    std::optional<QString> storedWidth;

    // The section's values in the order they are written: "Position", "Width", "Version",
    // "BtnWidth", "BtnHeight", "Button1".. ("name,left,top") for the visible items, "Count".
    SettingsBaseline::Values values() const;

    // Writes the layout into its own section when it is not the one the baseline holds: the
    // section is erased first. A layout the baseline holds is written only where its section is
    // missing, and for a "Width" that the restore had to bring within range.
    void save(SettingsStore &store, const QString &sectionKey, SettingsBaseline &baseline) const;

    // Reads a stored layout. An older version, or one made with bigger buttons, is ignored;
    // unknown or malformed buttons are skipped. Returns whether the alignment changed.
    bool restore(const SettingsStore &store, const QString &sectionKey);

    Item *find(const QString &name);
    // Docking left or right stacks the buttons; none and client are not allowed for a bar that
    // places itself: throws "Cannot set this property value while Position is bpAuto".
    void setAlign(int value);
};
