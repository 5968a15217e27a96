#pragma once
#include <windows.h>

// The colours of a bevelled frame with a gradient interior (see DrawFrame).
struct SFrameColours
{
    COLORREF fill;
    COLORREF gradient;
    COLORREF highlight;
    COLORREF shadow;
};

// Bevelled frames and hand-made gradients: the look of every control and of the dialog
// background. They run when a control builds its cached pictures, never on every paint.

// "No colour given" where a function accepts it.
constexpr COLORREF kNoColour = 0xFFFFFFFF;

enum class EGradientAxis
{
    Horizontal, // the colour changes from left to right
    Vertical    // the colour changes from top to bottom
};

// Fills the rectangle with a solid colour (PatBlt); the DC's brush is restored.
void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF colour);

// Linear gradient in bands: colour b at the left (top) edge, colour a at the right (bottom) edge.
void FillGradient(COLORREF a, COLORREF b, HDC dc, const RECT& rect, EGradientAxis axis);

// Gradient of one-pixel diagonal lines: colour b at the top-left corner, colour a towards the
// bottom-right corner.
void FillDiagonalGradient(COLORREF a, const RECT& rect, HDC dc, COLORREF b);

// 3D frame `line` pixels wide (one at 1x; highlight top and left, shadow bottom and right)
// around an interior that runs from `fill` at the top (left) to `gradient` at the bottom (right).
// A fill of kNoColour leaves the interior alone; a highlight or shadow of kNoColour takes the
// system button colour. With `inset`, `rect` comes back shrunk by the line on each side.
void DrawFrame(COLORREF highlight, COLORREF fill, HDC dc, RECT& rect, bool inset, COLORREF gradient,
               COLORREF shadow, EGradientAxis axis, int line = 1);

// The same frame around a diagonal gradient from b (top left) to a; an a of kNoColour leaves the
// interior alone.
void DrawFrameDiagonal(COLORREF shadow, COLORREF highlight, RECT& rect, HDC dc, bool inset,
                       COLORREF a, COLORREF b, int line = 1);
