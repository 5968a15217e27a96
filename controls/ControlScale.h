#pragma once
#include "PixelRect.h"
#include <cmath>

// The factor every control of a scaled editor draws by: each 1x length multiplied and rounded
// once (halves away from zero), and the width of its one-pixel lines (bevels, ticks, rules).
// At 1.0 every length comes back unchanged, so an unscaled editor paints exactly as before.
struct SControlScale
{
    double factor = 1.0;

    int Px(int length) const
    {
        const double scaled = length * factor;
        return static_cast<int>(scaled >= 0 ? std::floor(scaled + 0.5) : -std::floor(-scaled + 0.5));
    }
    double Px(double length) const { return length * factor; }
    SPixelRect Px(const SPixelRect& rect) const
    {
        return SPixelRect{Px(rect.left), Px(rect.top), Px(rect.right), Px(rect.bottom)};
    }
    // A line of 1x is this many pixels wide: never thinner than one pixel.
    int Line() const { return Px(1) > 1 ? Px(1) : 1; }
    bool IsUnscaled() const { return factor == 1.0; }
};
