#include "X11PresetButton.h"
#include <algorithm>

CX11PresetButton::CX11PresetButton(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex,
                                   int controlId, const std::string& caption, const SControlScale& scale)
    : CX11Button(rect, listener, parameterIndex, controlId, caption, scale)
{
}

void CX11PresetButton::Attach(CX11Display* display, int editorWidth, int editorHeight, int slideTimer,
                              int followTimer)
{
    m_display = display;
    m_popup = -1;
    m_width = 0;
    m_editorWidth = editorWidth;
    m_editorHeight = editorHeight;
    m_slideTimer = slideTimer;
    m_followTimer = followTimer;
}

void CX11PresetButton::SetEditorSize(int editorWidth, int editorHeight)
{
    m_editorWidth = editorWidth;
    m_editorHeight = editorHeight;
    m_width = std::min(m_width, m_look.width);
    if (m_display && m_popup >= 0)
        PlaceList();
}

void CX11PresetButton::SetItems(std::vector<SPresetListItem> items)
{
    m_items = std::move(items);
    m_selection = -1;
    if (m_display)
        m_display->Invalidate();
}

std::string CX11PresetButton::GetText()
{
    return m_selection >= 0 && m_selection < static_cast<int>(m_items.size())
               ? m_items[static_cast<size_t>(m_selection)].text
               : std::string();
}

// A click only toggles the list: the change is reported when an entry is chosen.
void CX11PresetButton::OnRelease(int, int)
{
    if (!IsPressed())
        return;
    SetPressed(false);
    SetOn(!IsOn());
    if (!m_display)
        return;
    if (m_popup < 0)
        m_popup = m_display->CreatePopup(this, true);
    m_display->MainOrigin(m_originX, m_originY);
    if (IsOn())
    {
        m_opening = true;
        PlaceList();
        m_display->SetTimer(m_followTimer, 50);
    }
    else
    {
        m_opening = false;
        m_display->KillTimer(m_followTimer);
    }
    m_display->SetTimer(m_slideTimer, m_look.slideMs);
}

// The popup's border (one pixel, as the Windows popup's) lies outside its X window.
void CX11PresetButton::PlaceList()
{
    if (m_width <= 0)
    {
        m_display->ShowPopup(m_popup, false);
        return;
    }
    m_display->PlacePopup(m_popup, m_originX + m_editorWidth, m_originY, m_width - 2, m_editorHeight - 2);
    m_display->ShowPopup(m_popup, true);
}

bool CX11PresetButton::OnTimer(int id)
{
    if (!m_display || m_popup < 0)
        return id == m_slideTimer || id == m_followTimer;
    if (id == m_slideTimer)
    {
        m_width += m_opening ? m_look.slideStep : -m_look.slideStep;
        if (m_width < 0)
        {
            m_width = 0;
            m_display->KillTimer(m_slideTimer);
        }
        else if (m_width > m_look.width)
        {
            m_width = m_look.width;
            m_display->KillTimer(m_slideTimer);
        }
        PlaceList();
        return true;
    }
    if (id == m_followTimer)
    {
        if (!m_display->MainViewable()) // the host hid the editor: the list goes at once
        {
            m_width = 0;
            m_opening = false;
            m_display->ShowPopup(m_popup, false);
            m_display->KillTimer(m_slideTimer);
            m_display->KillTimer(m_followTimer);
            SetPressed(false);
            SetOn(false);
            return true;
        }
        int x = 0, y = 0;
        if (m_display->MainOrigin(x, y) && (x != m_originX || y != m_originY))
        {
            m_originX = x;
            m_originY = y;
            PlaceList();
        }
        return true;
    }
    return false;
}

// As the Windows list draws its rows: each a rectangle in the list's colour (the chosen one in the
// selection colour), the name 4 pixels in, a heading bold between two short rules.
void CX11PresetButton::OnPaint(CCanvas& canvas)
{
    const int width = canvas.Width();
    canvas.FillSolid(0, 0, width, canvas.Height(), m_look.background);
    const int height = m_look.itemHeight;
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        const SPresetListItem& item = m_items[i];
        const int top = static_cast<int>(i) * height;
        const bool selected = static_cast<int>(i) == m_selection && !item.heading;
        const SControlScale& scale = Scale();
        const int line = scale.Line();
        canvas.FillSolid(0, top, width, height, m_look.background);
        if (selected)
            canvas.FillSolid(line, top + line, width - 2 * line, height - 2 * line, m_look.selection);
        SPixelRect text{scale.Px(4), top, width - scale.Px(5), top + height};
        if (!item.heading)
        {
            canvas.Text(text, item.text, m_look.font, selected ? m_look.selectedText : m_look.text, ETextAlign::Left);
            continue;
        }
        const int middle = top + height / 2;
        canvas.FillSolid(scale.Px(4), middle, scale.Px(4), line, m_look.heading);
        STextStyle bold = m_look.font;
        bold.bold = true;
        text.left = scale.Px(10);
        canvas.Text(text, item.text, bold, m_look.heading, ETextAlign::Left);
        const int end = text.left + canvas.TextWidth(item.text, bold);
        canvas.FillSolid(end + scale.Px(2), middle, width - scale.Px(2) - end - scale.Px(2), line, m_look.heading);
    }
}

void CX11PresetButton::OnPointer(EPointer kind, int, int y)
{
    if (kind != EPointer::Release || m_look.itemHeight <= 0 || y < 0)
        return;
    const int index = y / m_look.itemHeight;
    if (index >= static_cast<int>(m_items.size()) || index == m_selection)
        return;
    m_selection = index;
    m_display->Invalidate();
    if (!m_items[static_cast<size_t>(index)].heading)
        NotifyValueChanged();
}
