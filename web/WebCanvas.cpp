// The X11 controls' canvas in a web page: the same pixel painting into memory the page copies to
// its <canvas>, with text handed to the page, which sets it with the browser's fonts at the
// device's resolution (sharper than pixels scaled up). Measurements come from the page as well.
// The cairo surface the X11 build keeps in the canvas has no counterpart here.
#pragma clang diagnostic ignored "-Wunused-private-field"
#include "Canvas.h"
#include "WebCanvasText.h"
#include <algorithm>
#include <cstdlib>
#include <map>

// Supplied by the page (web/PageImports.js): the advance width and the ascent + descent of a
// text in a style.
extern "C" double web_text_width(const char* text, int length, double pixelSize, int bold);
extern "C" double web_text_height(double pixelSize, int bold);

namespace {

// Text runs per canvas, in painting order; the page sets them over the canvas's pixels.
std::map<const CCanvas*, std::vector<SWebTextRun>>& TextRuns()
{
    static std::map<const CCanvas*, std::vector<SWebTextRun>> runs;
    return runs;
}

} // namespace

const std::vector<SWebTextRun>& WebTextRuns(const CCanvas& canvas)
{
    return TextRuns()[&canvas];
}

CCanvas::CCanvas(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0))
{
    if (m_width == 0 || m_height == 0)
        return;
    m_stride = m_width * 4;
    m_pixels = static_cast<std::uint8_t*>(std::calloc(static_cast<size_t>(m_stride), static_cast<size_t>(m_height)));
}

CCanvas::~CCanvas()
{
    TextRuns().erase(this);
    std::free(m_pixels);
}

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

// Bresenham, the end point left out, as GDI and the X11 canvas draw.
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

void CCanvas::Text(const SPixelRect& rect, const std::string& text, const STextStyle& style, std::uint32_t colour,
                   ETextAlign align)
{
    if (!m_pixels || text.empty())
        return;
    TextRuns()[this].push_back(SWebTextRun{rect, text, style.pixelSize, style.bold, ToRgb(colour),
                                           align == ETextAlign::Centre});
}

int CCanvas::TextWidth(const std::string& text, const STextStyle& style) const
{
    const double width = web_text_width(text.data(), static_cast<int>(text.size()), style.pixelSize, style.bold ? 1 : 0);
    return static_cast<int>(width + 0.5);
}

int CCanvas::TextHeight(const STextStyle& style) const
{
    return static_cast<int>(web_text_height(style.pixelSize, style.bold ? 1 : 0) + 0.5);
}
