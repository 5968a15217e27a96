#include "SkinPicture.h"
#include "ResourceModule.h"
#include "SkinScale.h"
#include <cmath>

namespace {

BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bitmap's pixels as 0x00RRGGBB, which is how a 32-bit DIB lays them out in memory.
SBitmapPixels PixelsOf(HBITMAP bitmap)
{
    SBitmapPixels pixels;
    const SIZE size = win::BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0)
        return pixels;
    pixels.width = size.cx;
    pixels.height = size.cy;
    pixels.pixels.resize(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO info = TopDown32(size.cx, size.cy);
    win::CClientDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.pixels.data(), &info, DIB_RGB_COLORS) !=
        size.cy)
        return SBitmapPixels{};
    for (std::uint32_t& pixel : pixels.pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

win::CBitmap BitmapOf(const SBitmapPixels& pixels)
{
    BITMAPINFO info = TopDown32(pixels.width, pixels.height);
    void* bits = nullptr;
    win::CBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits)
        std::copy(pixels.pixels.begin(), pixels.pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

int Rounded(double value)
{
    return static_cast<int>(std::floor(value + 0.5));
}

} // namespace

win::CBitmap LoadSkinPicture(int id, double scale, bool keyed, COLORREF key)
{
    const int factor = NativeSkinFactor(scale);
    win::CBitmap native = win::LoadBitmapResource(SkinBitmapIdAt(id, factor));
    if (!native || factor == 1 || std::fabs(scale - factor) < 1e-6)
        return native;
    const SBitmapPixels pixels = PixelsOf(native.Get());
    if (!pixels.IsValid())
        return native;
    const int width = Rounded(pixels.width * scale / factor), height = Rounded(pixels.height * scale / factor);
    const std::uint32_t keyRgb = (key & 0xFF) << 16 | (key & 0xFF00) | (key >> 16 & 0xFF);
    return BitmapOf(ScaleDownPicture(pixels, width, height, keyed, keyRgb));
}
