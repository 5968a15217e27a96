#include "StaticText.h"
#include "CaptionFont.h"
#include "ParentBackground.h"

CStaticText::CStaticText() : m_textColour(GetSysColor(COLOR_BTNTEXT))
{
}

CStaticText::~CStaticText() = default;

void CStaticText::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    m_backgroundStale = true;
    Invalidate();
}

void CStaticText::RebuildPanel()
{
    m_panel.Reset();
    RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CStaticText::PreSubclassWindow()
{
    // A simple static: this class paints it, the type only keeps the system from adding anything.
    const LONG style = GetWindowLongA(GetHwnd(), GWL_STYLE);
    SetWindowLongA(GetHwnd(), GWL_STYLE, (style & ~0x1F) | SS_SIMPLE);
    SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!m_textCaptured)
    {
        m_text = GetCaption();
        m_textCaptured = true;
    }
}

void CStaticText::CaptureParentBackground(HDC dc)
{
    const RECT client = GetClientRect();
    if (!m_parentBackground.IsValid() && !m_parentBackground.Create(dc, client.right, client.bottom))
        return;
    if (win::PaintParentBackground(GetHwnd(), m_parentBackground.Dc()))
        m_backgroundStale = false;
}

void CStaticText::PaintBackground(HDC target)
{
    if (m_transparent)
    {
        if (!m_parentBackground.IsValid() || m_backgroundStale)
            CaptureParentBackground(target);
        m_parentBackground.CopyTo(target, 0, 0);
        return;
    }
    const RECT client = GetClientRect();
    if (!m_panel.IsValid() && m_panel.Create(target, client.right, client.bottom))
    {
        RECT rect = client;
        const SFrameColours& c = m_panelColours;
        DrawFrame(c.highlight, c.fill, m_panel.Dc(), rect, true, c.gradient & 0xFFFFFF, c.shadow,
                  EGradientAxis::Vertical);
    }
    m_panel.CopyTo(target, 0, 0);
}

// Background and caption are composed off screen and copied in one go, so the label never shows
// a background without its caption.
void CStaticText::Paint(HDC target)
{
    const RECT client = GetClientRect();
    win::COffscreenBuffer canvas;
    const bool buffered = canvas.Create(target, client.right, client.bottom);
    const HDC dc = buffered ? canvas.Dc() : target;
    PaintBackground(dc);

    const int saved = SaveDC(dc);
    win::CFont font = CreateCaptionFont(m_fontPixels);
    SelectObject(dc, font.Get());
    SetTextColor(dc, m_textColour);
    SetBkMode(dc, TRANSPARENT);
    RECT rect = client;
    DrawTextA(dc, m_text.c_str(), static_cast<int>(m_text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);

    if (buffered)
        canvas.CopyTo(target, 0, 0);
}

LRESULT CStaticText::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        if (m_transparent)
            m_backgroundStale = true;
        return 1; // painted together with the caption
    case WM_PAINT:
    {
        win::CPaintDC dc(GetHwnd());
        Paint(dc.Get());
        return 0;
    }
    case WM_SIZE:
        m_parentBackground.Reset();
        m_panel.Reset();
        return Default();
    case WM_SETTEXT:
    case WM_ENABLE:
    {
        // The system's static paints itself at once on these; paint over it.
        const LRESULT result = Default();
        Invalidate();
        return result;
    }
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}
