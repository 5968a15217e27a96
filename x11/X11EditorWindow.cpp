#include "X11EditorWindow.h"
#include "FrameArithmetic.h"
#include <algorithm>

// A popup that shows lines of text on a plain ground: the tooltip and the About box.
class CX11EditorWindow::CPopupText : public CX11WindowHandler
{
public:
    CPopupText(CX11Display& display, std::uint32_t ground, std::uint32_t ink, const SControlScale& scale)
        : m_display(display), m_popup(display.CreatePopup(this, true)), m_ground(ground), m_ink(ink), m_scale(scale) {}

    void Show(std::vector<std::string> lines, int x, int y, int width, int height, bool closeOnClick)
    {
        m_lines = std::move(lines);
        m_closeOnClick = closeOnClick;
        m_display.SetPopupName(m_popup, m_lines.empty() ? std::string() : m_lines.front());
        m_display.PlacePopup(m_popup, x, y, width, height);
        m_display.ShowPopup(m_popup, true);
    }
    void Hide() { m_display.ShowPopup(m_popup, false); }
    int LineHeight() const { return m_scale.Px(15); }
    STextStyle Style(bool bold) const
    {
        STextStyle style;
        style.pixelSize = m_scale.Px(style.pixelSize);
        style.bold = bold;
        return style;
    }
    void SetScale(const SControlScale& scale) { m_scale = scale; }

    void OnPaint(CCanvas& canvas) override
    {
        canvas.FillSolid(0, 0, canvas.Width(), canvas.Height(), m_ground);
        for (size_t i = 0; i < m_lines.size(); ++i)
        {
            const STextStyle style = Style(i == 0 && m_lines.size() > 1);
            const int top = m_scale.Px(2) + static_cast<int>(i) * LineHeight();
            const int inset = m_scale.Px(4);
            canvas.Text(SPixelRect{inset, top, canvas.Width() - inset, top + LineHeight()}, m_lines[i], style, m_ink,
                        m_lines.size() > 1 ? ETextAlign::Left : ETextAlign::Centre);
        }
    }
    void OnPointer(EPointer kind, int, int) override
    {
        if (kind == EPointer::Release && m_closeOnClick)
            Hide();
    }

private:
    CX11Display& m_display;
    int m_popup;
    std::uint32_t m_ground;
    std::uint32_t m_ink;
    std::vector<std::string> m_lines;
    bool m_closeOnClick = false;
    SControlScale m_scale;
};

CX11EditorWindow::CX11EditorWindow(int width, int height) : m_width(width), m_height(height) {}

CX11EditorWindow::~CX11EditorWindow()
{
    Close();
}

bool CX11EditorWindow::Open(std::uint32_t parent)
{
    Close();
    if (!m_display.Open(parent, m_width, m_height, this, this))
        return false;
    std::lock_guard<std::mutex> lock(m_display.Lock());
    m_display.SetTimer(kRefreshTimer, kRefreshPeriodMs);
    OnOpened();
    return true;
}

void CX11EditorWindow::Close()
{
    m_display.Close();
    m_tooltip.reset();
    m_about.reset();
    m_menu.reset();
    m_captured = nullptr;
    m_hand = false;
    m_focused = nullptr;
    m_focusShown = false;
    m_lastClick = SClick{};
    m_pointerInside = false;
}

void CX11EditorWindow::AddControl(CX11Control* control)
{
    control->SetHost(this);
    m_controls.push_back(control);
}

void CX11EditorWindow::ClearControls()
{
    m_controls.clear();
    m_captured = nullptr;
    m_lastClick = SClick{};
    // The focus stays on the same stop of the tab order the rebuilt controls will give.
    const auto focused = std::find(m_tabOrder.begin(), m_tabOrder.end(), m_focused);
    m_refocusAt = m_focused && focused != m_tabOrder.end() ? static_cast<int>(focused - m_tabOrder.begin()) : -1;
    m_focused = nullptr;
    m_tabOrder.clear();
}

void CX11EditorWindow::SetTabOrder(std::vector<CX11Control*> order)
{
    m_tabOrder = std::move(order);
    if (m_refocusAt >= 0 && m_refocusAt < static_cast<int>(m_tabOrder.size()))
        m_focused = m_tabOrder[static_cast<size_t>(m_refocusAt)];
    m_refocusAt = -1;
}

void CX11EditorWindow::Resize(int width, int height, const SControlScale& scale)
{
    m_width = width;
    m_height = height;
    m_scale = scale;
    for (CPopupText* popup : {m_tooltip.get(), m_about.get()})
        if (popup)
        {
            popup->Hide();
            popup->SetScale(scale);
        }
    if (m_display.IsOpen())
        m_display.ResizeMain(width, height);
}

