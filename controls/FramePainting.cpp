#include "FramePainting.h"
#include "Gdi.h"
#include <algorithm>
#include <cstdlib>

namespace {

// a + (b - a) * numerator / denominator per channel, truncated toward a.
COLORREF Blend(COLORREF a, COLORREF b, int numerator, int denominator)
{
    auto channel = [&](int from, int to) {
        const int step = std::abs(to - from) * numerator / denominator;
        return to >= from ? from + step : from - step;
    };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolid(dc, rect.left, rect.top, width - 1, 1, topLeft);
    FillSolid(dc, rect.left, rect.top, 1, height - 1, topLeft);
    FillSolid(dc, rect.right - 1, rect.top, 1, height, bottomRight);
    FillSolid(dc, rect.left, rect.bottom - 1, width, 1, bottomRight);
}

// The one-pixel 3D edge of both frames; a colour not given follows the system's button colours.
void DrawBevel(HDC dc, const RECT& rect, COLORREF highlight, COLORREF shadow)
{
    Draw3dRect(dc, rect, highlight == kNoColour ? GetSysColor(COLOR_BTNHIGHLIGHT) : highlight,
               shadow == kNoColour ? GetSysColor(COLOR_BTNSHADOW) : shadow);
}

RECT Interior(const RECT& rect)
{
    return RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
}

} // namespace

void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    if (width <= 0 || height <= 0)
        return;
    win::CBrush brush = win::SolidBrush(colour);
    win::CSelection select(dc, brush.Get());
    PatBlt(dc, x, y, width, height, PATCOPY);
}

void FillGradient(COLORREF a, COLORREF b, HDC dc, const RECT& rect, EGradientAxis axis)
{
    const bool horizontal = axis == EGradientAxis::Horizontal;
    const int extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    const int across = horizontal ? rect.bottom - rect.top : rect.right - rect.left;
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
        const COLORREF colour = Blend(a, b, reach, extent);
        if (horizontal)
            FillSolid(dc, rect.left + offset, rect.top, size, across, colour);
        else
            FillSolid(dc, rect.left, rect.top + offset, across, size, colour);
    }
}

void FillDiagonalGradient(COLORREF a, const RECT& rect, HDC dc, COLORREF b)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const int d = (rect.bottom + rect.right) - (rect.top + rect.left);
    const int height = rect.bottom - rect.top;
    const int width = rect.right - rect.left;
    // P walks down the left edge and then along the bottom row, Q along the row above the top and
    // then down the column right of the rectangle; each line P→Q (Q excluded) is one diagonal.
    for (int step = 1;; ++step)
    {
        POINT p = step <= height ? POINT{rect.left, rect.top - 1 + step}
                                 : POINT{rect.left + step - height, rect.bottom - 1};
        if (p.x >= rect.right)
            break;
        POINT q = step <= width ? POINT{rect.left + step, rect.top - 1}
                                : POINT{rect.right, rect.top - 1 + step - width};
        const int f = (p.x + p.y) - (rect.top + rect.left);
        win::CPen pen = win::SolidPen(Blend(b, a, f, d));
        win::CSelection select(dc, pen.Get());
        MoveToEx(dc, p.x, p.y, nullptr);
        LineTo(dc, q.x, q.y);
    }
}

void DrawFrame(COLORREF highlight, COLORREF fill, HDC dc, RECT& rect, bool inset, COLORREF gradient,
               COLORREF shadow, EGradientAxis axis)
{
    DrawBevel(dc, rect, highlight, shadow);
    if (fill != kNoColour)
    {
        const RECT interior = Interior(rect);
        FillSolid(dc, interior.left, interior.top, interior.right - interior.left,
                  interior.bottom - interior.top, fill);
        FillGradient(gradient, fill, dc, interior, axis);
    }
    if (inset)
        rect = Interior(rect);
}

void DrawFrameDiagonal(COLORREF shadow, COLORREF highlight, RECT& rect, HDC dc, bool inset,
                       COLORREF a, COLORREF b)
{
    DrawBevel(dc, rect, highlight, shadow);
    if (a != kNoColour)
        FillDiagonalGradient(a, Interior(rect), dc, b);
    if (inset)
        rect = Interior(rect);
}
