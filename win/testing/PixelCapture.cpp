#include "PixelCapture.h"
#include "PngWriter.h"

namespace testing_support {

COLORREF SImage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

bool SImage::SavePng(const std::string& path) const
{
    return png::Write(path, width, height, rgb);
}

SImage SImage::Magnified(int factor) const
{
    SImage large;
    large.width = width * factor;
    large.height = height * factor;
    large.rgb.resize(static_cast<size_t>(large.width) * static_cast<size_t>(large.height) * 3);
    for (int y = 0; y < large.height; ++y)
        for (int x = 0; x < large.width; ++x)
        {
            const size_t from = (static_cast<size_t>(y / factor) * static_cast<size_t>(width) + static_cast<size_t>(x / factor)) * 3;
            const size_t to = (static_cast<size_t>(y) * static_cast<size_t>(large.width) + static_cast<size_t>(x)) * 3;
            for (int c = 0; c < 3; ++c)
                large.rgb[to + static_cast<size_t>(c)] = rgb[from + static_cast<size_t>(c)];
        }
    return large;
}

void SImage::Paste(const SImage& source, int x, int y)
{
    for (int sy = 0; sy < source.height; ++sy)
        for (int sx = 0; sx < source.width; ++sx)
        {
            const int tx = x + sx, ty = y + sy;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height)
                continue;
            const size_t from = (static_cast<size_t>(sy) * static_cast<size_t>(source.width) + static_cast<size_t>(sx)) * 3;
            const size_t to = (static_cast<size_t>(ty) * static_cast<size_t>(width) + static_cast<size_t>(tx)) * 3;
            for (int c = 0; c < 3; ++c)
                rgb[to + static_cast<size_t>(c)] = source.rgb[from + static_cast<size_t>(c)];
        }
}

SImage SImage::Filled(int width, int height, COLORREF colour)
{
    SImage image;
    image.width = width;
    image.height = height;
    image.rgb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int i = 0; i < width * height; ++i)
        image.rgb.insert(image.rgb.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
    return image;
}

SImage CaptureDc(HDC dc, int x, int y, int width, int height)
{
    SImage image;
    if (!dc || width <= 0 || height <= 0)
        return image;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(dc);
    if (section && memory && bits)
    {
        HGDIOBJ previous = SelectObject(memory, section);
        BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
        GdiFlush();
        image.width = width;
        image.height = height;
        image.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
        const auto* rows = static_cast<const uint8_t*>(bits);
        for (int row = 0; row < height; ++row)
            for (int column = 0; column < width; ++column)
            {
                const uint8_t* bgr = rows + stride * static_cast<size_t>(row) + static_cast<size_t>(column) * 3;
                uint8_t* out = &image.rgb[(static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(column)) * 3];
                out[0] = bgr[2];
                out[1] = bgr[1];
                out[2] = bgr[0];
            }
        SelectObject(memory, previous);
    }
    if (memory)
        DeleteDC(memory);
    if (section)
        DeleteObject(section);
    return image;
}

SImage CaptureClient(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    SImage image = CaptureDc(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(hwnd, dc);
    return image;
}

} // namespace testing_support
