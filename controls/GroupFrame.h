#pragma once
#include "Gdi.h"
#include "Window.h"
#include <string>

// Where the caption interrupts the top line: from `first` to `last` (pixels of the line).
struct SCaptionSpan
{
    int first;
    int last;
};

// The span of a caption `width` pixels wide on a top line from `left` to `right`: `margin` pixels
// in from the side for BS_LEFT and BS_RIGHT, in the middle for BS_CENTER.
SCaptionSpan CaptionSpan(int alignment, int left, int right, int margin, int width);

// A group box of the dialog template drawn as an etched frame in its own colours, its caption
// (the window text when the window is taken over, a blank on each side) breaking the top line.
// Its interior is left alone.
class CGroupFrame : public win::CWindow
{
public:
    CGroupFrame();
    ~CGroupFrame() override;

    // The two lines of the etched frame: `line` outside at the top and left, inside at the bottom
    // and right; `light` beside it.
    void SetLineColours(COLORREF line, COLORREF light);
    void SetDisabledLineColours(COLORREF line, COLORREF light);
    void SetTextColour(COLORREF colour);
    void SetLineWidth(int width);
    void SetCaptionMargin(int margin) { m_captionMargin = margin; }
    void SetCaptionLift(int lift) { m_captionLift = lift; }
    void SetHideCaption(bool hide) { m_hideCaption = hide; }
    // Replaces the caption font, which the frame then owns.
    void SetFont(win::CFont font);
    HFONT GetFont() const { return m_font.Get(); }
    // BS_LEFT, BS_RIGHT or BS_CENTER, read from the style when the window is taken over.
    int GetCaptionAlignment() const { return m_captionAlignment; }
    bool IsCaptionHidden() const { return m_hideCaption; }
    // The frame's rectangle in client coordinates, after the allowance for edge styles.
    RECT FrameRect() const;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void Paint(HDC dc);

    COLORREF m_lineColour;
    COLORREF m_lightColour;
    COLORREF m_disabledLineColour;
    COLORREF m_disabledLightColour;
    bool m_hideCaption = false;
    int m_lineWidth = 1;
    COLORREF m_textColour = 0x000000;
    win::CFont m_font;
    int m_captionAlignment = BS_CENTER;
    int m_captionMargin = 8;
    int m_captionLift = 0;
    std::string m_caption; // the window text when the window was taken over
};
