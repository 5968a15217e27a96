#pragma once
#include "ControlScale.h"
#include "FramePainting.h"
#include "Gdi.h"
#include "ParameterControl.h"
#include "SliderMotion.h"
#include "SliderScale.h"
#include "Window.h"
#include <commctrl.h>

// The editor's fader: a trackbar of the dialog template that paints every pixel itself (through
// its custom-draw notification) from cached pictures, maps its positions to the parameter's value
// range through a taper pair, and reports the user's gestures to its listeners: a mouse drag as
// begin, one change per movement, end; a key, a wheel notch or a reset (double click, Ctrl click)
// as one whole gesture; Shift slows a drag to a tenth (ParameterSliderInput.cpp).
class CParameterSlider : public win::CWindow, public CParameterControl
{
public:
    CParameterSlider(CParameterControlListener* listener, int parameterIndex, int controlId);
    ~CParameterSlider() override;

    void SetValue(float value) override;
    float GetValue() override;
    float GetMin() override { return m_scale.minimum; }
    float GetMax() override { return m_scale.maximum; }
    int GetMaxPosition() override;
    void SetPosition(int position) override;

    // Configuration, as the dialog does it once the window exists.
    void SetValueRange(float minimum, float maximum);
    // Where a reset puts it.
    void SetDefaultValue(float value) { m_default = value; }
    // `positions` steps with a tick every positions / ticks of them (no ticks for 0).
    void SetSteps(int ticks, int positions);
    void SetReversed(bool reversed);
    bool IsReversed() const { return m_scale.reversed; }
    void SetTapers(Taper valueTaper, Taper positionTaper);

    // Band mode 0: the active range runs from the start of the channel to the thumb. Modes 1 and 2:
    // the two bands are the active ranges; in mode 2 with the band link on, they follow the value.
    void SetBandMode(int mode) { m_bandMode = mode; Invalidate(); }
    void SetBandLink(bool link) { m_bandLink = link; }
    void SetBandA(float start, float end);
    void SetBandB(float start, float end);

    // Colours and flags; the caller then rebuilds the picture concerned.
    void SetBackgroundColours(const SFrameColours& colours) { m_backgroundColours = colours; }
    void SetThumbColours(const SFrameColours& colours) { m_thumbColours = colours; }
    void SetChannelColours(const SFrameColours& colours) { m_channelColours = colours; }
    void SetFillColours(COLORREF start, COLORREF end);
    void SetTickColours(COLORREF normal, COLORREF active);
    void SetTickLength(int length) { m_tickLength = length; }
    void SetTransparent(bool transparent);
    void SetHideThumb(bool hide) { m_hideThumb = hide; }
    void SetHideFill(bool hide) { m_hideFill = hide; }
    void RebuildBackground();
    void RebuildChannel();
    void RebuildThumb();
    // Draws its frames, ticks, channel and thumb at `scale` (the window already has the scaled
    // size); every picture is built again. Scaled, the channel and thumb come from the trackbar
    // geometry, since the system's trackbar keeps its 1x thumb.
    void SetPaintScale(const SControlScale& scale);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct SPixelRange
    {
        int low;
        int high;
    };

    bool IsVertical() const { return (GetStyle() & TBS_VERT) != 0; }
    EGradientAxis Axis() const { return IsVertical() ? EGradientAxis::Vertical : EGradientAxis::Horizontal; }
    int RangeMaximum() const;
    int CurrentPosition() const;
    int ToPosition(double value) const { return m_scale.ToPosition(value, RangeMaximum()); }
    void UpdateBands(float reference, float value);
    void BeginEditing();
    void EndEditing();
    void ShowTooltipText();

    // Keyboard, wheel, reset and fine drag (ParameterSliderInput.cpp): true when the message was
    // handled there, with its result.
    bool OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKeyDown(WPARAM virtualKey);
    bool OnPress(WPARAM flags, LPARAM point);
    bool IsDoubleClick(LPARAM point);
    void TakeScaledThumb(int y);
    LPARAM PressBesideScaledThumb(POINT point) const;
    bool OnFineDrag(WPARAM flags, int y);
    bool Move(slider_motion::EMove move);
    void GoTo(double exact);
    void PlaceAt(double exact);
    void ResetToDefault();
    double PositionsPerPixel() const;

    // Painting (ParameterSliderPainting.cpp).
    void Paint(HDC dc);
    void CaptureParentBackground(HDC dc);
    void PaintTicks(HDC dc, const RECT& channel, const RECT& thumb);
    void PaintChannel(HDC dc, const RECT& channel);
    void PaintThumb(HDC dc, const RECT& thumb);
    RECT ChannelRect() const;
    RECT ThumbRect() const;
    SPixelRange BandPixels(float start, float end, int channelLength) const;

    SSliderScale m_scale;
    SControlScale m_paintScale;
    int m_bandMode = 0;
    bool m_bandLink = true;
    float m_bandAStart = 0.0f, m_bandBStart = 0.0f;
    float m_bandAEnd = 0.0f, m_bandBEnd = 0.0f;
    bool m_bandAStartSet = false, m_bandBStartSet = false;

    SFrameColours m_backgroundColours{0x000080, 0x000080, 0x000080, 0x000080};
    SFrameColours m_thumbColours{0x000033, 0x0000CC, 0x0000DD, 0x000011};
    SFrameColours m_channelColours{0x000000, 0x0000AA, 0x000011, 0x0000FF};
    COLORREF m_fillStart = 0x00FF00;
    COLORREF m_fillEnd = 0x0000FF;
    COLORREF m_tickColour = 0x0F000F;
    COLORREF m_activeTickColour = 0x00CFFF;
    int m_tickLength = 6;
    bool m_transparent = false;
    bool m_hideThumb = false;
    bool m_hideFill = true;
    bool m_backgroundStale = false;
    bool m_editing = false; // between a press on the control and its release
    CExactPosition m_exact;
    CFineDrag m_fineDrag;
    float m_default = 0.0f;
    bool m_thumbDrag = false; // a drag that took the thumb
    DWORD m_lastClickTime = 0;
    POINT m_lastClickPoint{-1000, -1000};

    win::COffscreenBuffer m_parentBackground; // the parent's background under the control
    win::COffscreenBuffer m_backgroundFrame;
    win::COffscreenBuffer m_channel;
    win::COffscreenBuffer m_fill;
    win::COffscreenBuffer m_thumb;
};
