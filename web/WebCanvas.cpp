// The X11 controls' canvas in a web page: its pixels in plain memory, painted by the X11 build's
// own code (x11/CanvasPixels.cpp), which the page copies to its <canvas>; text is handed to the page, which sets it with the browser's fonts at the
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
