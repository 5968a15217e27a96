#include "X11Slider.h"
#include <algorithm>

CX11Slider::CX11Slider(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex,
                       int controlId)
    : CX11Control(rect), CParameterControl(listener, parameterIndex, controlId),
      m_geometry{rect.Width(), rect.Height()}
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
    DrawFrame(at, m_background.highlight, m_background.fill, client, m_background.gradient, m_background.shadow,
              false);

    const SPixelRect channel = m_geometry.Channel();
    const SPixelRect thumb = ThumbRect();
    const int length = channel.Height();
    const int thumbLength = thumb.Height();
    int count = STrackbarGeometry::TickCount(m_rangeMaximum, m_tickFrequency);
    double spacing = count > 1 ? static_cast<double>(length - thumbLength) / (count - 1) : 1.0;
    if (count > 1 && spacing < 1.0)
    {
        spacing = 1.0;
        count = std::max(length - thumbLength, 0);
    }
    const int centre = (thumb.top + thumb.bottom) / 2 - channel.top;
    const int activeLow = m_scale.reversed ? centre : 0;
    const int activeHigh = m_scale.reversed ? length - 1 : centre;
    const int gap = (thumb.Width() - channel.Width()) / 2 + 2;
    const int nearEdge = channel.left - gap;
    const int farEdge = channel.right + gap;
    for (int i = 0; i < count; ++i)
    {
        const int y = static_cast<int>(channel.bottom - thumbLength / 2.0 - i * spacing);
        const bool active = y - channel.top >= activeLow && y - channel.top <= activeHigh;
        const std::uint32_t colour = active ? m_activeTick : m_tick;
        at.Line(nearEdge, y, nearEdge - kTickLength, y, colour);
        at.Line(farEdge, y, farEdge + kTickLength, y, colour);
    }

    DrawFrame(at, m_channel.highlight, m_channel.fill, channel, m_channel.gradient, m_channel.shadow, false);
    DrawFrame(at, m_thumb.highlight, m_thumb.fill, thumb, m_thumb.gradient, m_thumb.shadow, false);
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
