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
    // How far a click beside the thumb moves it.
    static int PageSize(int rangeMaximum);
    // How long a tick mark is, and how wide its line.
    int TickLength() const { return scale.Px(6); }
    int TickWidth() const { return scale.Line(); }
    // The tick marks of a range 0..rangeMaximum with a tick every `frequency` positions: both ends
    // and every whole interval between them.
    static int TickCount(int rangeMaximum, int frequency);
};
