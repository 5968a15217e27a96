#pragma once
#include "ControlScale.h"
#include "Gdi.h"
#include "Window.h"
#include <string>
#include <vector>

// How one entry of the preset list is drawn.
struct CPresetListItem
{
    bool heading = false;        // a group heading between rules, never chosen
    COLORREF textColour = 0;
    COLORREF selectedTextColour = 0;
};

// The owner-drawn list inside the preset popup: preset names, and headings in bold between two
// short rules, each entry in its own colours.
class CPresetListBox : public win::CWindow
{
public:
    static constexpr int kControlId = 1125;

    CPresetListBox();
    ~CPresetListBox() override;

    // Creates the list as a child filling none of `parent` yet; false on failure.
    bool Create(HWND parent);

    // The background of every entry and the pen that outlines it.
    void SetColours(COLORREF colour);
    // The background of the selected entry.
    void SetSelectionColour(COLORREF colour);
    // The text colours AddItem gives an ordinary entry.
    void SetItemTextColours(COLORREF text, COLORREF selectedText);
    // The font of ordinary entries (not owned); headings use a bold copy, and the entries are as
    // high as the font. Only the first font given counts, until ResetFont.
    void SetFont(HFONT font);
    void ResetFont();
    // Insets and rules drawn at `scale` (the font comes scaled from the owner).
    void SetPaintScale(const SControlScale& scale) { m_paintScale = scale; Redraw(); }

    // Appends an ordinary entry in the item text colours, or an entry of its own look.
    void AddItem(const std::string& text);
    void AddItem(const std::string& text, const CPresetListItem& look);
    void Clear();

    int GetCount() const;
    int GetSelection() const; // -1 for none
    std::string GetItemText(int index) const;
    // The look of an entry; null for an index outside the list.
    const CPresetListItem* GetItem(int index) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void Redraw() const;

    std::vector<CPresetListItem> m_items; // one per string, in the same order
    HFONT m_font = nullptr;
    win::CFont m_boldFont;
    win::CPen m_framePen;
    win::CBrush m_backgroundBrush;
    win::CBrush m_selectionBrush;
    CPresetListItem m_ordinaryItem;
    SControlScale m_paintScale;
};
