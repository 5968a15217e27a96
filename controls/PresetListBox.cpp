#include "PresetListBox.h"
#include "ResourceModule.h"
#include <algorithm>
#include <cstdlib>

CPresetListBox::CPresetListBox() = default;

CPresetListBox::~CPresetListBox() = default;

bool CPresetListBox::Create(HWND parent)
{
    if (GetHwnd())
        return false;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                        LBS_OWNERDRAWFIXED | LBS_NOTIFY;
    const HWND hwnd = CreateWindowExA(0, "LISTBOX", "", style, 0, 0, 0, 0, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                                      win::ResourceModule(), nullptr);
    if (!hwnd)
        return false;
    Attach(hwnd, true);
    if (GetHwnd() != hwnd)
    {
        DestroyWindow(hwnd);
        return false;
    }
    m_backgroundBrush = win::SolidBrush(0xFFFFFF);
    m_framePen = win::SolidPen(0xFFFFFF);
    m_selectionBrush = win::SolidBrush(0xEFF7F7);
    Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16);
    return true;
}

void CPresetListBox::Redraw() const
{
    if (GetHwnd())
        RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CPresetListBox::SetColours(COLORREF colour)
{
    m_framePen = win::SolidPen(colour);
    m_backgroundBrush = win::SolidBrush(colour);
    Redraw();
}

void CPresetListBox::SetSelectionColour(COLORREF colour)
{
    m_selectionBrush = win::SolidBrush(colour);
    Redraw();
}

void CPresetListBox::SetItemTextColours(COLORREF text, COLORREF selectedText)
{
    m_ordinaryItem.textColour = text;
    m_ordinaryItem.selectedTextColour = selectedText;
    Redraw();
}

void CPresetListBox::SetFont(HFONT font)
{
    if (m_font || !font)
        return;
    m_font = font;
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    LOGFONTA look{};
    if (!GetObjectA(font, sizeof look, &look))
        return;
    const int height = std::abs(static_cast<int>(look.lfHeight));
    look.lfWeight = FW_BOLD;
    m_boldFont = win::CFont(CreateFontIndirectA(&look));
    if (height > 0)
        Send(LB_SETITEMHEIGHT, 0, height);
}

void CPresetListBox::ResetFont()
{
    m_font = nullptr;
    m_boldFont.Reset();
}

void CPresetListBox::AddItem(const std::string& text)
{
    AddItem(text, m_ordinaryItem);
}

void CPresetListBox::AddItem(const std::string& text, const CPresetListItem& look)
{
    if (!GetHwnd())
        return;
    m_items.push_back(look);
    const LRESULT index = Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0)
        m_items.pop_back();
}

void CPresetListBox::Clear()
{
    m_items.clear();
    Send(LB_RESETCONTENT);
}

int CPresetListBox::GetCount() const
{
    return GetHwnd() ? static_cast<int>(Send(LB_GETCOUNT)) : 0;
}

int CPresetListBox::GetSelection() const
{
    return GetHwnd() ? static_cast<int>(Send(LB_GETCURSEL)) : LB_ERR;
}

std::string CPresetListBox::GetItemText(int index) const
{
    const LRESULT length = GetHwnd() ? Send(LB_GETTEXTLEN, static_cast<WPARAM>(index)) : LB_ERR;
    if (length == LB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

const CPresetListItem* CPresetListBox::GetItem(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return nullptr;
    return &m_items[static_cast<size_t>(index)];
}

LRESULT CPresetListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
    {
        // A list made again later starts empty and takes a font again.
        m_items.clear();
        m_font = nullptr;
        m_boldFont.Reset();
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

bool CPresetListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    switch (message)
    {
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    case WM_CTLCOLORLISTBOX:
        *result = reinterpret_cast<LRESULT>(m_backgroundBrush.Get());
        return true;
    default:
        return false;
    }
}

namespace {

void Rule(HDC dc, int x0, int x1, int y)
{
    MoveToEx(dc, x0, y, nullptr);
    LineTo(dc, x1, y);
}

} // namespace

void CPresetListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const int index = static_cast<int>(item.itemID);
    const std::string text = GetItemText(index);
    const CPresetListItem* found = GetItem(index);
    const CPresetListItem look = found ? *found : m_ordinaryItem;
    const HDC dc = item.hDC;
    const int saved = SaveDC(dc);

    const bool selected = (item.itemState & ODS_SELECTED) && !look.heading;
    SelectObject(dc, m_framePen.Get());
    SelectObject(dc, selected ? m_selectionBrush.Get() : m_backgroundBrush.Get());
    SetTextColor(dc, selected ? look.selectedTextColour : look.textColour);
    const RECT& area = item.rcItem;
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);

    const SControlScale& scale = m_paintScale;
    RECT textRect{scale.Px(4), area.top, area.right - scale.Px(5), area.bottom};
    if (!look.heading)
    {
        SelectObject(dc, m_font ? m_font : reinterpret_cast<HFONT>(Send(WM_GETFONT)));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        RestoreDC(dc, saved);
        return;
    }
    // A heading: a short rule, the name in bold, and a rule on to the list's right edge.
    win::CPen rulePen = win::SolidPen(look.textColour, scale.Line());
    SelectObject(dc, rulePen.Get());
    Rule(dc, scale.Px(4), scale.Px(8), (area.top + area.bottom) / 2);
    textRect.left = scale.Px(10);
    SelectObject(dc, m_boldFont ? m_boldFont.Get() : reinterpret_cast<HFONT>(Send(WM_GETFONT)));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER);
    const RECT client = GetClientRect();
    const int textMiddle = (textRect.top + textRect.bottom) / 2;
    if (textRect.right + scale.Px(2) < client.right - scale.Px(2))
        Rule(dc, textRect.right + scale.Px(2), client.right - scale.Px(2), textMiddle);
    RestoreDC(dc, saved);
}
