#include "FramePainting.h"
#include "Gdi.h"
#include "LiveObjects.h"
#include "PixelCapture.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

const COLORREF kCanvas = RGB(255, 0, 255);

// Paints on a canvas of kCanvas and reads the result back.
testing_support::SImage Paint(int width, int height, const std::function<void(HDC)>& painting)
{
    win::COffscreenBuffer canvas;
    canvas.Create(nullptr, width, height);
    FillSolid(canvas.Dc(), 0, 0, width, height, kCanvas);
    painting(canvas.Dc());
    return testing_support::CaptureDc(canvas.Dc(), 0, 0, width, height);
}

int Red(COLORREF colour)
{
    return GetRValue(colour);
}

} // namespace

TEST(FillGradient, TenPixelsFromBlackToWhiteRunFromWhiteOnTheLeftToOneTenthOnTheRight)
{
    const auto image = Paint(10, 3, [](HDC dc) {
        FillGradient(RGB(0, 0, 0), RGB(255, 255, 255), dc, RECT{0, 0, 10, 3}, EGradientAxis::Horizontal);
    });
    EXPECT_EQ(image.Pixel(9, 1), RGB(25, 25, 25));
    EXPECT_EQ(image.Pixel(0, 1), RGB(255, 255, 255));
    for (int x = 0; x < 10; ++x)
    {
        EXPECT_EQ(Red(image.Pixel(x, 0)), 255 * (10 - x) / 10) << "column " << x;
        EXPECT_EQ(image.Pixel(x, 0), image.Pixel(x, 2)); // bands span the whole height
    }
}

TEST(FillGradient, VerticalRunsFromBAtTheTopToAAtTheBottomTruncatingTowardA)
{
    const auto image = Paint(4, 12, [](HDC dc) {
        FillGradient(RGB(200, 10, 0), RGB(0, 10, 200), dc, RECT{0, 2, 4, 12}, EGradientAxis::Vertical);
    });
    EXPECT_EQ(image.Pixel(1, 1), kCanvas);                   // outside the rectangle
    EXPECT_EQ(image.Pixel(1, 2), RGB(0, 10, 200));           // b at the near edge
    EXPECT_EQ(image.Pixel(1, 11), RGB(180, 10, 20));         // 200 - 200·1/10, 0 + 200·1/10
    EXPECT_EQ(image.Pixel(3, 6), RGB(80, 10, 120));          // offset 4 is band k = 6: 200 - 120, 0 + 120
}

TEST(FillGradient, WideExtentsUseWiderBandsAndLeaveNoPixelUnpainted)
{
    const int width = 700; // band size 700 / 255 = 2, with a remainder of 700 - 2·350 = 0; try 701 too
    for (int extent : {width, width + 1})
    {
        const auto image = Paint(extent, 2, [extent](HDC dc) {
            FillGradient(RGB(0, 0, 0), RGB(255, 0, 0), dc, RECT{0, 0, extent, 2}, EGradientAxis::Horizontal);
        });
        for (int x = 0; x < extent; ++x)
            ASSERT_NE(image.Pixel(x, 1), kCanvas) << "column " << x << " of " << extent;
        EXPECT_EQ(image.Pixel(0, 0), RGB(255, 0, 0));
        EXPECT_EQ(image.Pixel(1, 0), RGB(255, 0, 0)); // the near band is two pixels (or three) wide
        EXPECT_EQ(image.Pixel(extent - 1, 0), image.Pixel(extent - 2, 0));
        EXPECT_LT(Red(image.Pixel(extent - 1, 0)), 2);
    }
}

TEST(FillDiagonalGradient, CoversExactlyTheRectangleWithOneColourPerDiagonal)
{
    const RECT rect{2, 3, 22, 13};
    const auto image = Paint(26, 16, [&](HDC dc) {
        FillDiagonalGradient(RGB(0, 0, 0), rect, dc, RGB(0, 200, 100));
    });
    const int d = (13 + 22) - (3 + 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 26; ++x)
        {
            const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            if (!inside)
            {
                ASSERT_EQ(image.Pixel(x, y), kCanvas) << x << "," << y;
                continue;
            }
            const int f = (x + y) - (rect.left + rect.top);
            ASSERT_EQ(image.Pixel(x, y), RGB(0, 200 - 200 * f / d, 100 - 100 * f / d)) << x << "," << y;
        }
    EXPECT_EQ(image.Pixel(2, 3), RGB(0, 200, 100)); // b at the top-left corner
}

TEST(FillDiagonalGradient, AnEmptyOrInvertedRectanglePaintsNothing)
{
    const auto image = Paint(8, 8, [](HDC dc) {
        FillDiagonalGradient(0, RECT{5, 1, 2, 6}, dc, 0);
        FillDiagonalGradient(0, RECT{1, 5, 6, 5}, dc, 0);
    });
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(image.Pixel(x, y), kCanvas);
}

