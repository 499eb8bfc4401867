#pragma once

#include <QRect>

// The status window is laid out in twips (1/1440 inch) and turned into pixels
// with the screen's twips per pixel: 15 at 96 DPI.
namespace Fensterlage {
// Outer size of the window, its one-pixel frame included.
constexpr int breiteTwips = 4710;
constexpr int hoeheTwips = 660;
// Gap to the right and bottom edge of the whole screen; the work area is not
// consulted, so a taskbar may cover part of it.
constexpr int randTwips = 500;

// Twips per pixel for a logical resolution in dots per inch.
double twipsProPixel(double dpi);

// Twips to whole pixels, halves to the even neighbour.
int pixel(double twips, double twipsProPixel);

// Where the window goes on a screen with this geometry (pixels) and these
// logical resolutions: its lower right corner, the margin away from the edges.
QRect statusfensterLage(const QRect& bildschirm, double dpiX, double dpiY);
} // namespace Fensterlage
