#include "SkinBitmaps.h"
#include "SkinScale.h"
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

TEST(SkinBitmapsTest, AScaleTakesTheNativePictureAtOrAboveItReducedToItsSizeNeverEnlarged)
{
    const struct { double scale; int native; int width; int height; int face; } cases[] = {
        {1.0, 1, 400, 165, 32}, {1.25, 2, 500, 206, 40}, {1.5, 2, 600, 248, 48}, {1.75, 2, 700, 289, 56},
        {2.0, 2, 800, 330, 64}, {2.5, 3, 1000, 413, 80}, {3.0, 3, 1200, 495, 96}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(NativeSkinFactor(c.scale), c.native) << c.scale;
        const SBitmapPixels background = LoadSkinBitmapAt(IDB_BACKGROUND, c.scale);
        EXPECT_EQ(background.width, c.width) << c.scale;
        EXPECT_EQ(background.height, c.height) << c.scale;
        EXPECT_EQ(LoadSkinBitmapAt(IDB_WAVE_SINE, c.scale, true, 0x800000).width, c.face) << c.scale;
    }
    EXPECT_EQ(LoadSkinBitmapAt(IDB_BACKGROUND, 1.0).pixels, LoadSkinBitmap(IDB_BACKGROUND).pixels);
}

TEST(SkinBitmapsTest, ReducingAKeyedPictureKeepsTheKeyWhereItCoversMostAndAveragesOnlyTheRest)
{
    SBitmapPixels picture;
    picture.width = 4;
    picture.height = 2;
    const std::uint32_t key = 0x800000, white = 0xFFFFFF, black = 0x000000;
    // Left 2 x 2 block: three key pixels and a white one; right block: white and black, no key.
    picture.pixels = {key, key, white, black, key, white, black, white};
    const SBitmapPixels keyed = ScaleDownPicture(picture, 2, 1, true, key);
    ASSERT_EQ(keyed.pixels.size(), 2u);
    EXPECT_EQ(keyed.pixels[0], key);
    EXPECT_EQ(keyed.pixels[1], 0x808080u);
    const SBitmapPixels plain = ScaleDownPicture(picture, 2, 1);
    EXPECT_EQ(plain.pixels[0], 0xA04040u) << "without a key the key colour is averaged in";
    EXPECT_EQ(ScaleDownPicture(picture, 8, 4).width, 4) << "never enlarged";
}
