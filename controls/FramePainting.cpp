#include "FramePainting.h"
#include "FrameArithmetic.h"
#include "Gdi.h"

namespace {

// The frame arithmetic's surface on a GDI device context.
struct SGdiSurface
{
    HDC dc;

    void FillSolid(int x, int y, int width, int height, std::uint32_t colour)
    {
        ::FillSolid(dc, x, y, width, height, colour);
    }
    void Line(int x0, int y0, int x1, int y1, std::uint32_t colour)
    {
        win::CPen pen = win::SolidPen(colour);
        win::CSelection select(dc, pen.Get());
        MoveToEx(dc, x0, y0, nullptr);
        LineTo(dc, x1, y1);
    }
};

SPixelRect ToPixelRect(const RECT& rect)
{
    return SPixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

// A colour not given follows the system's button colours.
COLORREF OrSystem(COLORREF colour, int systemColour)
{
    return colour == kNoColour ? GetSysColor(systemColour) : colour;
}

void Shrink(RECT& rect, int line)
{
    rect = RECT{rect.left + line, rect.top + line, rect.right - line, rect.bottom - line};
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
    SGdiSurface surface{dc};
    frame_arithmetic::FillGradient(surface, a, b, ToPixelRect(rect), axis == EGradientAxis::Horizontal);
}

void FillDiagonalGradient(COLORREF a, const RECT& rect, HDC dc, COLORREF b)
{
    SGdiSurface surface{dc};
    frame_arithmetic::FillDiagonalGradient(surface, a, ToPixelRect(rect), b);
}

void DrawFrame(COLORREF highlight, COLORREF fill, HDC dc, RECT& rect, bool inset, COLORREF gradient,
               COLORREF shadow, EGradientAxis axis, int line)
{
    SGdiSurface surface{dc};
    frame_arithmetic::DrawFrame(surface, OrSystem(highlight, COLOR_BTNHIGHLIGHT), fill, ToPixelRect(rect), gradient,
                                OrSystem(shadow, COLOR_BTNSHADOW), axis == EGradientAxis::Horizontal,
                                fill != kNoColour, line);
    if (inset)
        Shrink(rect, line);
}

void DrawFrameDiagonal(COLORREF shadow, COLORREF highlight, RECT& rect, HDC dc, bool inset,
                       COLORREF a, COLORREF b, int line)
{
    SGdiSurface surface{dc};
    frame_arithmetic::DrawFrameDiagonal(surface, OrSystem(shadow, COLOR_BTNSHADOW),
                                        OrSystem(highlight, COLOR_BTNHIGHLIGHT), ToPixelRect(rect), a, b,
                                        a != kNoColour, line);
    if (inset)
        Shrink(rect, line);
}
