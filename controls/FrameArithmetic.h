#pragma once
#include "PixelRect.h"
#include <algorithm>
#include <cstdint>
#include <cstdlib>

// The arithmetic of the bevelled frames and hand-made gradients, over any surface that offers
//   void FillSolid(int x, int y, int width, int height, std::uint32_t colour);
//   void Line(int x0, int y0, int x1, int y1, std::uint32_t colour); // the end point left out
// with colours written 0x00BBGGRR. The Windows controls paint through GDI, the X11 controls into
// pixel buffers; both come here, so every pixel of a frame agrees.
namespace frame_arithmetic {

inline int Red(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
inline int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline std::uint32_t Colour(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

// a + (b - a) * numerator / denominator per channel, truncated toward a.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int numerator, int denominator)
{
    auto channel = [&](int from, int to) {
        const int step = std::abs(to - from) * numerator / denominator;
        return to >= from ? from + step : from - step;
    };
    return Colour(channel(Red(a), Red(b)), channel(Green(a), Green(b)), channel(Blue(a), Blue(b)));
}

// Banded linear gradient: colour b at the left (top) edge, colour a at the right (bottom) edge.
template <class Surface>
void FillGradient(Surface& surface, std::uint32_t a, std::uint32_t b, const SPixelRect& rect, bool horizontal)
{
    const int extent = horizontal ? rect.Width() : rect.Height();
    const int across = horizontal ? rect.Height() : rect.Width();
    if (extent <= 0 || across <= 0)
        return;
    const int band = std::max(1, extent / 255);
    const int bands = extent / band;
    for (int k = 1; k <= bands; ++k)
    {
        int offset = extent - k * band;
        int size = band;
        int reach = k * band;
        if (k == bands) // the last band, colour b, also covers what the whole bands leave over
        {
            size += offset;
            offset = 0;
            reach = extent;
        }
        const std::uint32_t colour = Blend(a, b, reach, extent);
        if (horizontal)
            surface.FillSolid(rect.left + offset, rect.top, size, across, colour);
        else
            surface.FillSolid(rect.left, rect.top + offset, across, size, colour);
    }
}

// One-pixel diagonal lines: colour b at the top-left corner, colour a towards the bottom right.
template <class Surface>
void FillDiagonalGradient(Surface& surface, std::uint32_t a, const SPixelRect& rect, std::uint32_t b)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const int d = (rect.bottom + rect.right) - (rect.top + rect.left);
    const int height = rect.Height();
    const int width = rect.Width();
    // P walks down the left edge and then along the bottom row, Q along the row above the top and
    // then down the column right of the rectangle; each line P→Q (Q excluded) is one diagonal.
    for (int step = 1;; ++step)
    {
        const int px = step <= height ? rect.left : rect.left + step - height;
        const int py = step <= height ? rect.top - 1 + step : rect.bottom - 1;
        if (px >= rect.right)
            break;
        const int qx = step <= width ? rect.left + step : rect.right;
        const int qy = step <= width ? rect.top - 1 : rect.top - 1 + step - width;
        const int f = (px + py) - (rect.top + rect.left);
        surface.Line(px, py, qx, qy, Blend(b, a, f, d));
    }
}

// The 3D edge, `line` pixels wide (one at 1x): highlight on the top and left, shadow on the bottom
// and right, the shadow taking the corners the two share.
template <class Surface>
void DrawBevel(Surface& surface, const SPixelRect& rect, std::uint32_t highlight, std::uint32_t shadow, int line = 1)
{
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0)
        return;
    line = std::max(1, std::min(line, std::min(width, height) / 2));
    surface.FillSolid(rect.left, rect.top, width - line, line, highlight);
    surface.FillSolid(rect.left, rect.top, line, height - line, highlight);
    surface.FillSolid(rect.right - line, rect.top, line, height, shadow);
    surface.FillSolid(rect.left, rect.bottom - line, width, line, shadow);
}

inline SPixelRect Interior(const SPixelRect& rect, int line = 1)
{
    return SPixelRect{rect.left + line, rect.top + line, rect.right - line, rect.bottom - line};
}

// The frame around an interior from `fill` at the top (left) to `gradient` at the bottom (right).
template <class Surface>
void DrawFrame(Surface& surface, std::uint32_t highlight, std::uint32_t fill, const SPixelRect& rect,
               std::uint32_t gradient, std::uint32_t shadow, bool horizontal, bool fillInterior = true, int line = 1)
{
    DrawBevel(surface, rect, highlight, shadow, line);
    if (!fillInterior)
        return;
    const SPixelRect interior = Interior(rect, line);
    if (interior.Width() > 0 && interior.Height() > 0)
        surface.FillSolid(interior.left, interior.top, interior.Width(), interior.Height(), fill);
    FillGradient(surface, gradient, fill, interior, horizontal);
}

// The frame around a diagonal gradient from b (top left) to a.
template <class Surface>
void DrawFrameDiagonal(Surface& surface, std::uint32_t shadow, std::uint32_t highlight, const SPixelRect& rect,
                       std::uint32_t a, std::uint32_t b, bool fillInterior = true, int line = 1)
{
    DrawBevel(surface, rect, highlight, shadow, line);
    if (fillInterior)
        FillDiagonalGradient(surface, a, Interior(rect, line), b);
}

} // namespace frame_arithmetic
