#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A picture read back from the screen, as R, G, B bytes, top row first.
struct SImage
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    COLORREF Pixel(int x, int y) const;
    bool SavePng(const std::string& path) const;
    // The picture scaled up by a whole factor (to look at small controls).
    SImage Magnified(int factor) const;
    // Copies `source` to (x, y), clipped.
    void Paste(const SImage& source, int x, int y);
    static SImage Filled(int width, int height, COLORREF colour);
};

// Reads `width` × `height` pixels at (x, y) of a DC (BitBlt into a 24-bit DIB section).
SImage CaptureDc(HDC dc, int x, int y, int width, int height);
// The client area of a window as it is painted, children included, also where it reaches past
// the screen. PrintWindow is no use: Wine's paints no children.
SImage CaptureClient(HWND hwnd);

} // namespace testing_support
