#pragma once

#include <QIcon>
#include <QStringList>

class QPainter;

// The tool bar's pictures: one simple drawing per command, made of outlines in the theme's text
// colour, sheets and faces in its text background, and a few fills that read on light and dark
// bars alike. They scale to any size; 32 pixels is the size they are drawn for.
class SpeedbarGlyphs
{
public:
    // "New", "Open", "Save", "Find"...; an unknown name gives a null icon.
    static QIcon icon(const QString &name);
    static QStringList names();
    // Draws the glyph into a square of side size at the painter's origin.
    static void paint(QPainter &painter, const QString &name, int size);
};
