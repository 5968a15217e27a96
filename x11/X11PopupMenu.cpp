#include "X11PopupMenu.h"
#include "FrameArithmetic.h"
#include "X11Control.h"
#include <algorithm>

namespace {

// The skin's colours (0x00BBGGRR): the panel's dark red, orange-yellow for the marked row.
constexpr std::uint32_t kGround = 0x000080;
constexpr std::uint32_t kHover = 0x0000AA;
constexpr std::uint32_t kInk = 0x0000FF;
constexpr std::uint32_t kChecked = 0x00CFFF;

} // namespace

CX11PopupMenu::CX11PopupMenu(CX11Display& display) : m_display(display), m_popup(display.CreatePopup(this, true)) {}

void CX11PopupMenu::Show(std::vector<std::string> entries, int checked, int x, int y, const SControlScale& scale,
                         Chosen chosen)
{
    m_entries = std::move(entries);
    m_checked = checked;
    m_hover = -1;
    m_scale = scale;
    m_chosen = std::move(chosen);
    STextStyle style;
    style.pixelSize = scale.Px(11.0);
    CCanvas measure(1, 1);
    int width = 0;
    for (const std::string& entry : m_entries)
        width = std::max(width, measure.TextWidth(entry, style));
    width += scale.Px(30);
    m_display.SetPopupName(m_popup, "Editor size");
    m_display.PlacePopup(m_popup, x, y, width, RowHeight() * static_cast<int>(m_entries.size()));
    m_display.ShowPopup(m_popup, true);
    m_shown = true;
}

void CX11PopupMenu::Hide()
{
    m_display.ShowPopup(m_popup, false);
    m_shown = false;
}

void CX11PopupMenu::OnPaint(CCanvas& canvas)
{
    canvas.FillSolid(0, 0, canvas.Width(), canvas.Height(), kGround);
    STextStyle style;
    style.pixelSize = m_scale.Px(11.0);
    const int row = RowHeight();
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        const int top = static_cast<int>(i) * row;
        const bool checked = static_cast<int>(i) == m_checked;
        if (static_cast<int>(i) == m_hover)
            canvas.FillSolid(0, top, canvas.Width(), row, kHover);
        if (checked) // a small lit square before the current choice
        {
            const int mark = m_scale.Px(6);
            canvas.FillSolid(m_scale.Px(8), top + (row - mark) / 2, mark, mark, kChecked);
        }
        canvas.Text(SPixelRect{m_scale.Px(20), top, canvas.Width() - m_scale.Px(4), top + row}, m_entries[i], style,
                    checked ? kChecked : kInk, ETextAlign::Left);
    }
}

void CX11PopupMenu::OnPointer(EPointer kind, int x, int y)
{
    const int row = RowHeight();
    const int index = row > 0 && y >= 0 && x >= 0 ? y / row : -1;
    const bool inside = index >= 0 && index < static_cast<int>(m_entries.size());
    if (kind == EPointer::Move && (inside ? index : -1) != m_hover)
    {
        m_hover = inside ? index : -1;
        m_display.Invalidate();
    }
    if (kind != EPointer::Release)
        return;
    Hide();
    if (inside && m_chosen)
        m_chosen(index); // last: the choice may rebuild the editor around this menu
}
