#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The skin bitmaps of resources/bitmaps, compiled into binaries that have no resource section,
// decoded by resource id (IDB_*) into pixels.

struct SEmbeddedFile
{
    const char* name; // the file's stem, e.g. "background"
    const unsigned char* data;
    std::size_t size;
};
// Ends with an entry whose name is null.
extern const SEmbeddedFile kSkinBitmapFiles[];

struct SBitmapPixels
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // rows top to bottom, each pixel 0x00RRGGBB

    bool IsValid() const { return width > 0 && height > 0; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An uncompressed 24- or 32-bit BMP file; an invalid result for anything else.
SBitmapPixels DecodeBmp(const unsigned char* data, std::size_t size);
// The bitmap of that resource id; an invalid result for an unknown id.
SBitmapPixels LoadSkinBitmap(int id);