TEST(DrawFrame, WithoutFillDrawsTheBevelOnlyAndLeavesTheInteriorUntouched)
{
    RECT rect{1, 1, 9, 7};
    const auto image = Paint(10, 8, [&](HDC dc) {
        DrawFrame(RGB(250, 250, 0), kNoColour, dc, rect, true, RGB(1, 1, 1), RGB(0, 0, 90), EGradientAxis::Vertical);
    });
    const COLORREF highlight = RGB(250, 250, 0), shadow = RGB(0, 0, 90);
    EXPECT_EQ(image.Pixel(1, 1), highlight);
    EXPECT_EQ(image.Pixel(7, 1), highlight); // top edge up to the last column but one
    EXPECT_EQ(image.Pixel(8, 1), shadow);    // the right edge runs the full height
    EXPECT_EQ(image.Pixel(1, 5), highlight);
    EXPECT_EQ(image.Pixel(1, 6), shadow);    // the bottom edge runs the full width
    EXPECT_EQ(image.Pixel(8, 6), shadow);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 8; ++x)
            ASSERT_EQ(image.Pixel(x, y), kCanvas);
    EXPECT_EQ(image.Pixel(0, 0), kCanvas);
    EXPECT_EQ(rect.left, 2); // inset
    EXPECT_EQ(rect.bottom, 6);
}

TEST(DrawFrame, FillsTheInteriorFromFillAtTheTopToTheGradientColourAtTheBottom)
{
    RECT rect{0, 0, 6, 12};
    const auto image = Paint(6, 12, [&](HDC dc) {
        DrawFrame(RGB(255, 255, 255), RGB(0, 0, 100), dc, rect, false, RGB(0, 0, 200), RGB(0, 0, 0),
                  EGradientAxis::Vertical);
    });
    EXPECT_EQ(image.Pixel(3, 1), RGB(0, 0, 100));       // interior top: the fill colour
    EXPECT_EQ(image.Pixel(3, 10), RGB(0, 0, 190));      // interior bottom: 200 - 100·1/10
    EXPECT_EQ(image.Pixel(1, 10), image.Pixel(4, 10));  // bands across the whole width
    EXPECT_EQ(rect.right, 6);                           // no inset
}

TEST(DrawFrame, MissingHighlightAndShadowTakeTheSystemButtonColours)
{
    RECT rect{0, 0, 5, 5};
    const auto image = Paint(5, 5, [&](HDC dc) {
        DrawFrame(kNoColour, kNoColour, dc, rect, false, 0, kNoColour, EGradientAxis::Horizontal);
    });
    EXPECT_EQ(image.Pixel(0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(image.Pixel(4, 4), GetSysColor(COLOR_BTNSHADOW));
}

TEST(DrawFrameDiagonal, FramesADiagonalGradientOrLeavesTheInteriorWhenColourAIsMissing)
{
    RECT first{0, 0, 8, 8}, second{0, 0, 8, 8};
    const auto filled = Paint(8, 8, [&](HDC dc) {
        DrawFrameDiagonal(RGB(0, 0, 0), RGB(0, 0, 255), first, dc, true, RGB(0, 0, 0), RGB(0, 200, 0));
    });
    EXPECT_EQ(filled.Pixel(0, 0), RGB(0, 0, 255)); // highlight, top left
    EXPECT_EQ(filled.Pixel(7, 7), RGB(0, 0, 0));   // shadow, bottom right
    EXPECT_EQ(filled.Pixel(1, 1), RGB(0, 200, 0)); // b at the interior's top-left corner
    EXPECT_EQ(first.left, 1);

    const auto empty = Paint(8, 8, [&](HDC dc) {
        DrawFrameDiagonal(RGB(0, 0, 0), RGB(0, 0, 255), second, dc, false, kNoColour, RGB(0, 200, 0));
    });
    EXPECT_EQ(empty.Pixel(3, 3), kCanvas);
}

TEST(FramePainting, LeavesNoGdiObjectBehindAndRestoresTheDcsBrushAndPen)
{
    win::COffscreenBuffer canvas;
    ASSERT_TRUE(canvas.Create(nullptr, 40, 40));
    const HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
    const int before = testing_support::CountGdiObjects();
    RECT rect{0, 0, 40, 40};
    DrawFrame(1, 2, canvas.Dc(), rect, true, 3, 4, EGradientAxis::Horizontal);
    DrawFrameDiagonal(1, 2, rect, canvas.Dc(), true, 3, 4);
    EXPECT_EQ(testing_support::CountGdiObjects(), before);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
}
