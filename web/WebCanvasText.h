#pragma once
#include "Canvas.h"
#include <string>
#include <vector>

// A line of text a control painted on a canvas, for the page to set over the canvas's pixels
// (x centred in the rectangle or from its left, vertically centred, as the X11 canvas sets it).
struct SWebTextRun
{
    SPixelRect rect;
    std::string text;
    double pixelSize;
    bool bold;
    std::uint32_t rgb; // 0x00RRGGBB
    bool centred;
};

// The canvas's text runs since it was made, in painting order.
const std::vector<SWebTextRun>& WebTextRuns(const CCanvas& canvas);
