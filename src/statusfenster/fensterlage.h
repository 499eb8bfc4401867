#pragma once

#include <QRect>

// The status window is laid out in twips (1/1440 inch) and turned into pixels
// with the screen's twips per pixel: 15 at 96 DPI.
namespace Fensterlage {
// Outer size of the window, its one-pixel frame included.
constexpr int breiteTwips = 4710;
constexpr int hoeheTwips = 660;
// Gap to the right and bottom edge of the whole screen. A taskbar may cover
// this margin, but not the window itself (see statusfensterLage).
constexpr int randTwips = 500;
// The line that names the picture while several go one after another; the
// window grows upwards by it, so its lower edge stays where it was.
constexpr int bildzeileTwips = 240;

// Twips per pixel for a logical resolution in dots per inch.
double twipsProPixel(double dpi);

// Twips to whole pixels, halves to the even neighbour.
int pixel(double twips, double twipsProPixel);

// Where the window goes on a screen with this geometry (pixels) and these
// logical resolutions: its lower right corner, the margin away from the edges.
// zusatzTwips: height added to the window's, such as bildzeileTwips.
// Where a panel reaches past the margin into the window, the window moves up
// or left just enough to stay in the work area (the screen less its panels).
QRect statusfensterLage(
    const QRect& bildschirm, const QRect& arbeitsflaeche, double dpiX, double dpiY, int zusatzTwips = 0);
} // namespace Fensterlage
