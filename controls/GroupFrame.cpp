#include "GroupFrame.h"
#include "CaptionFont.h"
#include "FramePainting.h"
#include <algorithm>

SCaptionSpan CaptionSpan(int alignment, int left, int right, int margin, int width)
{
    switch (alignment & BS_CENTER)
    {
    case BS_RIGHT:
        return SCaptionSpan{right - margin - width, right - margin};
    case BS_CENTER:
    {
        const int first = (left + right - width) / 2;
        return SCaptionSpan{first, first + width};
    }
    default:
        return SCaptionSpan{left + margin, left + margin + width};
    }
}

CGroupFrame::CGroupFrame()
    : m_lineColour(GetSysColor(COLOR_BTNSHADOW)), m_lightColour(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_disabledLineColour(GetSysColor(COLOR_BTNSHADOW)), m_disabledLightColour(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_font(CreateCaptionFont())
{
}

CGroupFrame::~CGroupFrame() = default;

void CGroupFrame::SetLineColours(COLORREF line, COLORREF light)
{
    m_lineColour = line;
    m_lightColour = light;
    Invalidate();
}

void CGroupFrame::SetDisabledLineColours(COLORREF line, COLORREF light)
{
    m_disabledLineColour = line;
    m_disabledLightColour = light;
    Invalidate();
}

void CGroupFrame::SetTextColour(COLORREF colour)
{
    m_textColour = colour;
    Invalidate();
}

void CGroupFrame::SetLineWidth(int width)
{
    m_lineWidth = std::max(width, 1);
    Invalidate();
}

void CGroupFrame::SetFont(win::CFont font)
{
    if (font)
        m_font = std::move(font);
    Invalidate();
}

void CGroupFrame::PreSubclassWindow()
{
    const DWORD style = GetStyle();
    const DWORD alignment = style & BS_CENTER;
    m_captionAlignment = alignment ? static_cast<int>(alignment) : BS_LEFT;
    if (GetExStyle() & 0xC0)
        m_hideCaption = true;
    m_caption = GetCaption();
}

RECT CGroupFrame::FrameRect() const
{
    RECT rect = GetWindowRectIn(GetHwnd());
    rect.right -= m_lineWidth; // the light line's place inside the right and bottom edges
    rect.bottom -= m_lineWidth;
    const DWORD exStyle = GetExStyle();
    auto shrink = [&rect](int x, int y) {
        rect.left += x;
        rect.top += y;
        rect.right -= x;
        rect.bottom -= y;
    };
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    if (exStyle & WS_EX_DLGMODALFRAME)
    {
        shrink(2 * edgeX, 2 * edgeY);
        rect.left -= 1;
    }
    if (exStyle & WS_EX_CLIENTEDGE)
    {
        shrink(edgeX + 1, edgeY + 1);
        rect.left -= 1;
        if (exStyle & WS_EX_DLGMODALFRAME)
            rect.right += 1;
    }
    if (exStyle & WS_EX_STATICEDGE)
    {
        shrink(2 * GetSystemMetrics(SM_CXBORDER), 2 * GetSystemMetrics(SM_CYBORDER));
        rect.left -= 1;
    }
    return rect;
}

namespace {

// A path of horizontal and vertical strokes `width` pixels wide, both ends of every stroke
// included (as square end caps have it), in one colour. Filled rectangles rather than a pen:
// they cover the same pixels on every system.
void DrawStrokes(HDC dc, std::initializer_list<POINT> points, int width, COLORREF colour)
{
    const int before = (width - 1) / 2;
    const POINT* previous = nullptr;
    for (const POINT& point : points)
    {
        if (previous)
        {
            const int left = std::min(previous->x, point.x) - before;
            const int top = std::min(previous->y, point.y) - before;
            const int right = std::max(previous->x, point.x) - before + width;
            const int bottom = std::max(previous->y, point.y) - before + width;
            FillSolid(dc, left, top, right - left, bottom - top, colour);
        }
        previous = &point;
    }
}

} // namespace

void CGroupFrame::Paint(HDC dc)
{
    const RECT rect = FrameRect();
    const int saved = SaveDC(dc);

    const std::string caption = " " + m_caption + " ";
    SelectObject(dc, m_font.Get());
    SIZE text{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const SCaptionSpan span = CaptionSpan(m_captionAlignment, rect.left, rect.right, m_captionMargin, text.cx);
    const int x1 = span.first, x2 = span.last;

    const bool enabled = IsWindowEnabled(GetHwnd()) != FALSE;
    const COLORREF line = enabled ? m_lineColour : m_disabledLineColour;
    const COLORREF light = enabled ? m_lightColour : m_disabledLightColour;
    const int t = m_lineWidth;
    const int y = rect.top + text.cy / 2 - t; // the top line runs through the middle of the caption
    const LONG left = rect.left, right = rect.right, bottom = rect.bottom;

    // Etched: the line outside at the top and left and inside at the bottom and right, the light
    // line beside it.
    DrawStrokes(dc, {{x1, y}, {left, y}, {left, bottom - t}, {right - t, bottom - t}, {right - t, y}, {x2, y}}, t, line);
    DrawStrokes(dc, {{x1, y + t}, {left + t, y + t}, {left + t, bottom - 2 * t}}, t, light);
    DrawStrokes(dc, {{left + t, bottom}, {right, bottom}, {right, y + t}}, t, light);
    DrawStrokes(dc, {{right - 2 * t, y + t}, {x2, y + t}}, t, light);

    if (!m_hideCaption)
    {
        SetTextColor(dc, m_textColour);
        SetBkMode(dc, TRANSPARENT);
        if (enabled)
        {
            RECT area{x1, y - m_captionLift, x2, y};
            DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
                      DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
        }
        else
        {
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()),
                       static_cast<WPARAM>(caption.size()), x1, y - text.cy / 2, text.cx, text.cy,
                       DST_PREFIXTEXT | DSS_DISABLED);
        }
    }
    RestoreDC(dc, saved);
}

LRESULT CGroupFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        win::CPaintDC dc(GetHwnd());
        Paint(dc.Get());
        return 0;
    }
    case WM_SETTEXT:
    case WM_ENABLE:
    {
        // The system's group box paints itself at once on these; paint over it.
        const LRESULT result = Default();
        Invalidate();
        return result;
    }
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}

// The system's group box asks for colours only when it paints itself: the parent repaints the
// whole area so that nothing of the system's drawing stays.
bool CGroupFrame::OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result)
{
    if (message != WM_CTLCOLORBTN && message != WM_CTLCOLORSTATIC)
        return false;
    if (const HWND parent = GetParent())
        InvalidateRect(parent, nullptr, TRUE);
    *result = 0;
    return true;
}
