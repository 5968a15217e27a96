#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: rows top to bottom, each pixel 0x00RRGGBB.
struct SBitmapPixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool IsValid() const { return width > 0 && height > 0; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
