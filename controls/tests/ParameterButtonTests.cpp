#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "ControlRecorder.h"
#include "FramePainting.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

using testing_support::SImage;

namespace {

// The pixels of a bitmap resource of this executable.
SImage BitmapPixels(int id)
{
    win::CBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    const SIZE size = win::BitmapSize(bitmap.Get());
    win::CMemoryDC dc(nullptr);
    win::CSelection select(dc.Get(), bitmap.Get());
    return testing_support::CaptureDc(dc.Get(), 0, 0, size.cx, size.cy);
}

// Where pixels of a colour lie.
struct SExtent
{
    int count = 0;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

template <class Predicate>
SExtent Find(const SImage& image, Predicate matches)
{
    SExtent extent;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (matches(image.Pixel(x, y)))
            {
                ++extent.count;
                extent.left = std::min(extent.left, x);
                extent.right = std::max(extent.right, x);
                extent.top = std::min(extent.top, y);
                extent.bottom = std::max(extent.bottom, y);
            }
    return extent;
}

SExtent FindColour(const SImage& image, COLORREF colour)
{
    return Find(image, [colour](COLORREF pixel) { return pixel == colour; });
}

// Text drawn smoothly has few pixels of exactly its colour: green enough counts.
bool Greenish(COLORREF pixel)
{
    return GetGValue(pixel) > GetRValue(pixel) + 60;
}

struct ParameterButtonTest : ::testing::Test
{
    testing_support::CHostWindow host{480, 320};
    CRecorder recorder;
    CButtonTestDialog dialog{&recorder};
    CParameterButton& button = dialog.toggle;
    CParameterButton& picture = dialog.picture;

    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get()));
        testing_support::Place(button.GetHwnd(), 10, 10, 60, 20);
        testing_support::Place(picture.GetHwnd(), 90, 10, 40, 40);
        ApplySwitchSkin(button);
        testing_support::RedrawNow(dialog.GetHwnd());
    }

    HWND Hwnd() { return button.GetHwnd(); }
    void Mouse(UINT message, int x, int y)
    {
        SendMessageA(Hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Click()
    {
        Mouse(WM_LBUTTONDOWN, 5, 5);
        Mouse(WM_LBUTTONUP, 5, 5);
    }
    SImage Picture(HWND hwnd)
    {
        testing_support::RedrawNow(dialog.GetHwnd());
        return testing_support::CaptureClient(hwnd);
    }
    // The control as it is now, once it has painted what it was asked to.
    SImage Shown(HWND hwnd)
    {
        UpdateWindow(hwnd);
        return testing_support::CaptureClient(hwnd);
    }
    bool NeedsPainting(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }
};

} // namespace

TEST_F(ParameterButtonTest, HalfSwitchesOnJustBelowHalfSwitchesOffAndTheSameStateAgainDoesNotRepaint)
{
    button.SetValue(0.5f);
    EXPECT_TRUE(button.IsOn());
    EXPECT_EQ(button.GetValue(), 1.0f);
    EXPECT_TRUE(NeedsPainting(Hwnd()));
    EXPECT_EQ(Picture(Hwnd()).Pixel(20, 0), RGB(0, 0, 0)); // the on face is sunken: dark on top

    button.SetValue(0.49f);
    EXPECT_FALSE(button.IsOn());
    EXPECT_EQ(button.GetValue(), 0.0f);
    EXPECT_EQ(Picture(Hwnd()).Pixel(20, 0), RGB(0xFF, 0, 0));

    button.SetValue(0.2f);
    EXPECT_FALSE(NeedsPainting(Hwnd()));
    button.SetPosition(1);
    EXPECT_TRUE(button.IsOn());
    EXPECT_EQ(button.GetMaxPosition(), 1);
    EXPECT_EQ(button.GetMax(), 1.0f);
    EXPECT_TRUE(recorder.journal.empty()); // values set by the program are no user changes
}

