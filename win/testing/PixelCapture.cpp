#include "PixelCapture.h"
#include "PngWriter.h"
#include "TestWindows.h"
#include <algorithm>

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

namespace {

SImage CaptureClientPart(HWND hwnd, const RECT& part)
{
    HDC dc = GetDC(hwnd);
    SImage image = CaptureDc(dc, part.left, part.top, part.right - part.left, part.bottom - part.top);
    ReleaseDC(hwnd, dc);
    return image;
}

} // namespace

// A window keeps pixels only where it lies on the screen, and Wine's screen without a display
// (its null driver) is 1024 x 768. A client area that does not fit is read in pieces: the window
// is moved so that each piece lies on the screen and repainted there, then put back where it was.
// (Moving its top-level window instead leaves a child unpainted past the old screen edge.)
SImage CaptureClient(HWND hwnd)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    if (origin.x >= screen.left && origin.y >= screen.top && origin.x + client.right <= screen.right &&
        origin.y + client.bottom <= screen.bottom)
        return CaptureClientPart(hwnd, client);

    // A child is moved within its parent, a top-level window on the screen.
    HWND parent = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
    RECT placed{};
    GetWindowRect(hwnd, &placed);
    const POINT offset{origin.x - placed.left, origin.y - placed.top}; // the client within the window
    auto moveTo = [&](int screenX, int screenY) {
        POINT at{screenX, screenY};
        if (parent)
            ScreenToClient(parent, &at);
        SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawNow(parent ? parent : hwnd);
    };
    const int pieceWidth = screen.right - screen.left, pieceHeight = screen.bottom - screen.top;
    SImage whole = SImage::Filled(client.right, client.bottom, RGB(0, 0, 0));
    for (int y = 0; y < client.bottom; y += pieceHeight)
        for (int x = 0; x < client.right; x += pieceWidth)
        {
            moveTo(screen.left - offset.x - x, screen.top - offset.y - y);
            const RECT part{x, y, std::min<LONG>(client.right, x + pieceWidth), std::min<LONG>(client.bottom, y + pieceHeight)};
            whole.Paste(CaptureClientPart(hwnd, part), x, y);
        }
    moveTo(placed.left, placed.top);
    return whole;
}

} // namespace testing_support
