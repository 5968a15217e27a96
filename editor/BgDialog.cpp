#include "BgDialog.h"
#include "FramePainting.h"
#include "Gdi.h"
#include "ResourceModule.h"
#include "SkinPicture.h"

namespace {

const COLORREF kFallbackColour = 0x000080;
const int kMargin = 4;
const int kStandardDpi = 96;

} // namespace

bool StretchesBackground(int clientWidth, int clientHeight, int bitmapWidth, int bitmapHeight,
                         int dpiX, int dpiY)
{
    return (dpiX != kStandardDpi && dpiY != kStandardDpi) ||
           (bitmapWidth < clientWidth - 20 && bitmapHeight < clientHeight - 20) ||
           (bitmapWidth > clientWidth && bitmapHeight > clientHeight);
}

void CBgDialog::SetBackgroundScale(double scale, int margin)
{
    if (scale != m_scale)
        m_scaledBackground.Reset();
    m_scale = scale;
    m_margin = margin;
    if (GetHwnd())
        InvalidateRect(GetHwnd(), nullptr, TRUE);
}

bool CBgDialog::PaintScaledBackground(HDC dc)
{
    if (m_backgroundBitmapId == 0)
        return false;
    if (!m_scaledBackground)
        m_scaledBackground = LoadSkinPicture(m_backgroundBitmapId, m_scale);
    win::CMemoryDC memory(dc);
    if (!m_scaledBackground || !memory)
        return false;
    const SIZE size = win::BitmapSize(m_scaledBackground.Get());
    win::CSelection select(memory.Get(), m_scaledBackground.Get());
    BitBlt(dc, m_margin, m_margin, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
    return true;
}

LRESULT CBgDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ERASEBKGND)
        return CDialog::WindowProc(message, wParam, lParam);
    PaintBackground(reinterpret_cast<HDC>(wParam));
    return 0; // reported as not erased, as it always was
}

// The bitmap is loaded afresh for every paint; nothing is kept between paints.
void CBgDialog::PaintBackground(HDC dc)
{
    win::CMemoryDC memory(dc);
    const RECT client = GetClientRect();
    const int width = client.right, height = client.bottom;
    FillSolid(dc, 0, 0, width, height, RGB(0, 0, 0));
    if (m_scale != 1.0 && PaintScaledBackground(dc))
        return;

    win::CBitmap bitmap;
    if (m_backgroundBitmapId != 0)
        bitmap = win::LoadBitmapResource(m_backgroundBitmapId);
    if (!bitmap || !memory)
    {
        FillDiagonalGradient(kFallbackColour, client, dc, kFallbackColour);
        return;
    }
    const SIZE size = win::BitmapSize(bitmap.Get());
    win::CSelection select(memory.Get(), bitmap.Get());

    int dpiX = kStandardDpi, dpiY = kStandardDpi;
    {
        win::CClientDC screen(GetHwnd());
        if (screen.Get())
        {
            dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
            dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        }
    }
    if (StretchesBackground(width, height, size.cx, size.cy, dpiX, dpiY))
    {
        const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, kMargin, kMargin, width - 2 * kMargin, height - 2 * kMargin, memory.Get(), 0, 0,
                   size.cx, size.cy, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    }
    else
    {
        BitBlt(dc, kMargin, kMargin, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
}
