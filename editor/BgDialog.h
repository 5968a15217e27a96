#pragma once
#include "Dialog.h"
#include "Gdi.h"

// Whether the background bitmap is stretched over the client area (less a 4-pixel margin) rather
// than copied 1:1 to (4, 4): at a resolution other than 96 dpi in both directions, or when the
// bitmap is clearly smaller than the window, or larger in both directions.
bool StretchesBackground(int clientWidth, int clientHeight, int bitmapWidth, int bitmapHeight,
                         int dpiX, int dpiY);

// A dialog whose whole background is a bitmap resource of the module; without one it is a plain
// dark red. Every editor dialog derives from it.
class CBgDialog : public win::CDialog
{
public:
    CBgDialog() = default;
    int GetBackgroundBitmapId() const { return m_backgroundBitmapId; }
    // A dialog drawn at another scale than 1.0 shows the skin's picture for that scale (drawn
    // natively, reduced where the scale lies between) at (margin, margin), never stretched; at 1.0
    // the background is painted as above.
    void SetBackgroundScale(double scale, int margin);

protected:
    // Set by the derived dialog's constructor; 0 for none.
    void SetBackgroundBitmapId(int id) { m_backgroundBitmapId = id; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBackground(HDC dc);

    bool PaintScaledBackground(HDC dc);

    int m_backgroundBitmapId = 0;
    double m_scale = 1.0;
    int m_margin = 4;
    win::CBitmap m_scaledBackground; // kept: reducing a 3x picture costs more than a paint should
};
