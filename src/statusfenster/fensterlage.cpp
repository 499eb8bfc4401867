#include "statusfenster/fensterlage.h"

#include <cmath>

namespace Fensterlage {
double twipsProPixel(double dpi)
{
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int pixel(double twips, double twipsProPixel)
{
    // std::nearbyint rounds halves to even under the default rounding mode.
    return static_cast<int>(std::nearbyint(twips / twipsProPixel));
}

QRect statusfensterLage(const QRect& bildschirm, const QRect& arbeitsflaeche, double dpiX, double dpiY, int zusatzTwips)
{
    const double faktorX = twipsProPixel(dpiX);
    const double faktorY = twipsProPixel(dpiY);
    const double breite = std::nearbyint(faktorX * bildschirm.width());
    const double hoehe = std::nearbyint(faktorY * bildschirm.height());
    const double links = std::nearbyint(breite - breiteTwips - randTwips);
    const double oben = std::nearbyint(hoehe - hoeheTwips - zusatzTwips - randTwips);
    QRect lage(bildschirm.x() + pixel(links, faktorX), bildschirm.y() + pixel(oben, faktorY),
        pixel(breiteTwips, faktorX), pixel(hoeheTwips + zusatzTwips, faktorY));
    if (arbeitsflaeche.isValid()) {
        if (lage.bottom() > arbeitsflaeche.bottom())
            lage.moveBottom(arbeitsflaeche.bottom());
        if (lage.right() > arbeitsflaeche.right())
            lage.moveRight(arbeitsflaeche.right());
    }
    return lage;
}
} // namespace Fensterlage
