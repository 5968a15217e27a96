#pragma once
#include "ParameterControl.h"
#include "SliderMotion.h"
#include "SliderScale.h"
#include "TrackbarGeometry.h"
#include "X11Control.h"

// The editor's fader on X11: the Windows slider's look (channel, thumb and ticks from the
// trackbar geometry they share) and behaviour: a drag on the thumb reports begin, one change per
// position it moves through, end; a click beside the thumb moves it one page toward the pointer.
// The maximum value is at the top when reversed. With the focus it takes the arrow keys, Page Up
// and Down, Home and End; under the pointer the wheel; a double click or a Ctrl click puts it back
// to its default; Shift slows a drag to a tenth (X11SliderInput.cpp).
class CX11Slider : public CX11Control, public CParameterControl
{
public:
    CX11Slider(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex, int controlId,
               const SControlScale& scale = SControlScale{});

    void SetValue(float value) override;
    float GetValue() override;
    float GetMin() override { return m_scale.minimum; }
    float GetMax() override { return m_scale.maximum; }
    int GetMaxPosition() override { return m_rangeMaximum; }
    void SetPosition(int position) override;
    int GetPosition() const { return m_position; }

    void SetValueRange(float minimum, float maximum);
    // Where a reset puts it.
    void SetDefaultValue(float value) { m_default = value; }
    // `positions` steps with a tick every positions / ticks of them (no ticks for 0).
    void SetSteps(int ticks, int positions);
    void SetReversed(bool reversed);
    bool IsReversed() const { return m_scale.reversed; }
    void SetTapers(Taper valueTaper, Taper positionTaper);
    void SetColours(const SFrameColourSet& background, const SFrameColourSet& channel, const SFrameColourSet& thumb,
                    std::uint32_t tick, std::uint32_t activeTick);

    SPixelRect ThumbRect() const; // in the control's pixels

    void Paint(CCanvas& canvas) override;
    void OnPress(int x, int y) override;
    void OnDrag(int x, int y) override;
    void OnRelease(int x, int y) override;
    bool TakesFocus() const override { return true; }
    bool OnKey(const SEditorKey& key) override;
    bool OnWheel(int notch, bool fine) override;
    bool OnDoubleClick(int x, int y) override;

private:
    void MoveTo(int position);
    // X11SliderInput.cpp: one gesture per key, notch or reset; the drag at a tenth of the speed.
    bool Move(slider_motion::EMove move);
    void GoTo(double exact);
    void PlaceAt(double exact);
    void ResetToDefault();
    // Where a drag to height `y` puts the thumb; false when the value stays.
    bool DragTo(int y);
    void PaintTicks(SCanvasAt& at, const SPixelRect& channel, const SPixelRect& thumb);
    void UpdateTooltip();

    STrackbarGeometry m_geometry;
    SSliderScale m_scale;
    int m_rangeMaximum = 100;
    int m_tickFrequency = 1;
    int m_position = 0;
    CExactPosition m_exact;
    CFineDrag m_fineDrag;
    float m_default = 0.0f;
    bool m_dragging = false;
    bool m_pressed = false;
    SFrameColourSet m_background{0x000080, 0x000080, 0x000080, 0x000080};
    SFrameColourSet m_channel{0x000000, 0x0000AA, 0x000011, 0x0000FF};
    SFrameColourSet m_thumb{0x000033, 0x0000CC, 0x0000DD, 0x000011};
    std::uint32_t m_tick = 0x0F000F;
    std::uint32_t m_activeTick = 0x00CFFF;
};
