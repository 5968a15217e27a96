#pragma once
#include "ControlScale.h"
#include "PixelRect.h"

// Where the common controls' trackbar puts the channel, the thumb and the ticks of a vertical
// trackbar with ticks on both sides (TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, the editor's faders),
// in its client pixels. The Windows sliders ask their trackbar; the X11 sliders compute the same
// rectangles here, and a Windows test holds the two together. In a scaled editor both platforms
// paint from these rectangles, every metric the 1x one multiplied and rounded once: the system's
// trackbar does not scale its thumb with the window.
struct STrackbarGeometry
{
    // The thumb's length across the channel, at 1x.
    static constexpr int kThumbLength = 23;

    STrackbarGeometry() = default;
    STrackbarGeometry(int width, int height, const SControlScale& factor = SControlScale{})
        : clientWidth(width), clientHeight(height), scale(factor) {}

    int clientWidth = 0;
    int clientHeight = 0;
    SControlScale scale;

    SPixelRect Channel() const;
    // The thumb at `position` of the range 0..rangeMaximum.
    SPixelRect Thumb(int position, int rangeMaximum) const;
    // The position a drag puts the thumb's centre at when the pointer is at height `y`.
    int PositionAt(int y, int rangeMaximum) const;
    // How many positions a drag moves the thumb per pixel of the pointer's travel.
    double PositionsPerPixel(int rangeMaximum) const;
    // How far a click beside the thumb moves it.
    static int PageSize(int rangeMaximum);
    // How long a tick mark is, how wide its line, and how far it starts beside the channel.
    int TickLength() const { return scale.Px(6); }
    int TickWidth() const { return scale.Line(); }
    int TickGap(int thumbWidth, int channelWidth) const { return (thumbWidth - channelWidth) / 2 + scale.Px(2); }
    // `count` ticks spread over a channel `length` long with a thumb `thumbLength` long: the
    // distance between two, and how many fit (no closer than a pixel).
    struct STickSpread
    {
        int count;
        double spacing;
    };
    static STickSpread Spread(int count, int length, int thumbLength);
    // Where tick i lies along the channel, counted from the end at `from` (+1: growing, -1: shrinking).
    static int TickAt(int from, int direction, int thumbLength, int i, double spacing)
    {
        return static_cast<int>(direction < 0 ? from - thumbLength / 2.0 - i * spacing
                                              : from + thumbLength / 2.0 + i * spacing);
    }
    // The tick marks of a range 0..rangeMaximum with a tick every `frequency` positions: both ends
    // and every whole interval between them.
    static int TickCount(int rangeMaximum, int frequency);
};
