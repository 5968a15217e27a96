// Not a check of numbers but a picture book: paints the controls in their states into
// gallery/*.png of the build folder, to be looked at.
#include "ControlTestIds.h"
#include "FramePainting.h"
#include "Gdi.h"
#include "PixelCapture.h"
#include "SliderTestDialog.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <string>

using testing_support::SImage;

namespace {

const COLORREF kPanel = 0x000080;

std::string GalleryFile(const char* name)
{
    CreateDirectoryA("gallery", nullptr);
    return std::string("gallery/") + name;
}

void Save(const SImage& image, const char* name)
{
    ASSERT_TRUE(image.SavePng(GalleryFile((std::string(name) + ".png").c_str())));
    ASSERT_TRUE(image.Magnified(3).SavePng(GalleryFile((std::string(name) + "-x3.png").c_str())));
}

void Configure(CParameterSlider& slider, float minimum, float maximum, int ticks, int positions)
{
    slider.SetValueRange(minimum, maximum);
    slider.SetSteps(ticks, positions);
    slider.SetReversed(true);
    ApplyChorusSkin(slider);
}

} // namespace

TEST(Gallery, SlidersInTheirStates)
{
    testing_support::CHostWindow host(480, 220);
    CGalleryDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_GALLERY, host.Get()));
    auto& s = dialog.sliders;

    // 1-4: the editor's look from the minimum to the maximum.
    const float values[] = {0.0f, 25.0f, 50.0f, 100.0f};
    for (int i = 0; i < 4; ++i)
    {
        Configure(*s[i], 0.0f, 100.0f, 10, 100);
        s[i]->SetValue(values[i]);
    }
    // 5: the rate slider, square law on 0.1..10 Hz, at 0.4 Hz.
    Configure(*s[4], 0.1f, 10.0f, 10, 200);
    s[4]->SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
    s[4]->SetValue(0.4f);
    // 6: the gain slider, a tick every two of its 40 positions, at 0 dB.
    Configure(*s[5], -20.0f, 20.0f, 15, 40);
    s[5]->SetValue(0.0f);
    // 7: the default colours, not reversed.
    s[6]->SetSteps(10, 100);
    s[6]->SetValue(30.0f);
    // 8: transparent over the panel, with a level fill in band mode 2.
    Configure(*s[7], 0.0f, 100.0f, 10, 100);
    s[7]->SetTransparent(true);
    s[7]->SetHideFill(false);
    s[7]->SetBandMode(2);
    s[7]->SetValue(70.0f);
    // 9: horizontal, with the level fill.
    Configure(*s[8], 0.0f, 100.0f, 20, 100);
    s[8]->SetReversed(false);
    s[8]->SetHideFill(false);
    s[8]->SetBandMode(2);
    s[8]->SetValue(60.0f);

    testing_support::RedrawNow(dialog.GetHwnd());
    SImage panel = testing_support::CaptureClient(dialog.GetHwnd());
    ASSERT_GT(panel.width, 0);

    // Slider 3 held by the mouse: its tooltip shows value and unit beside the thumb.
    s[2]->SetUnit("%");
    RECT thumb{};
    SendMessageA(s[2]->GetHwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    SendMessageA(s[2]->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(s[2]->GetHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y - 14));
    testing_support::PumpMessages();
    const HWND tooltip = reinterpret_cast<HWND>(SendMessageA(s[2]->GetHwnd(), TBM_GETTOOLTIPS, 0, 0));
    testing_support::RedrawNow(tooltip);
    const SImage tip = testing_support::CaptureClient(tooltip);
    const SImage held = testing_support::CaptureClient(s[2]->GetHwnd());
    SendMessageA(s[2]->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y - 14));

    SImage sheet = SImage::Filled(panel.width + 20 + held.width + 10 + tip.width + 10,
                                  std::max(panel.height, held.height) + 20, RGB(60, 60, 60));
    sheet.Paste(panel, 10, 10);
    sheet.Paste(held, panel.width + 20, 10);
    const RECT heldThumb = [&] {
        RECT r{};
        SendMessageA(s[2]->GetHwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }();
    sheet.Paste(tip, panel.width + 20 + held.width + 4, 10 + heldThumb.top - 3);
    Save(sheet, "sliders");
}

TEST(Gallery, FramesAndGradients)
{
    win::COffscreenBuffer canvas;
    ASSERT_TRUE(canvas.Create(nullptr, 330, 130));
    const HDC dc = canvas.Dc();
    FillSolid(dc, 0, 0, 330, 130, kPanel);

    // Gradients: black to white across, panel red to orange-yellow down, diagonal.
    FillGradient(RGB(0, 0, 0), RGB(255, 255, 255), dc, RECT{10, 10, 110, 30}, EGradientAxis::Horizontal);
    FillGradient(0x00CFFF, 0x000080, dc, RECT{10, 40, 40, 120}, EGradientAxis::Vertical);
    FillDiagonalGradient(0x000011, RECT{50, 40, 110, 120}, dc, 0x0000DD);

    // The slider's parts in the editor's colours: channel, thumb, background.
    RECT channel{130, 10, 136, 120};
    DrawFrame(0x000011, 0x000011, dc, channel, false, 0x0000DD, 0x0000DD, EGradientAxis::Vertical);
    RECT thumb{120, 50, 146, 61};
    DrawFrame(0x0000DD, 0x0000DD, dc, thumb, false, 0x000011, 0x000011, EGradientAxis::Vertical);

    // The switch faces: off, on (sunken), and the diagonal off face pressed.
    RECT off{160, 10, 220, 32};
    DrawFrameDiagonal(0x000000, 0x0000FF, off, dc, true, 0x000033, 0x000099);
    RECT on{160, 40, 220, 62};
    DrawFrameDiagonal(0x0000FF, 0x000000, on, dc, true, 0x000099, 0x000033);
    RECT pressed{160, 70, 220, 92};
    DrawFrameDiagonal(0x0000FF, 0x000000, pressed, dc, true, 0x000099, 0x000033);
    RECT straight{230, 10, 320, 32};
    DrawFrame(0x0000FF, 0x000033, dc, straight, true, 0x000099, 0x000000, EGradientAxis::Vertical);
    RECT system{230, 40, 320, 62};
    DrawFrame(kNoColour, 0x000080, dc, system, true, 0x000033, kNoColour, EGradientAxis::Horizontal);
    RECT empty{230, 70, 320, 92};
    DrawFrame(0x00CFFF, kNoColour, dc, empty, true, 0, 0x000011, EGradientAxis::Vertical);

    Save(testing_support::CaptureDc(dc, 0, 0, 330, 130), "painting");
}
