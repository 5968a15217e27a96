#pragma once
#include <windows.h>
#include <utility>

// Owners for GDI handles and device contexts: every object is deleted and every selection undone
// when its owner goes out of scope.
namespace win {

// Owns one GDI object (pen, brush, font or bitmap) and deletes it.
template <class Handle>
class CGdiObject
{
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Release() { return std::exchange(m_handle, nullptr); }

private:
    Handle m_handle = nullptr;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;

inline CPen SolidPen(COLORREF colour, int width = 1) { return CPen(CreatePen(PS_SOLID, width, colour)); }
inline CBrush SolidBrush(COLORREF colour) { return CBrush(CreateSolidBrush(colour)); }

// Width and height of a bitmap; 0 × 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

// Selects an object into a DC for the lifetime of this guard, then restores the previous one.
class CSelection
{
public:
    CSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;
    ~CSelection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The client-area DC of a window (GetDC / ReleaseDC).
class CClientDC
{
public:
    explicit CClientDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The DC of a WM_PAINT (BeginPaint / EndPaint).
class CPaintDC
{
public:
    explicit CPaintDC(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_window, &m_paint); }
    HDC Get() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_window;
    HDC m_dc;
    PAINTSTRUCT m_paint{};
};

// A memory DC compatible with another DC (the screen when that is null).
class CMemoryDC
{
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    CMemoryDC(CMemoryDC&& other) noexcept : m_dc(std::exchange(other.m_dc, nullptr)) {}
    CMemoryDC& operator=(CMemoryDC&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_dc = std::exchange(other.m_dc, nullptr);
        }
        return *this;
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC() { Reset(); }
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }
    void Reset()
    {
        if (m_dc)
            DeleteDC(m_dc);
        m_dc = nullptr;
    }

private:
    HDC m_dc = nullptr;
};

// A picture kept between paints: a memory DC with its own bitmap selected. Absent until created;
// a failed creation leaves it absent, and copies from an absent buffer paint nothing.
class COffscreenBuffer
{
public:
    COffscreenBuffer() = default;
    COffscreenBuffer(const COffscreenBuffer&) = delete;
    COffscreenBuffer& operator=(const COffscreenBuffer&) = delete;
    ~COffscreenBuffer() { Reset(); }

    // (Re)creates a width × height buffer compatible with `dc`; its pixels are undefined.
    bool Create(HDC dc, int width, int height);
    void Reset();

    bool IsValid() const { return m_previous != nullptr; }
    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Copies the whole buffer, or the part (sx, sy, width, height), to (x, y) of `target`.
    void CopyTo(HDC target, int x, int y) const;
    void CopyTo(HDC target, int x, int y, int width, int height, int sx, int sy) const;

private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
    int m_width = 0;
    int m_height = 0;
};

} // namespace win