TEST_F(ParameterButtonTest, InvertedTheOnStateReadsZero)
{
    button.SetInverted(true);
    button.SetValue(0.0f);
    EXPECT_TRUE(button.IsOn());
    EXPECT_EQ(button.GetValue(), 0.0f);
    button.SetValue(1.0f);
    EXPECT_FALSE(button.IsOn());
    EXPECT_EQ(button.GetValue(), 1.0f);
    EXPECT_EQ(button.GetText(), "1");
}

TEST_F(ParameterButtonTest, PressThenReleaseOutsideTogglesWithBeginChangedEndInThatOrder)
{
    Mouse(WM_LBUTTONDOWN, 5, 5);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(recorder.journal, Journal({"begin"}));
    EXPECT_EQ(Shown(Hwnd()).Pixel(20, 0), RGB(0, 0, 0)); // sunken while held

    Mouse(WM_LBUTTONUP, -40, 200);
    EXPECT_TRUE(button.IsOn());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end"}));
    EXPECT_EQ(recorder.values, std::vector<float>({1.0f}));

    Click();
    EXPECT_FALSE(button.IsOn());
    EXPECT_EQ(recorder.values, std::vector<float>({1.0f, 0.0f}));
}

TEST_F(ParameterButtonTest, AReleaseWithoutAPressOnTheButtonIsNoClick)
{
    Mouse(WM_LBUTTONUP, 5, 5); // pressed elsewhere, released over the button
    EXPECT_FALSE(button.IsOn());
    EXPECT_TRUE(recorder.journal.empty());
}

TEST_F(ParameterButtonTest, TwoQuickClicksToggleTwice)
{
    Mouse(WM_LBUTTONDOWN, 5, 5);
    Mouse(WM_LBUTTONUP, 5, 5);
    Mouse(WM_LBUTTONDBLCLK, 5, 5);
    Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(button.IsOn());
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end", "begin", "changed", "end"}));
}

TEST_F(ParameterButtonTest, LosingTheMouseBeforeTheReleaseEndsTheGestureWithoutAChange)
{
    Mouse(WM_LBUTTONDOWN, 5, 5);
    ReleaseCapture(); // another window takes the mouse
    Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(button.IsOn());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(recorder.journal, Journal({"begin", "end"}));
}

