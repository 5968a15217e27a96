#pragma once
#include "ControlScale.h"
#include "PixelRect.h"
#include "TrackbarGeometry.h"
#include <cstdint>

// The stereo chorus editor's look and configuration that every platform's editor shares: the
// controls of dialog template IDD_STEREO_CHORUS with their rectangles, the sliders' steps and
// formats, and the skin's colours. The Windows dialog takes its rectangles from the template
// itself; a Windows test holds the template and this table together.

// Colours as Windows writes them, 0x00BBGGRR.
using SkinColour = std::uint32_t;

namespace skin {
constexpr SkinColour kPanel = 0x000080;     // the background's dark red
constexpr SkinColour kHighlight = 0x00CFFF; // orange-yellow
constexpr SkinColour kRed = 0x0000FF;
constexpr SkinColour kDark = 0x000011;
constexpr SkinColour kBright = 0x0000DD;
constexpr SkinColour kTick = 0x00000B;
constexpr SkinColour kSelection = 0x0000AA; // the chosen preset's row
// A switch's raised face, and its sunken face when on: fill, gradient, highlight, shadow.
constexpr SkinColour kRaised[4] = {0x000033, 0x000099, kRed, 0x000000};
constexpr SkinColour kSunken[4] = {0x000099, 0x000033, 0x000000, kRed};
constexpr SkinColour kThumb[4] = {kBright, kDark, kBright, kDark};
constexpr SkinColour kChannel[4] = {kDark, kBright, kDark, kBright};
} // namespace skin

enum class EControlKind
{
    Slider,
    Button,   // a two-state switch (Bypass, Presets) or the waveform picture button
    Label,
    GroupFrame
};

struct SControlLayout
{
    int id;
    EControlKind kind;
    const char* caption;
    int x, y, width, height; // dialog units
    bool centred;            // a group frame's caption in the middle rather than on the left
};

struct SSliderSetup
{
    int id;
    int parameterIndex;
    int ticks;
    int positions;
    const char* format;
    bool squareLaw; // the rate: value = sign·p², position = sign·√|v|
};

namespace stereo_chorus_layout {

// The template's items in template order.
constexpr int kControlCount = 17;
extern const SControlLayout kControls[kControlCount];
constexpr int kSliderCount = 7;
extern const SSliderSetup kSliders[kSliderCount];

// Dialog units to pixels with the base units Windows derives from the template's font
// (Verdana 8 point): 4 horizontal units are 7 pixels, 8 vertical units 13 pixels.
constexpr int kDialogWidthUnits = 233;
constexpr int kDialogHeightUnits = 107;
SPixelRect ToPixels(int x, int y, int width, int height);
SPixelRect ControlRect(const SControlLayout& control);
const SControlLayout* FindControl(int id);
// The whole editor: 408 × 174 pixels.
int DialogWidth();
int DialogHeight();

// The logo strip of the background opens the About box; client pixels, bounds included.
constexpr SPixelRect kAboutArea{6, 36, 29, 134};
bool HitTestAbout(int x, int y);
const char* AboutCaption();
const char* AboutText();

// The slide-out preset list: its width when out, the rows' height, the per-tick growth.
constexpr int kPresetListWidth = 130;
constexpr int kPresetSlideStep = 30;
constexpr unsigned kPresetSlidePeriodMs = 25;

// The sizes the editor offers its user, in percent, and the range of factors it draws at: the
// skin is drawn natively up to 3x and a picture is never enlarged.
constexpr int kChoosableSizes[] = {100, 125, 150, 175, 200, 250, 300};
constexpr double kSmallestScale = 1.0;
constexpr double kLargestScale = 3.0;
double ClampScale(double factor);

} // namespace stereo_chorus_layout

// The editor at one scale factor: the one place both editors (the Windows dialog and its controls,
// the X11 view) and the skin's pictures take every rectangle, size, font and metric from. Each is
// the 1x one multiplied by the factor and rounded once; at 1.0 they are exactly today's.
class CStereoChorusLayout
{
public:
    explicit CStereoChorusLayout(double factor = 1.0);

    double Factor() const { return m_scale.factor; }
    const SControlScale& Scale() const { return m_scale; }
    // The whole editor.
    int Width() const;
    int Height() const;
    SPixelRect ControlRect(const SControlLayout& control) const;
    // The rectangle of the template item with that id; empty for an unknown id.
    SPixelRect ControlRect(int id) const;
    // A slider's trackbar at this size, in its client pixels.
    STrackbarGeometry Trackbar(int id) const;

    // The background picture sits this far in from the top left.
    int BackgroundMargin() const { return m_scale.Px(4); }
    // The background picture's size at this scale (the 400 x 165 one, multiplied and rounded).
    int BackgroundWidth() const { return m_scale.Px(400); }
    int BackgroundHeight() const { return m_scale.Px(165); }
    SPixelRect AboutArea() const;
    bool HitTestAbout(int x, int y) const;

    // Text: the captions' and switches' pixel height (11 at 1x), the preset list's font height
    // (13) and the popups' line height (15).
    int CaptionPixels() const { return m_scale.Px(11); }
    int ListFontPixels() const { return m_scale.Px(13); }
    int PopupLinePixels() const { return m_scale.Px(15); }
    int PresetListWidth() const { return m_scale.Px(stereo_chorus_layout::kPresetListWidth); }
    int PresetSlideStep() const { return m_scale.Px(stereo_chorus_layout::kPresetSlideStep); }

private:
    SControlScale m_scale;
};
