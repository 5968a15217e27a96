#pragma once
#include "PixelRect.h"

// Where the common controls' trackbar puts the channel, the thumb and the ticks of a vertical
// trackbar with ticks on both sides (TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, the editor's faders),
// in its client pixels. The Windows sliders ask their trackbar; the X11 sliders compute the same
// rectangles here, and a Windows test holds the two together.
struct STrackbarGeometry
{
    // The thumb's length across the channel.
    static constexpr int kThumbLength = 23;

    int clientWidth = 0;
    int clientHeight = 0;

    SPixelRect Channel() const;
    // The thumb at `position` of the range 0..rangeMaximum.
    SPixelRect Thumb(int position, int rangeMaximum) const;
    // The position a drag puts the thumb's centre at when the pointer is at height `y`.
    int PositionAt(int y, int rangeMaximum) const;
    // How many positions a drag moves the thumb per pixel of the pointer's travel.
    double PositionsPerPixel(int rangeMaximum) const;
    // How far a click beside the thumb moves it.
    static int PageSize(int rangeMaximum);
    // The tick marks of a range 0..rangeMaximum with a tick every `frequency` positions: both ends
    // and every whole interval between them.
    static int TickCount(int rangeMaximum, int frequency);
};
