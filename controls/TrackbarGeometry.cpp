#include "TrackbarGeometry.h"
#include <algorithm>

namespace {

// The thumb's extent along the channel: half its length, odd.
constexpr int kThumbThickness = (STrackbarGeometry::kThumbLength / 2) | 1;
// The channel ends this far inside the client's top and bottom.
constexpr int kChannelEnd = static_cast<int>(STrackbarGeometry::kThumbLength / 4.5) + 3;
// Ticks on the left push the channel and the thumb right.
constexpr int kChannelLeft = 18;
constexpr int kChannelWidth = 4;
constexpr int kThumbLeft = 10;
// The thumb's drawn width, two pixels short of its nominal length.
constexpr int kThumbWidth = STrackbarGeometry::kThumbLength - 2;

} // namespace

SPixelRect STrackbarGeometry::Channel() const
{
    const int end = scale.Px(kChannelEnd), left = scale.Px(kChannelLeft);
    return SPixelRect{left, end, left + scale.Px(kChannelWidth), clientHeight - end};
}

SPixelRect STrackbarGeometry::Thumb(int position, int rangeMaximum) const
{
    const SPixelRect channel = Channel();
    const int thickness = scale.Px(kThumbThickness);
    const int travel = channel.Height() - thickness;
    const int range = rangeMaximum > 0 ? rangeMaximum : 1;
    const int top = channel.top + travel * position / range;
    const int left = scale.Px(kThumbLeft);
    return SPixelRect{left, top, left + scale.Px(kThumbWidth), top + thickness};
}

int STrackbarGeometry::PositionAt(int y, int rangeMaximum) const
{
    const SPixelRect channel = Channel();
    const double half = scale.Px(kThumbThickness) / 2;
    const double travel = channel.Height() - 2 * half - 1;
    if (travel <= 0.0 || rangeMaximum <= 0)
        return 0;
    const double position = rangeMaximum * (y - channel.top - half) / travel + 0.5;
    return position > rangeMaximum ? rangeMaximum : position < 0.0 ? 0 : static_cast<int>(position);
}

double STrackbarGeometry::PositionsPerPixel(int rangeMaximum) const
{
    // The travel PositionAt divides by, at the same scale, so a fine drag and a plain one agree.
    const double travel = Channel().Height() - 2 * (scale.Px(kThumbThickness) / 2) - 1;
    return travel > 0.0 && rangeMaximum > 0 ? rangeMaximum / travel : 0.0;
}

int STrackbarGeometry::PageSize(int rangeMaximum)
{
    return rangeMaximum / 5 > 0 ? rangeMaximum / 5 : 1;
}

STrackbarGeometry::STickSpread STrackbarGeometry::Spread(int count, int length, int thumbLength)
{
    const double spacing = count > 1 ? static_cast<double>(length - thumbLength) / (count - 1) : 1.0;
    if (count > 1 && spacing < 1.0)
        return STickSpread{std::max(length - thumbLength, 0), 1.0};
    return STickSpread{count, spacing};
}

int STrackbarGeometry::TickCount(int rangeMaximum, int frequency)
{
    if (frequency <= 0 || rangeMaximum < 0)
        return 2;
    int between = rangeMaximum / frequency;
    if (between > 0 && rangeMaximum % frequency == 0)
        --between;
    return between + 2;
}