void CX11EditorWindow::OnPaint(CCanvas& canvas)
{
    canvas.FillSolid(0, 0, canvas.Width(), canvas.Height(), 0);
    if (m_background.IsValid())
        canvas.DrawBitmap(m_background, m_backgroundMargin, m_backgroundMargin);
    else
    {
        SCanvasAt at{canvas, 0, 0};
        frame_arithmetic::FillDiagonalGradient(at, 0x000080, SPixelRect{0, 0, canvas.Width(), canvas.Height()},
                                               0x000080);
    }
    for (CX11Control* control : m_controls)
        control->Paint(canvas);
    PaintFocusMark(canvas);
}

void CX11EditorWindow::OnPointer(EPointer kind, int x, int y)
{
    switch (kind)
    {
    case EPointer::Menu:
        if (HitTestAbout(x, y))
            OnAboutMenu(x, y);
        break;
    case EPointer::Press:
    {
        if (m_menu && m_menu->IsShown())
            m_menu->Hide();
        if (HitTestAbout(x, y))
            OnAbout();
        CX11Control* pressed = nullptr;
        for (CX11Control* control : m_controls)
            if (control->Rect().Contains(x, y))
                pressed = control;
        FocusOnPress(pressed);
        if (!pressed)
            break;
        const int cx = x - pressed->Rect().left, cy = y - pressed->Rect().top;
        pressed->SetPointerModifiers(m_display.EventModifiers());
        if (IsDoubleClick(pressed, x, y) && pressed->OnDoubleClick(cx, cy))
            break;
        m_captured = pressed;
        pressed->OnPress(cx, cy);
        break;
    }
    case EPointer::Move:
        m_pointerInside = true;
        m_pointerX = x;
        m_pointerY = y;
        if (m_captured)
        {
            m_captured->SetPointerModifiers(m_display.EventModifiers());
            m_captured->OnDrag(x - m_captured->Rect().left, y - m_captured->Rect().top);
        }
        else if (HitTestAbout(x, y) != m_hand)
        {
            m_hand = !m_hand;
            m_display.SetHandCursor(m_hand);
        }
        break;
    case EPointer::Release:
        if (CX11Control* control = m_captured)
        {
            m_captured = nullptr;
            control->OnRelease(x - control->Rect().left, y - control->Rect().top);
        }
        break;
    case EPointer::Leave:
        m_pointerInside = false;
        break;
    }
}

void CX11EditorWindow::OnTimer(int id)
{
    if (id == kRefreshTimer)
        RefreshControls();
    else
        OnOtherTimer(id);
}

// The system's tooltip colours: black on pale yellow.
void CX11EditorWindow::ShowTooltip(const std::string& text, int x, int y)
{
    if (text.empty())
    {
        if (m_tooltip)
            m_tooltip->Hide();
        return;
    }
    if (!m_tooltip)
        m_tooltip = std::make_unique<CPopupText>(m_display, 0xE1FFFF, 0x000000, m_scale);
    int originX = 0, originY = 0;
    m_display.MainOrigin(originX, originY);
    CCanvas measure(1, 1);
    const int width = measure.TextWidth(text, m_tooltip->Style(false)) + m_scale.Px(8);
    const int height = m_tooltip->LineHeight() + m_scale.Px(2);
    m_tooltip->Show({text}, originX + x - width - m_scale.Px(2), originY + y - height / 2, width, height, false);
}

void CX11EditorWindow::ShowAbout(const std::string& caption, const std::string& text)
{
    if (!m_about)
        m_about = std::make_unique<CPopupText>(m_display, 0x000080, 0x00CFFF, m_scale);
    int originX = 0, originY = 0;
    m_display.MainOrigin(originX, originY);
    CCanvas measure(1, 1);
    const int width = measure.TextWidth(text, m_about->Style(false)) + m_scale.Px(12);
    const int height = 3 * m_about->LineHeight() + m_scale.Px(6);
    m_about->Show({caption, text, "(click to close)"}, originX + (m_width - width) / 2,
                  originY + (m_height - height) / 2, width, height, true);
}

void CX11EditorWindow::ShowMenu(std::vector<std::string> entries, int checked, int x, int y,
                                CX11PopupMenu::Chosen chosen)
{
    if (!m_menu)
        m_menu = std::make_unique<CX11PopupMenu>(m_display);
    int originX = 0, originY = 0;
    m_display.MainOrigin(originX, originY);
    m_menu->Show(std::move(entries), checked, originX + x, originY + y, m_scale, std::move(chosen));
}
