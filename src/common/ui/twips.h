#pragma once

#include <QPoint>

class QWidget;

// Window positions and sizes are given in twips (1440 to the inch). They
// become pixels through the logical DPI of the primary screen: 15 twips to
// the pixel at 96 DPI.
namespace ui {

// Horizontal and vertical twips to pixels, rounded to the nearest pixel.
int twips(int twipValue);
int twipsY(int twipValue);
// Pixels back to twips (horizontal).
int toTwips(int pixels);

QPoint twipsPoint(int leftTwips, int topTwips);

// Moves `window` so that its outer frame's top-left corner stands at
// (left, top) twips of its parent's client area, or of the screen for a
// top-level window.
void placeAtTwips(QWidget *window, int leftTwips, int topTwips);

} // namespace ui
