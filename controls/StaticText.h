#pragma once
#include "Gdi.h"
#include "FramePainting.h"
#include "Window.h"
#include <string>

// A label of the dialog template painted in the skin's colours: its caption centred over a framed
// gradient panel, or over the parent's own pixels when transparent. The caption is the window
// text at the time the window is taken over.
class CStaticText : public win::CWindow
{
public:
    CStaticText();
    ~CStaticText() override;

    void SetPanelColours(const SFrameColours& colours) { m_panelColours = colours; }
    void SetTextColour(COLORREF colour) { m_textColour = colour; }
    void SetTransparent(bool transparent);
    // Builds the panel again from its colours and repaints.
    void RebuildPanel();
    // The caption's pixel height in a scaled editor; 0 for the screen's 8 points.
    void SetFontPixels(int pixels)
    {
        m_fontPixels = pixels;
        Invalidate();
    }
    const std::string& GetText() const { return m_text; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CaptureParentBackground(HDC dc);
    void PaintBackground(HDC target);
    void Paint(HDC target);

    SFrameColours m_panelColours{0x0000AA, 0xAA0000, 0xFF0000, 0x0000FF};
    COLORREF m_textColour;
    std::string m_text;
    bool m_textCaptured = false;
    int m_fontPixels = 0;
    bool m_transparent = false;
    bool m_backgroundStale = false;
    win::COffscreenBuffer m_parentBackground;
    win::COffscreenBuffer m_panel;
};
