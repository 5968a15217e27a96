#include "SkinBitmaps.h"
#include "resource.h"
#include <gtest/gtest.h>

TEST(SkinBitmapsTest, EveryBitmapDecodesAtItsSizeAndAnUnknownIdOrBrokenFileGivesNone)
{
    const struct { int id; int width; int height; } cases[] = {
        {IDB_BACKGROUND, 400, 165}, {IDB_WAVE_SINE, 32, 32}, {IDB_WAVE_TRIANGLE, 32, 32}, {IDB_WAVE_PRESSED, 32, 32}};
    for (const auto& c : cases)
    {
        const SBitmapPixels bitmap = LoadSkinBitmap(c.id);
        EXPECT_EQ(bitmap.width, c.width) << c.id;
        EXPECT_EQ(bitmap.height, c.height) << c.id;
    }
    // The waveform faces stand mostly on the backdrop colour that is left out when they are drawn.
    const SBitmapPixels sine = LoadSkinBitmap(IDB_WAVE_SINE);
    int backdrop = 0;
    for (std::uint32_t pixel : sine.pixels)
        backdrop += pixel == 0x800000u;
    EXPECT_EQ(backdrop, 544);
    EXPECT_FALSE(LoadSkinBitmap(4711).IsValid());
    const unsigned char truncated[60] = {'B', 'M'};
    EXPECT_FALSE(DecodeBmp(truncated, sizeof truncated).IsValid());
}
