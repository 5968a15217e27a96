#include "EditorTestIds.h"
#include "Gdi.h"
#include "LiveObjects.h"
#include "PixelCapture.h"
#include "TestDialogs.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

namespace {

const int kPatternWidth = 64;
const int kPatternHeight = 48;
const COLORREF kBlack = RGB(0, 0, 0);

COLORREF PatternPixel(int x, int y)
{
    return RGB(4 * x, 5 * y, 0x40);
}

// A background dialog of the given client size, painted and read back.
testing_support::SImage Background(int bitmapId, int width, int height)
{
    testing_support::CHostWindow host(width + 20, height + 20, RGB(255, 255, 255));
    CBackgroundDialog dialog(bitmapId);
    if (!dialog.Create(IDD_BACKGROUND, host.Get()))
        return {};
    testing_support::Place(dialog.GetHwnd(), 0, 0, width, height);
    testing_support::RedrawNow(dialog.GetHwnd());
    return testing_support::CaptureClient(dialog.GetHwnd());
}

} // namespace

TEST(BgDialog, StretchesAtOtherResolutionsOrForClearlySmallerOrLargerBitmaps)
{
    EXPECT_FALSE(StretchesBackground(400, 165, 400, 165, 96, 96));  // the editor at 96 dpi
    EXPECT_TRUE(StretchesBackground(400, 165, 400, 165, 120, 120)); // large fonts
    EXPECT_FALSE(StretchesBackground(400, 165, 400, 165, 120, 96)); // both must differ
    EXPECT_TRUE(StretchesBackground(430, 195, 400, 165, 96, 96));   // 30 pixels larger window
    EXPECT_FALSE(StretchesBackground(410, 175, 400, 165, 96, 96));  // 10 pixels larger window
    EXPECT_FALSE(StretchesBackground(430, 175, 400, 165, 96, 96));  // smaller in one direction only
    EXPECT_TRUE(StretchesBackground(390, 160, 400, 165, 96, 96));   // larger bitmap both ways
    EXPECT_FALSE(StretchesBackground(390, 170, 400, 165, 96, 96));
}

TEST(BgDialog, AWindowTenPixelsLargerCopiesTheBitmapOneToOneAtFourFour)
{
    const auto image = Background(IDB_PATTERN, kPatternWidth + 10, kPatternHeight + 10);
    ASSERT_EQ(image.width, kPatternWidth + 10);
    for (int y = 0; y < kPatternHeight; ++y)
        for (int x = 0; x < kPatternWidth; ++x)
            ASSERT_EQ(image.Pixel(4 + x, 4 + y), PatternPixel(x, y)) << x << "," << y;
    for (int i = 0; i < image.width; ++i)
    {
        EXPECT_EQ(image.Pixel(i, 0), kBlack);
        EXPECT_EQ(image.Pixel(i, 3), kBlack);
    }
    EXPECT_EQ(image.Pixel(3, 20), kBlack);
    EXPECT_EQ(image.Pixel(0, image.height - 1), kBlack);
}

TEST(BgDialog, AWindowThirtyPixelsLargerStretchesTheBitmapInsideAFourPixelMargin)
{
    const int width = kPatternWidth + 30, height = kPatternHeight + 30;
    const auto image = Background(IDB_PATTERN, width, height);
    ASSERT_EQ(image.width, width);
    EXPECT_EQ(image.Pixel(4, 4), PatternPixel(0, 0));
    EXPECT_EQ(image.Pixel(width - 5, height - 5), PatternPixel(kPatternWidth - 1, kPatternHeight - 1));
    EXPECT_EQ(image.Pixel(width - 5, 4), PatternPixel(kPatternWidth - 1, 0));
    // Twice the width less 8: each bitmap column covers about 1.34 window columns.
    EXPECT_EQ(image.Pixel(4 + 43, 4), PatternPixel(32, 0));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(image.Pixel(i, height / 2), kBlack);
        EXPECT_EQ(image.Pixel(width - 1 - i, height / 2), kBlack);
        EXPECT_EQ(image.Pixel(width / 2, i), kBlack);
        EXPECT_EQ(image.Pixel(width / 2, height - 1 - i), kBlack);
    }
}

TEST(BgDialog, WithoutABitmapOrWithAMissingOneTheBackgroundIsPlainDarkRed)
{
    for (int id : {0, 999})
    {
        const auto image = Background(id, 50, 30);
        ASSERT_EQ(image.width, 50);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                ASSERT_EQ(image.Pixel(x, y), RGB(0x80, 0, 0)) << id << ": " << x << "," << y;
    }
}

TEST(BgDialog, ErasingPaintsIntoTheGivenDcReportsNotErasedAndLeavesNothingBehind)
{
    testing_support::CHostWindow host(200, 200);
    CBackgroundDialog dialog(IDB_PATTERN);
    ASSERT_TRUE(dialog.Create(IDD_BACKGROUND, host.Get()));
    testing_support::Place(dialog.GetHwnd(), 0, 0, 74, 58);
    win::COffscreenBuffer buffer;
    ASSERT_TRUE(buffer.Create(nullptr, 74, 58));

    const int objects = testing_support::CountGdiObjects();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(SendMessageA(dialog.GetHwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.Dc()), 0), 0);
    EXPECT_EQ(testing_support::CountGdiObjects(), objects);

    const auto image = testing_support::CaptureDc(buffer.Dc(), 0, 0, 74, 58);
    EXPECT_EQ(image.Pixel(4, 4), PatternPixel(0, 0));
    EXPECT_EQ(image.Pixel(10, 20), PatternPixel(6, 16));
    EXPECT_EQ(image.Pixel(2, 2), kBlack);
}
