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
                                m_panel.gradient, m_panel.shadow, false, true, Scale().Line());
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

// Strokes `t` pixels wide through the points (each point their top left), both ends included.
void Strokes(CCanvas& canvas, int dx, int dy, std::initializer_list<std::pair<int, int>> points, std::uint32_t colour,
             int t)
{
    const std::pair<int, int>* previous = nullptr;
    for (const auto& point : points)
    {
        if (previous)
        {
            const int left = std::min(previous->first, point.first), top = std::min(previous->second, point.second);
            const int right = std::max(previous->first, point.first) + t;
            const int bottom = std::max(previous->second, point.second) + t;
            canvas.FillSolid(left + dx, top + dy, right - left, bottom - top, colour);
        }
        previous = &point;
    }
}

} // namespace

// The etched lines are Scale().Line() pixels wide: the dark one outside at the top and left and
// inside at the bottom and right, the light one beside it.
void CX11GroupFrame::Paint(CCanvas& canvas)
{
    const int t = Scale().Line();
    const int left = 0, top = 0, right = Rect().Width() - t, bottom = Rect().Height() - t;
    const std::string caption = " " + m_caption + " ";
    const int width = canvas.TextWidth(caption, m_style);
    const int height = canvas.TextHeight(m_style);
    const int x1 = m_centred ? (right - width - left) / 2 : left + Scale().Px(8);
    const int x2 = x1 + width;
    const int y = top + height / 2 - t;
    const int dx = Rect().left, dy = Rect().top;
    Strokes(canvas, dx, dy, {{x1, y}, {left, y}, {left, bottom - t}, {right - t, bottom - t}, {right - t, y}, {x2, y}},
            m_line, t);
    Strokes(canvas, dx, dy, {{x1, y + t}, {left + t, y + t}, {left + t, bottom - 2 * t}}, m_light, t);
    Strokes(canvas, dx, dy, {{left + t, bottom}, {right, bottom}, {right, y + t}}, m_light, t);
    Strokes(canvas, dx, dy, {{right - 2 * t, y + t}, {x2, y + t}}, m_light, t);
    canvas.Text(SPixelRect{x1 + dx, y - height / 2 + dy, x2 + dx, y + height - height / 2 + dy}, caption, m_style, m_text,
                ETextAlign::Left);
}
