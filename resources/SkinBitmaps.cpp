#include "SkinBitmaps.h"
#include "SkinScale.h"
#include "resource.h"
#include <cmath>
#include <cstring>
#include <string>

namespace {

std::uint32_t Read(const unsigned char* data, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[at + static_cast<std::size_t>(i)];
    return value;
}

const char* StemOf(int id)
{
    switch (id)
    {
    case IDB_BACKGROUND: return "background";
    case IDB_WAVE_SINE: return "wave_sine";
    case IDB_WAVE_TRIANGLE: return "wave_triangle";
    case IDB_WAVE_PRESSED: return "wave_pressed";
    default: return nullptr;
    }
}

// The embedded file's name: the 1x stem, with "_2x" or "_3x" for the larger drawings.
std::string FileOf(int id)
{
    const int factor = id >= IDB_OFFSET_3X ? 3 : id >= IDB_OFFSET_2X ? 2 : 1;
    const char* stem = StemOf(id - (factor == 3 ? IDB_OFFSET_3X : factor == 2 ? IDB_OFFSET_2X : 0));
    if (!stem)
        return {};
    return factor == 1 ? std::string(stem) : std::string(stem) + "_" + std::to_string(factor) + "x";
}

int Rounded(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

} // namespace

SBitmapPixels DecodeBmp(const unsigned char* data, std::size_t size)
{
    SBitmapPixels bitmap;
    if (!data || size < 54 || data[0] != 'B' || data[1] != 'M')
        return bitmap;
    const std::uint32_t offset = Read(data, 10, 4);
    const int width = static_cast<std::int32_t>(Read(data, 18, 4));
    const int signedHeight = static_cast<std::int32_t>(Read(data, 22, 4));
    const int bits = static_cast<int>(Read(data, 28, 2));
    const std::uint32_t compression = Read(data, 30, 4);
    const bool topDown = signedHeight < 0;
    const int height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096 || (bits != 24 && bits != 32) ||
        (compression != 0 && !(compression == 3 && bits == 32)))
        return bitmap;
    const std::size_t stride = (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    if (offset > size || stride * height > size - offset)
        return bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* row = data + offset + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x)
        {
            const unsigned char* p = row + static_cast<std::size_t>(x) * (bits / 8);
            bitmap.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
        }
    }
    return bitmap;
}

SBitmapPixels LoadSkinBitmap(int id)
{
    const std::string name = FileOf(id);
    for (const SEmbeddedFile* file = kSkinBitmapFiles; !name.empty() && file->name; ++file)
        if (name == file->name)
            return DecodeBmp(file->data, file->size);
    return SBitmapPixels{};
}

SBitmapPixels LoadSkinBitmapAt(int id, double scale, bool useKey, std::uint32_t key)
{
    const SBitmapPixels base = LoadSkinBitmap(id);
    const int factor = NativeSkinFactor(scale);
    if (!base.IsValid() || factor == 1)
        return base;
    return ScaleDownPicture(LoadSkinBitmap(SkinBitmapIdAt(id, factor)), Rounded(base.width * scale),
                            Rounded(base.height * scale), useKey, key);
}
