#include "X11Slider.h"
#include <algorithm>

CX11Slider::CX11Slider(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex,
                       int controlId, const SControlScale& scale)
    : CX11Control(rect, scale), CParameterControl(listener, parameterIndex, controlId),
      m_geometry{rect.Width(), rect.Height(), scale}
{
}

void CX11Slider::SetValue(float value)
{
    const int position = m_scale.ToPosition(value, m_rangeMaximum);
    m_exact.Confirm(value, position, m_scale, m_rangeMaximum);
    MoveTo(position);
}

float CX11Slider::GetValue()
{
    return static_cast<float>(m_scale.ToValueAt(m_exact.At(m_position), m_rangeMaximum));
}

void CX11Slider::SetPosition(int position)
{
    m_exact.Forget();
    MoveTo(position);
}

void CX11Slider::MoveTo(int position)
{
    position = std::clamp(position, 0, m_rangeMaximum);
    if (position == m_position)
        return;
    m_position = position;
    Invalidate();
}

void CX11Slider::SetValueRange(float minimum, float maximum)
{
    m_scale.minimum = minimum;
    m_scale.maximum = maximum;
    Invalidate();
}

void CX11Slider::SetSteps(int ticks, int positions)
{
    m_rangeMaximum = std::max(positions, 0);
    ticks = std::min(ticks, m_rangeMaximum);
    m_tickFrequency = ticks > 0 ? m_rangeMaximum / ticks : 0;
    m_position = std::min(m_position, m_rangeMaximum);
    Invalidate();
}

void CX11Slider::SetReversed(bool reversed)
{
    m_scale.reversed = reversed;
    Invalidate();
}

void CX11Slider::SetTapers(Taper valueTaper, Taper positionTaper)
{
    m_scale.valueTaper = valueTaper;
    m_scale.positionTaper = positionTaper;
    Invalidate();
}

void CX11Slider::SetColours(const SFrameColourSet& background, const SFrameColourSet& channel,
                            const SFrameColourSet& thumb, std::uint32_t tick, std::uint32_t activeTick)
{
    m_background = background;
    m_channel = channel;
    m_thumb = thumb;
    m_tick = tick;
    m_activeTick = activeTick;
    Invalidate();
}

SPixelRect CX11Slider::ThumbRect() const
{
    return m_geometry.Thumb(m_position, m_rangeMaximum);
}

// As the Windows slider paints: the background frame, the ticks on both sides (those from the
// thumb to the channel's end lit when reversed), the channel and the thumb.
void CX11Slider::Paint(CCanvas& canvas)
{
    SCanvasAt at{canvas, Rect().left, Rect().top};
    using namespace frame_arithmetic;
    const SPixelRect client{0, 0, Rect().Width(), Rect().Height()};
    const int line = Scale().Line();
    DrawFrame(at, m_background.highlight, m_background.fill, client, m_background.gradient, m_background.shadow,
              false, true, line);
    const SPixelRect channel = m_geometry.Channel();
    const SPixelRect thumb = ThumbRect();
    PaintTicks(at, channel, thumb);
    DrawFrame(at, m_channel.highlight, m_channel.fill, channel, m_channel.gradient, m_channel.shadow, false, true,
              line);
    DrawFrame(at, m_thumb.highlight, m_thumb.fill, thumb, m_thumb.gradient, m_thumb.shadow, false, true, line);
}

// Ticks on both sides, TickWidth() rows high, from the thumb to the channel's end lit when reversed.
void CX11Slider::PaintTicks(SCanvasAt& at, const SPixelRect& channel, const SPixelRect& thumb)
{
    const int length = channel.Height();
    const int thumbLength = thumb.Height();
    const STrackbarGeometry::STickSpread ticks =
        STrackbarGeometry::Spread(STrackbarGeometry::TickCount(m_rangeMaximum, m_tickFrequency), length, thumbLength);
    const int centre = (thumb.top + thumb.bottom) / 2 - channel.top;
    const int activeLow = m_scale.reversed ? centre : 0;
    const int activeHigh = m_scale.reversed ? length - 1 : centre;
    const int gap = m_geometry.TickGap(thumb.Width(), channel.Width());
    const int width = m_geometry.TickWidth(), tickLength = m_geometry.TickLength();
    const int nearEdge = channel.left - gap;
    const int farEdge = channel.right + gap;
    for (int i = 0; i < ticks.count; ++i)
    {
        const int y = STrackbarGeometry::TickAt(channel.bottom, -1, thumbLength, i, ticks.spacing);
        const bool active = y - channel.top >= activeLow && y - channel.top <= activeHigh;
        const std::uint32_t colour = active ? m_activeTick : m_tick;
        at.FillSolid(nearEdge + width - tickLength, y, tickLength, width, colour);
        at.FillSolid(farEdge, y, tickLength, width, colour);
    }
}

void CX11Slider::OnPress(int x, int y)
{
    if (PointerModifiers() & kEditorControl)
    {
        ResetToDefault();
        return;
    }
    const SPixelRect thumb = ThumbRect();
    m_pressed = true;
    NotifyBeginEdit();
    if (x >= thumb.left && x <= thumb.right && y >= thumb.top && y <= thumb.bottom)
    {
        m_dragging = true;
        m_fineDrag.Start(y);
        UpdateTooltip();
        return;
    }
    // Beside the thumb: one page toward the pointer.
    const int page = STrackbarGeometry::PageSize(m_rangeMaximum);
    const int before = m_position;
    m_exact.Forget();
    MoveTo(y < thumb.top ? m_position - page : m_position + page);
    if (m_position != before)
        NotifyValueChanged();
}

void CX11Slider::OnDrag(int, int y)
{
    if (!m_dragging || !DragTo(y))
        return;
    NotifyValueChanged();
    UpdateTooltip();
}

void CX11Slider::OnRelease(int, int)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    if (m_dragging && Host())
        Host()->ShowTooltip("", 0, 0);
    m_dragging = false;
    NotifyEndEdit();
}

// Left of the thumb, as the trackbar's own tooltip sits.
void CX11Slider::UpdateTooltip()
{
    if (!Host())
        return;
    const SPixelRect thumb = ThumbRect();
    Host()->ShowTooltip(GetText(), Rect().left + thumb.left - 2, Rect().top + (thumb.top + thumb.bottom) / 2);
}