TEST_F(ParameterButtonTest, SpaceTogglesAsOneWholeGestureAndOtherKeysDoNothing)
{
    SendMessageA(Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(Hwnd(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_FALSE(button.IsOn());
    EXPECT_TRUE(recorder.journal.empty());
    SendMessageA(Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(Hwnd(), WM_CHAR, ' ', 0);
    SendMessageA(Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(button.IsOn());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end"}));
}

TEST_F(ParameterButtonTest, ValueTwoOfAThreeChoiceParameterShowsOnAndAClickSetsZero)
{
    button.SetValue(2.0f);
    EXPECT_TRUE(button.IsOn());
    Click();
    EXPECT_EQ(recorder.values, std::vector<float>({0.0f}));
}

TEST_F(ParameterButtonTest, FacesShowTheirColourSetsAndTheCaptionInTheStatesColour)
{
    SetFocus(nullptr); // no focus mark over the face
    const SImage off = Picture(Hwnd());
    // Off: highlight on top and left, shadow at the bottom and right, a diagonal gradient from
    // 0x99 at the top left to 0x33 at the bottom right, the caption in bright red.
    EXPECT_EQ(off.Pixel(20, 0), RGB(0xFF, 0, 0));
    EXPECT_EQ(off.Pixel(0, 10), RGB(0xFF, 0, 0));
    EXPECT_EQ(off.Pixel(20, 19), RGB(0, 0, 0));
    EXPECT_EQ(off.Pixel(59, 10), RGB(0, 0, 0));
    EXPECT_GT(GetRValue(off.Pixel(1, 1)), 0x90);
    EXPECT_LT(GetRValue(off.Pixel(58, 18)), 0x40);
    const SExtent offText = FindColour(off, RGB(0xFF, 0, 0));
    EXPECT_GT(offText.count, 59 + 19 + 10); // the two highlight edges and the letters
    EXPECT_EQ(Find(off, [](COLORREF pixel) { return GetGValue(pixel) > 0; }).count, 0);

    button.SetValue(1.0f);
    const SImage on = Picture(Hwnd());
    EXPECT_EQ(on.Pixel(20, 0), RGB(0, 0, 0));
    EXPECT_EQ(on.Pixel(20, 19), RGB(0xFF, 0, 0));
    EXPECT_LT(GetRValue(on.Pixel(1, 1)), 0x40); // the gradient runs the other way
    const SExtent onText = Find(on, [](COLORREF pixel) { return GetGValue(pixel) > 0x60; });
    ASSERT_GT(onText.count, 20);
    // Centred: as much room on the left as on the right.
    EXPECT_LE(std::abs(onText.left - (59 - onText.right)), 2);

    // Held down: the off face sunken.
    button.SetValue(0.0f);
    Mouse(WM_LBUTTONDOWN, 5, 5);
    const SImage held = Shown(Hwnd());
    EXPECT_EQ(held.Pixel(20, 0), RGB(0, 0, 0));
    EXPECT_EQ(held.Pixel(20, 19), RGB(0xFF, 0, 0));
    Mouse(WM_LBUTTONUP, 5, 5);
}

TEST_F(ParameterButtonTest, HeldDownTheCaptionMovesRightAndDown)
{
    button.SetCaptions("I", "I");
    button.SetTextColours(0x00FF00, 0x00FF00);
    const SExtent released = Find(Picture(Hwnd()), Greenish);
    Mouse(WM_LBUTTONDOWN, 5, 5);
    const SExtent held = Find(Shown(Hwnd()), Greenish);
    Mouse(WM_LBUTTONUP, 5, 5);
    ASSERT_GT(released.count, 0);
    EXPECT_EQ(held.count, released.count);
    EXPECT_EQ(held.left - released.left, 1); // the text rectangle's left and top move by 2
    EXPECT_EQ(held.top - released.top, 1);
}

TEST_F(ParameterButtonTest, AnEmptyCaptionDrawsNoText)
{
    ApplySwitchSkin(picture);
    picture.SetTextColours(0x00FF00, 0x00FF00);
    EXPECT_EQ(Find(Picture(picture.GetHwnd()), Greenish).count, 0);
}

TEST_F(ParameterButtonTest, CentredPictureLeavesOutTheTransparentColour)
{
    // Reference: the face without its picture.
    picture.SetOffColours(SFrameColours{0x000033, 0x000099, 0x0000FF, 0x000000});
    picture.RebuildFaces();
    const SImage bare = Picture(picture.GetHwnd());

    picture.SetFaceBitmaps(kSineFace, kPressedFace, kTriangleFace, kPressedFace);
    picture.EnablePictures(true);
    picture.SetPictureTransparency(true, kSkinPanel);
    picture.RebuildFaces();
    const SImage face = Picture(picture.GetHwnd());
    const SImage bitmap = BitmapPixels(kSineFace);
    ASSERT_EQ(bitmap.width, 32);
    const int x0 = (40 - 32) / 2, y0 = (40 - 32) / 2;
    int left = 0, kept = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            const COLORREF source = bitmap.Pixel(x, y);
            const COLORREF expected = source == kSkinPanel ? bare.Pixel(x0 + x, y0 + y) : source;
            ASSERT_EQ(face.Pixel(x0 + x, y0 + y), expected) << x << ", " << y;
            ++(source == kSkinPanel ? left : kept);
        }
    EXPECT_GT(left, 100);
    EXPECT_GT(kept, 100);
    EXPECT_EQ(face.Pixel(x0 - 1, y0 - 1), bare.Pixel(x0 - 1, y0 - 1)); // the frame around it stays

    // Without transparency the backdrop colour is copied like any other.
    picture.SetPictureTransparency(false, kSkinPanel);
    picture.RebuildFaces();
    const SImage opaque = Picture(picture.GetHwnd());
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(opaque.Pixel(x0 + x, y0 + y), bitmap.Pixel(x, y));
}

TEST_F(ParameterButtonTest, BackdropModePaintsTheGradientBehindTheBitmapAndNoFaceFrame)
{
    ApplyWaveformSkin(picture);
    const SImage face = Picture(picture.GetHwnd());
    const SImage bitmap = BitmapPixels(kSineFace);
    // The backdrop alone, as the button paints it: a diagonal gradient from 0x99 to 0x33.
    win::COffscreenBuffer backdrop;
    ASSERT_TRUE(backdrop.Create(nullptr, 32, 32));
    FillDiagonalGradient(0x000033, RECT{0, 0, 32, 32}, backdrop.Dc(), 0x000099);
    const SImage gradient = testing_support::CaptureDc(backdrop.Dc(), 0, 0, 32, 32);

    const int x0 = 4, y0 = 4;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
        {
            const COLORREF source = bitmap.Pixel(x, y);
            ASSERT_EQ(face.Pixel(x0 + x, y0 + y), source == kSkinPanel ? gradient.Pixel(x, y) : source)
                << x << ", " << y;
        }
    // Around the bitmap only the background (all panel colour here): no face frame.
    for (int i = 0; i < 40; ++i)
    {
        EXPECT_EQ(face.Pixel(i, 0), kSkinPanel);
        EXPECT_EQ(face.Pixel(0, i), kSkinPanel);
        EXPECT_EQ(face.Pixel(i, 39), kSkinPanel);
    }

    // On shows the triangle face; held down the pressed face.
    picture.SetValue(1.0f);
    const SImage triangle = BitmapPixels(kTriangleFace);
    const SImage on = Picture(picture.GetHwnd());
    int differences = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (triangle.Pixel(x, y) != kSkinPanel)
            {
                ASSERT_EQ(on.Pixel(x0 + x, y0 + y), triangle.Pixel(x, y));
                differences += triangle.Pixel(x, y) != bitmap.Pixel(x, y);
            }
    EXPECT_GT(differences, 50);
}

TEST_F(ParameterButtonTest, ATransparentBackdropButtonShowsTheParentsPixelsAroundItsPicture)
{
    ApplyWaveformSkin(picture);
    picture.SetTransparent(true);
    picture.RebuildFaces();
    const SImage face = Picture(picture.GetHwnd());
    const SImage parent = dialog.BackgroundUnder(picture.GetHwnd());
    EXPECT_EQ(face.Pixel(0, 0), parent.Pixel(0, 0));
    EXPECT_EQ(face.Pixel(39, 39), parent.Pixel(39, 39));
    EXPECT_EQ(face.Pixel(2, 20), parent.Pixel(2, 20));
    EXPECT_NE(parent.Pixel(0, 0), parent.Pixel(39, 39)); // the panel is no single colour
}

TEST_F(ParameterButtonTest, FramedPictureSinksOnePixelWhenPressed)
{
    picture.SetFaceBitmaps(kSineFace, kSineFace, kSineFace, kSineFace);
    picture.EnablePictures(true);
    picture.SetPictureMode(EPictureMode::InFrame);
    picture.RebuildFaces();
    const SImage bitmap = BitmapPixels(kSineFace);
    const SImage released = Picture(picture.GetHwnd());
    SendMessageA(picture.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const SImage held = Shown(picture.GetHwnd());
    SendMessageA(picture.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x)
        {
            ASSERT_EQ(released.Pixel(4 + x, 4 + y), bitmap.Pixel(x, y));
            ASSERT_EQ(held.Pixel(5 + x, 5 + y), bitmap.Pixel(x, y));
        }
}

TEST_F(ParameterButtonTest, AMissingBitmapLeavesTheFaceWithoutAPicture)
{
    const SImage bare = Picture(picture.GetHwnd());
    picture.SetFaceBitmaps(9999, 9999, 9999, 9999);
    picture.EnablePictures(true);
    picture.RebuildFaces();
    const SImage face = Picture(picture.GetHwnd());
    EXPECT_EQ(face.rgb, bare.rgb);
}
