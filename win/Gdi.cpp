#include "Gdi.h"

namespace win {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

bool COffscreenBuffer::Create(HDC dc, int width, int height)
{
    Reset();
    if (width <= 0 || height <= 0)
        return false;
    CClientDC screen(nullptr);
    const HDC reference = dc ? dc : screen.Get();
    CMemoryDC memory(reference);
    CBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
    if (!memory || !bitmap)
        return false;
    m_previous = SelectObject(memory.Get(), bitmap.Get());
    if (!m_previous)
        return false;
    m_dc = std::move(memory);
    m_bitmap = std::move(bitmap);
    m_width = width;
    m_height = height;
    return true;
}

void COffscreenBuffer::Reset()
{
    if (m_previous)
        SelectObject(m_dc.Get(), m_previous);
    m_previous = nullptr;
    m_bitmap.Reset();
    m_dc.Reset();
    m_width = m_height = 0;
}

void COffscreenBuffer::CopyTo(HDC target, int x, int y) const
{
    CopyTo(target, x, y, m_width, m_height, 0, 0);
}

void COffscreenBuffer::CopyTo(HDC target, int x, int y, int width, int height, int sx, int sy) const
{
    if (IsValid() && width > 0 && height > 0)
        BitBlt(target, x, y, width, height, m_dc.Get(), sx, sy, SRCCOPY);
}

} // namespace win
