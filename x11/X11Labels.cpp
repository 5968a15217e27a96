#include "X11Labels.h"
#include <algorithm>
#include <initializer_list>
#include <utility>

void CX11Label::SetLook(const SFrameColourSet& panel, std::uint32_t text, const STextStyle& style)
{
    m_panel = panel;
    m_text = text;
    m_style = style;
    Invalidate();
}

void CX11Label::Paint(CCanvas& canvas)
{
    SCanvasAt at{canvas, Rect().left, Rect().top};
    frame_arithmetic::DrawFrame(at, m_panel.highlight, m_panel.fill, SPixelRect{0, 0, Rect().Width(), Rect().Height()},
                                m_panel.gradient, m_panel.shadow, false);
    canvas.Text(Rect(), m_caption, m_style, m_text, ETextAlign::Centre);
}

void CX11GroupFrame::SetLook(std::uint32_t line, std::uint32_t light, std::uint32_t text, const STextStyle& style)
{
    m_line = line;
    m_light = light;
    m_text = text;
    m_style = style;
    Invalidate();
}

namespace {

// One-pixel strokes through the points, both ends of each included.
void Strokes(CCanvas& canvas, int dx, int dy, std::initializer_list<std::pair<int, int>> points, std::uint32_t colour)
{
    const std::pair<int, int>* previous = nullptr;
    for (const auto& point : points)
    {
        if (previous)
        {
            const int left = std::min(previous->first, point.first), top = std::min(previous->second, point.second);
            const int right = std::max(previous->first, point.first) + 1;
            const int bottom = std::max(previous->second, point.second) + 1;
            canvas.FillSolid(left + dx, top + dy, right - left, bottom - top, colour);
        }
        previous = &point;
    }
}

} // namespace

void CX11GroupFrame::Paint(CCanvas& canvas)
{
    const int left = 0, top = 0, right = Rect().Width() - 1, bottom = Rect().Height() - 1;
    const std::string caption = " " + m_caption + " ";
    const int width = canvas.TextWidth(caption, m_style);
    const int height = canvas.TextHeight(m_style);
    const int x1 = m_centred ? (right - width - left) / 2 : left + 8;
    const int x2 = x1 + width;
    const int y = top + height / 2 - 1;
    const int dx = Rect().left, dy = Rect().top;
    Strokes(canvas, dx, dy, {{x1, y}, {left, y}, {left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, y}, {x2, y}},
            m_line);
    Strokes(canvas, dx, dy, {{x1, y + 1}, {left + 1, y + 1}, {left + 1, bottom - 2}}, m_light);
    Strokes(canvas, dx, dy, {{left + 1, bottom}, {right, bottom}, {right, y + 1}}, m_light);
    Strokes(canvas, dx, dy, {{right - 2, y + 1}, {x2, y + 1}}, m_light);
    canvas.Text(SPixelRect{x1 + dx, y - height / 2 + dy, x2 + dx, y + height - height / 2 + dy}, caption, m_style, m_text,
                ETextAlign::Left);
}
