#include "StereoChorusLayout.h"
#include "resource.h"

namespace stereo_chorus_layout {

namespace {

constexpr int kBaseUnitX = 7;
constexpr int kBaseUnitY = 13;

// a · b / c rounded to the nearest, halves away from zero, as Windows scales dialog units.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long rounded = product >= 0 ? product + c / 2 : product - c / 2;
    return static_cast<int>(rounded / c);
}

} // namespace

const SControlLayout kControls[kControlCount] = {
    {IDC_GAIN_FRAME, EControlKind::GroupFrame, "Gain", 19, 14, 29, 86, false},
    {IDC_MODULATION_FRAME, EControlKind::GroupFrame, "Modulation", 49, 14, 101, 86, true},
    {IDC_DELAY_SLIDER, EControlKind::Slider, "", 51, 38, 24, 61, false},
    {IDC_DRY_WET_FRAME, EControlKind::GroupFrame, "Dry / Wet", 152, 41, 54, 59, true},
    {IDC_DRY_SLIDER, EControlKind::Slider, "", 155, 50, 24, 47, false},
    {IDC_WET_SLIDER, EControlKind::Slider, "", 180, 50, 23, 47, false},
    {IDC_GAIN_SLIDER, EControlKind::Slider, "", 21, 23, 23, 76, false},
    {IDC_PRESETS_BUTTON, EControlKind::Button, "Presets", 176, 16, 30, 11, false},
    {IDC_DEPTH_SLIDER, EControlKind::Slider, "", 75, 38, 25, 61, false},
    {IDC_DELAY_LABEL, EControlKind::Label, "Delay", 52, 29, 20, 8, false},
    {IDC_RATE_LABEL, EControlKind::Label, "Rate", 102, 29, 17, 8, false},
    {IDC_RATE_SLIDER, EControlKind::Slider, "", 100, 38, 24, 61, false},
    {IDC_DEPTH_LABEL, EControlKind::Label, "Depth", 77, 29, 21, 8, false},
    {IDC_WAVEFORM_BUTTON, EControlKind::Button, "", 153, 17, 20, 22, false},
    {IDC_BYPASS_BUTTON, EControlKind::Button, "Bypass", 176, 29, 30, 11, false},
    {IDC_STEREO_LABEL, EControlKind::Label, "Stereo", 122, 29, 23, 8, false},
    {IDC_STEREO_SLIDER, EControlKind::Slider, "", 124, 38, 23, 61, false},
};

const SSliderSetup kSliders[kSliderCount] = {
    {IDC_GAIN_SLIDER, 1, 15, 40, "%+.0f", false},
    {IDC_DELAY_SLIDER, 4, 10, 100, "%.2f", false},
    {IDC_DEPTH_SLIDER, 5, 10, 100, "%.0f", false},
    {IDC_RATE_SLIDER, 6, 10, 200, "%.2f", true},
    {IDC_DRY_SLIDER, 2, 10, 100, "%.0f", false},
    {IDC_WET_SLIDER, 3, 10, 100, "%.0f", false},
    {IDC_STEREO_SLIDER, 7, 10, 100, "%.0f", false},
};

SPixelRect ToPixels(int x, int y, int width, int height)
{
    const int left = MulDiv(x, kBaseUnitX, 4);
    const int top = MulDiv(y, kBaseUnitY, 8);
    return SPixelRect{left, top, left + MulDiv(width, kBaseUnitX, 4), top + MulDiv(height, kBaseUnitY, 8)};
}

SPixelRect ControlRect(const SControlLayout& control)
{
    return ToPixels(control.x, control.y, control.width, control.height);
}

const SControlLayout* FindControl(int id)
{
    for (const SControlLayout& control : kControls)
        if (control.id == id)
            return &control;
    return nullptr;
}

int DialogWidth()
{
    return MulDiv(kDialogWidthUnits, kBaseUnitX, 4);
}

int DialogHeight()
{
    return MulDiv(kDialogHeightUnits, kBaseUnitY, 8);
}

bool HitTestAbout(int x, int y)
{
    return x >= kAboutArea.left && x <= kAboutArea.right && y >= kAboutArea.top && y <= kAboutArea.bottom;
}

const char* AboutCaption()
{
    return "About Orvane's Stereo Chorus";
}

const char* AboutText()
{
    return "This plug-in is developped by Orvane's Music Software ( http://www.orvane-music.com )";
}

double ClampScale(double factor)
{
    if (!(factor >= kSmallestScale)) // NaN too
        return kSmallestScale;
    return factor > kLargestScale ? kLargestScale : factor;
}

} // namespace stereo_chorus_layout

namespace layout = stereo_chorus_layout;

CStereoChorusLayout::CStereoChorusLayout(double factor) : m_scale{layout::ClampScale(factor)} {}

int CStereoChorusLayout::Width() const
{
    return m_scale.Px(layout::DialogWidth());
}

int CStereoChorusLayout::Height() const
{
    return m_scale.Px(layout::DialogHeight());
}

SPixelRect CStereoChorusLayout::ControlRect(const SControlLayout& control) const
{
    return m_scale.Px(layout::ControlRect(control));
}

SPixelRect CStereoChorusLayout::ControlRect(int id) const
{
    const SControlLayout* control = layout::FindControl(id);
    return control ? ControlRect(*control) : SPixelRect{};
}

STrackbarGeometry CStereoChorusLayout::Trackbar(int id) const
{
    const SPixelRect rect = ControlRect(id);
    return STrackbarGeometry{rect.Width(), rect.Height(), m_scale};
}

// Bounds included, as at 1x: the last pixel is the 1x one's far edge, scaled.
SPixelRect CStereoChorusLayout::AboutArea() const
{
    const SPixelRect& area = layout::kAboutArea;
    return SPixelRect{m_scale.Px(area.left), m_scale.Px(area.top), m_scale.Px(area.right + 1) - 1,
                      m_scale.Px(area.bottom + 1) - 1};
}

bool CStereoChorusLayout::HitTestAbout(int x, int y) const
{
    const SPixelRect area = AboutArea();
    return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}
