#include "Canvas.h"
#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

// pixman, under cairo, builds tables when it is loaded and never frees them: a host that loads
// and unloads the plug-in again and again would lose them each time. Once loaded, cairo and
// pixman stay, so they are built once per process.
const bool g_keptLoaded = [] {
    for (const char* name : {"libcairo.so.2", "libpixman-1.so.0"})
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return true;
}();

} // namespace

CCanvas::CCanvas(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0))
{
    if (m_width == 0 || m_height == 0)
        return;
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height);
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        return;
    }
    m_pixels = cairo_image_surface_get_data(m_surface);
    m_stride = cairo_image_surface_get_stride(m_surface);
    std::memset(m_pixels, 0, static_cast<size_t>(m_stride) * m_height);
    cairo_surface_mark_dirty(m_surface);
}

CCanvas::~CCanvas()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

namespace {

// Unhinted metrics: a text's height is the font's own, not rounded up per edge, as the layout
// of captions on a line (the group frames) expects from the Windows fonts.
void SetFont(cairo_t* cr, const STextStyle& style)
{
    cairo_select_font_face(cr, style.family, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, style.pixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace

void CCanvas::Text(const SPixelRect& rect, const std::string& text, const STextStyle& style, std::uint32_t colour,
                   ETextAlign align)
{
    if (!m_surface || text.empty())
        return;
    cairo_surface_mark_dirty(m_surface); // the pixels were written directly
    cairo_t* cr = cairo_create(m_surface);
    SetFont(cr, style);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_font_extents_t font{};
    cairo_font_extents(cr, &font);
    double x = rect.left;
    if (align == ETextAlign::Centre)
        x = rect.left + std::floor((rect.Width() - extents.x_advance) / 2.0);
    const double y = rect.top + std::floor((rect.Height() - (font.ascent + font.descent)) / 2.0 + font.ascent);
    cairo_rectangle(cr, 0, 0, m_width, m_height);
    cairo_clip(cr);
    const std::uint32_t rgb = ToRgb(colour);
    cairo_set_source_rgb(cr, (rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    cairo_destroy(cr);
    cairo_surface_flush(m_surface);
}

int CCanvas::TextWidth(const std::string& text, const STextStyle& style) const
{
    if (!m_surface)
        return 0;
    cairo_t* cr = cairo_create(m_surface);
    SetFont(cr, style);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_destroy(cr);
    return static_cast<int>(std::lround(extents.x_advance));
}

int CCanvas::TextHeight(const STextStyle& style) const
{
    if (!m_surface)
        return 0;
    cairo_t* cr = cairo_create(m_surface);
    SetFont(cr, style);
    cairo_font_extents_t font{};
    cairo_font_extents(cr, &font);
    cairo_destroy(cr);
    return static_cast<int>(std::lround(font.ascent + font.descent));
}
