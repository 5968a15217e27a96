// The canvas's pixel painting, which needs no cairo: the X11 editors and the web page's build of
// the same controls (web/WebCanvas.cpp makes the canvas and sets its text there) share it.
#include "Canvas.h"
#include <algorithm>
#include <cstdlib>

const std::uint8_t* CCanvas::Data() const
{
    return m_pixels;
}

std::uint32_t CCanvas::PixelAt(int x, int y) const
{
    if (!m_pixels || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return reinterpret_cast<const std::uint32_t*>(m_pixels + static_cast<size_t>(y) * m_stride)[x] & 0xFFFFFF;
}

void CCanvas::Set(int x, int y, std::uint32_t rgb)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height)
        reinterpret_cast<std::uint32_t*>(m_pixels + static_cast<size_t>(y) * m_stride)[x] = rgb;
}

void CCanvas::FillSolid(int x, int y, int width, int height, std::uint32_t colour)
{
    if (!m_pixels)
        return;
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, m_width), bottom = std::min(y + height, m_height);
    const std::uint32_t rgb = ToRgb(colour);
    for (int row = top; row < bottom; ++row)
    {
        auto* line = reinterpret_cast<std::uint32_t*>(m_pixels + static_cast<size_t>(row) * m_stride);
        std::fill(line + left, line + std::max(left, right), rgb);
    }
}

void CCanvas::Line(int x0, int y0, int x1, int y1, std::uint32_t colour)
{
    if (!m_pixels)
        return;
    const std::uint32_t rgb = ToRgb(colour);
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx - dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1)
    {
        Set(x, y, rgb);
        const int twice = 2 * error;
        if (twice > -dy)
        {
            error -= dy;
            x += sx;
        }
        if (twice < dx)
        {
            error += dx;
            y += sy;
        }
    }
}

void CCanvas::DrawBitmap(const SBitmapPixels& bitmap, int x, int y, bool useKey, std::uint32_t key)
{
    if (!m_pixels || !bitmap.IsValid())
        return;
    const std::uint32_t skip = ToRgb(key);
    for (int row = 0; row < bitmap.height; ++row)
        for (int column = 0; column < bitmap.width; ++column)
        {
            const std::uint32_t pixel = bitmap.At(column, row);
            if (!useKey || pixel != skip)
                Set(x + column, y + row, pixel);
        }
}

void CCanvas::Copy(const CCanvas& source, int x, int y)
{
    Copy(source, SPixelRect{0, 0, source.Width(), source.Height()}, x, y);
}

void CCanvas::Copy(const CCanvas& source, const SPixelRect& from, int x, int y)
{
    if (!m_pixels || !source.m_pixels)
        return;
    for (int row = from.top; row < from.bottom; ++row)
        for (int column = from.left; column < from.right; ++column)
            if (column >= 0 && row >= 0 && column < source.m_width && row < source.m_height)
                Set(x + column - from.left, y + row - from.top, source.PixelAt(column, row));
}
