// How the slider paints itself: background, ticks, channel (with the level fill) and thumb, each
// from a picture built once.
#include "ParameterSlider.h"
#include "ControlKeys.h"
#include "ParentBackground.h"
#include "TrackbarGeometry.h"
#include <algorithm>
#include <utility>

namespace {

void BuildFrame(win::COffscreenBuffer& buffer, HDC dc, int width, int height,
                const SFrameColours& colours, EGradientAxis axis, int line)
{
    if (buffer.IsValid() || !buffer.Create(dc, width, height))
        return;
    RECT frame{0, 0, width, height};
    DrawFrame(colours.highlight, colours.fill, buffer.Dc(), frame, false, colours.gradient,
              colours.shadow, axis, line);
}

RECT ToRect(const SPixelRect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

void CParameterSlider::SetPaintScale(const SControlScale& scale)
{
    m_paintScale = scale;
    m_tickLength = STrackbarGeometry(0, 0, scale).TickLength(); // the geometry owns the tick's size
    m_parentBackground.Reset();
    m_backgroundFrame.Reset();
    m_channel.Reset();
    m_fill.Reset();
    m_thumb.Reset();
    m_backgroundStale = true;
    Invalidate();
}

RECT CParameterSlider::ChannelRect() const
{
    if (!m_paintScale.IsUnscaled() && IsVertical())
    {
        const RECT client = GetClientRect();
        return ToRect(STrackbarGeometry(client.right, client.bottom, m_paintScale).Channel());
    }
    RECT channel{};
    Send(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    // Windows reports the channel of a vertical trackbar lying on its side; Wine does not.
    if (IsVertical() && channel.right - channel.left > channel.bottom - channel.top)
    {
        std::swap(channel.left, channel.top);
        std::swap(channel.right, channel.bottom);
    }
    if (channel.left > channel.right)
        std::swap(channel.left, channel.right);
    if (channel.top > channel.bottom)
        std::swap(channel.top, channel.bottom);
    return channel;
}

RECT CParameterSlider::ThumbRect() const
{
    if (!m_paintScale.IsUnscaled() && IsVertical())
    {
        const RECT client = GetClientRect();
        const STrackbarGeometry geometry(client.right, client.bottom, m_paintScale);
        return ToRect(geometry.Thumb(CurrentPosition() - static_cast<int>(Send(TBM_GETRANGEMIN)),
                                     RangeMaximum() - static_cast<int>(Send(TBM_GETRANGEMIN))));
    }
    RECT thumb{};
    Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return thumb;
}

CParameterSlider::SPixelRange CParameterSlider::BandPixels(float start, float end, int channelLength) const
{
    const int range = RangeMaximum() - static_cast<int>(Send(TBM_GETRANGEMIN));
    const int inner = std::max(channelLength - 2, 0);
    if (range <= 0)
        return SPixelRange{0, 0};
    const double scale = static_cast<double>(inner) / range;
    int low = static_cast<int>(ToPosition(start) * scale);
    int high = static_cast<int>(ToPosition(end) * scale);
    if (low > high)
        std::swap(low, high);
    return SPixelRange{std::clamp(low, 0, inner), std::clamp(high, 0, inner)};
}

void CParameterSlider::Paint(HDC dc)
{
    if (m_editing)
        ShowTooltipText();
    const RECT client = GetClientRect();
    if (m_transparent)
    {
        if (!m_parentBackground.IsValid() || m_backgroundStale)
            CaptureParentBackground(dc);
        m_parentBackground.CopyTo(dc, 0, 0);
    }
    else
    {
        BuildFrame(m_backgroundFrame, dc, client.right, client.bottom, m_backgroundColours, Axis(),
                   m_paintScale.Line());
        m_backgroundFrame.CopyTo(dc, 0, 0);
    }
    const RECT channel = ChannelRect();
    const RECT thumb = ThumbRect();
    if (!(GetStyle() & TBS_NOTICKS))
        PaintTicks(dc, channel, thumb);
    PaintChannel(dc, channel);
    if (!m_hideThumb)
        PaintThumb(dc, thumb);
    if (control_keys::ShowsFocusMark(GetHwnd()))
        control_keys::PaintFocusMark(dc, client, m_activeTickColour, m_paintScale.Line());
}

// The parent paints its background into the buffer rather than the buffer copying the screen: the
// screen may still show an old thumb, or another window lying over the editor.
void CParameterSlider::CaptureParentBackground(HDC dc)
{
    const RECT client = GetClientRect();
    if (!m_parentBackground.IsValid() && !m_parentBackground.Create(dc, client.right, client.bottom))
        return;
    if (win::PaintParentBackground(GetHwnd(), m_parentBackground.Dc()))
        m_backgroundStale = false;
}

void CParameterSlider::PaintTicks(HDC dc, const RECT& channel, const RECT& thumb)
{
    const bool vertical = IsVertical();
    const int length = vertical ? channel.bottom - channel.top : channel.right - channel.left;
    const int thumbLength = vertical ? thumb.bottom - thumb.top : thumb.right - thumb.left;
    const int thumbWidth = vertical ? thumb.right - thumb.left : thumb.bottom - thumb.top;
    const int channelWidth = vertical ? channel.right - channel.left : channel.bottom - channel.top;

    const STrackbarGeometry::STickSpread ticks =
        STrackbarGeometry::Spread(static_cast<int>(Send(TBM_GETNUMTICS)), length, thumbLength);

    SPixelRange first{}, second{};
    if (m_bandMode == 1 || m_bandMode == 2)
    {
        first = BandPixels(m_bandAStart, m_bandAEnd, length);
        second = BandPixels(m_bandBStart, m_bandBEnd, length);
    }
    else
    {
        const int centre = vertical ? (thumb.top + thumb.bottom) / 2 - channel.top
                                    : (thumb.left + thumb.right) / 2 - channel.left;
        first = second = m_scale.reversed ? SPixelRange{centre, length - 1} : SPixelRange{0, centre};
    }

    const DWORD style = GetStyle();
    const bool firstSide = (style & TBS_LEFT) || (style & TBS_BOTH);
    const bool secondSide = !(style & TBS_LEFT) || (style & TBS_BOTH);
    const int gap = STrackbarGeometry(0, 0, m_paintScale).TickGap(thumbWidth, channelWidth);
    const int line = m_paintScale.Line();
    const int nearEdge = (vertical ? channel.left : channel.top) - gap;  // first side, runs outward
    const int farEdge = (vertical ? channel.right : channel.bottom) + gap; // second side
    const int start = vertical ? channel.top : channel.left;

    // Each tick a filled strip `line` pixels across: at 1x the same pixels as a one-pixel line
    // from the edge outward with its end left out.
    auto colourFor = [&](int at, const SPixelRange& active) {
        return at - start >= active.low && at - start <= active.high ? m_activeTickColour : m_tickColour;
    };
    auto tick = [&](int edge, int at, int outward, COLORREF colour) {
        const int from = outward < 0 ? edge + line - m_tickLength : edge;
        if (vertical)
            FillSolid(dc, from, at, m_tickLength, line, colour);
        else
            FillSolid(dc, at, from, line, m_tickLength, colour);
    };
    for (int i = 0; i < ticks.count; ++i)
    {
        const int at = vertical ? STrackbarGeometry::TickAt(channel.bottom, -1, thumbLength, i, ticks.spacing)
                                : STrackbarGeometry::TickAt(channel.left, +1, thumbLength, i, ticks.spacing);
        if (firstSide)
            tick(nearEdge, at, -1, colourFor(at, first));
        if (secondSide)
            tick(farEdge, at, +1, colourFor(at, second));
    }
}

void CParameterSlider::PaintChannel(HDC dc, const RECT& channel)
{
    const bool vertical = IsVertical();
    const int width = channel.right - channel.left;
    const int height = channel.bottom - channel.top;
    BuildFrame(m_channel, dc, width, height, m_channelColours, Axis(), m_paintScale.Line());
    if (!m_fill.IsValid() && m_fill.Create(dc, width, height))
    {
        // The start colour at the top (left) end, the end colour at the other: swapped when reversed.
        const RECT whole{0, 0, width, height};
        if (m_scale.reversed)
            FillGradient(m_fillStart, m_fillEnd, m_fill.Dc(), whole, Axis());
        else
            FillGradient(m_fillEnd, m_fillStart, m_fill.Dc(), whole, Axis());
    }
    m_channel.CopyTo(dc, channel.left, channel.top);
    if (m_hideFill)
        return;

    const SPixelRange a = BandPixels(m_bandAStart, m_bandAEnd, vertical ? height : width);
    const SPixelRange b = BandPixels(m_bandBStart, m_bandBEnd, vertical ? height : width);
    const RECT inner{channel.left + 1, channel.top + 1, channel.right - 1, channel.bottom - 1};
    if (vertical)
    {
        const int half = (inner.right - inner.left) / 2;
        m_fill.CopyTo(dc, inner.left, inner.top + a.low, half, a.high - a.low, 1, 1 + a.low);
        m_fill.CopyTo(dc, inner.left + half, inner.top + b.low, inner.right - inner.left - half,
                      b.high - b.low, 1 + half, 1 + b.low);
    }
    else
    {
        const int half = (inner.bottom - inner.top) / 2;
        m_fill.CopyTo(dc, inner.left + a.low, inner.top, a.high - a.low, half, 1 + a.low, 1);
        m_fill.CopyTo(dc, inner.left + b.low, inner.top + half, b.high - b.low,
                      inner.bottom - inner.top - half, 1 + b.low, 1 + half);
    }
}

void CParameterSlider::PaintThumb(HDC dc, const RECT& thumb)
{
    BuildFrame(m_thumb, dc, thumb.right - thumb.left, thumb.bottom - thumb.top, m_thumbColours, Axis(),
               m_paintScale.Line());
    m_thumb.CopyTo(dc, thumb.left, thumb.top);
}
