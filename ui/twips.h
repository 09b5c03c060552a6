#pragma once

#include <QRect>

namespace suma {

// The window's design is drawn in twips (1/1440 inch). At 96 dots per inch 15 twips make one
// pixel, so one device-independent pixel is 15 twips and Qt's high-DPI scaling keeps the design
// on every screen. Rounds to the nearest pixel (15 is odd, so there are no halves).
constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

// A rectangle given in twips (left, top, width, height), each value converted on its own.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

static_assert(twipsToPixels(15) == 1 && twipsToPixels(7) == 0 && twipsToPixels(8) == 1);
static_assert(twipsToPixels(-8) == -1 && twipsToPixels(2000) == 133 && twipsToPixels(5010) == 334);

} // namespace suma
