#pragma once
#include "BitmapPixels.h"
#include <cstddef>
#include <cstdint>

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

// An uncompressed 24- or 32-bit BMP file; an invalid result for anything else.
SBitmapPixels DecodeBmp(const unsigned char* data, std::size_t size);
// The bitmap of that resource id (1x, 2x or 3x); an invalid result for an unknown id.
SBitmapPixels LoadSkinBitmap(int id);
// Bitmap `id` (a 1x IDB_*) for an editor drawn at `scale`: the native picture nearest above it,
// scaled down to its 1x size times the scale (rounded). `key` as ScaleDownPicture takes it.
SBitmapPixels LoadSkinBitmapAt(int id, double scale, bool useKey = false, std::uint32_t key = 0);
