#pragma once
#include "Canvas.h"
#include "EditorKey.h"
#include "ControlScale.h"
#include "FrameArithmetic.h"
#include "PixelRect.h"
#include <string>

// What a control of an X11 editor asks of the window it sits in.
class CX11ControlHost
{
public:
    virtual void InvalidateControls() = 0;
    // A tooltip with `text` whose right edge is at window point (x, y) centred vertically there;
    // an empty text hides it.
    virtual void ShowTooltip(const std::string& text, int x, int y) = 0;
    virtual ~CX11ControlHost() = default;
};

// A control painted into the editor's picture at its rectangle (window pixels) and driven by the
// left mouse button; points reach it relative to its own top-left corner. It draws its lines,
// bevels and metrics at its scale (the rectangle is already the scaled one).
class CX11Control
{
public:
    explicit CX11Control(const SPixelRect& rect, const SControlScale& scale = SControlScale{})
        : m_rect(rect), m_scale(scale) {}
    virtual ~CX11Control() = default;

    const SPixelRect& Rect() const { return m_rect; }
    const SControlScale& Scale() const { return m_scale; }
    void SetHost(CX11ControlHost* host) { m_host = host; }
    // A new place and scale, for a control that outlives a rebuild of its window at another size.
    virtual void Place(const SPixelRect& rect, const SControlScale& scale)
    {
        m_rect = rect;
        m_scale = scale;
    }

    virtual void Paint(CCanvas& canvas) = 0;
    virtual void OnPress(int, int) {}
    virtual void OnDrag(int, int) {}
    virtual void OnRelease(int, int) {}

    // Keyboard and wheel: whether Tab stops here, and whether the control acted
    // on a key while it had the focus, on wheel notches (`notch` > 0: away from the user) under
    // the pointer, or on a double click (false: it is a press like any other).
    virtual bool TakesFocus() const { return false; }
    virtual bool OnKey(const SEditorKey&) { return false; }
    virtual bool OnWheel(int /*notch*/, bool /*fine*/) { return false; }
    virtual bool OnDoubleClick(int, int) { return false; }
    // The modifiers (kEditorShift, kEditorControl) held with the pointer event being delivered.
    void SetPointerModifiers(unsigned modifiers) { m_modifiers = modifiers; }

protected:
    unsigned PointerModifiers() const { return m_modifiers; }
    void Invalidate()
    {
        if (m_host)
            m_host->InvalidateControls();
    }
    CX11ControlHost* Host() const { return m_host; }

private:
    SPixelRect m_rect;
    SControlScale m_scale;
    CX11ControlHost* m_host = nullptr;
    unsigned m_modifiers = 0;
};

// The frame arithmetic's surface on a canvas, shifted to a control's origin.
struct SCanvasAt
{
    CCanvas& canvas;
    int dx;
    int dy;

    void FillSolid(int x, int y, int width, int height, std::uint32_t colour)
    {
        canvas.FillSolid(x + dx, y + dy, width, height, colour);
    }
    void Line(int x0, int y0, int x1, int y1, std::uint32_t colour)
    {
        canvas.Line(x0 + dx, y0 + dy, x1 + dx, y1 + dy, colour);
    }
};

// The colours of a bevelled frame, 0x00BBGGRR.
struct SFrameColourSet
{
    std::uint32_t fill;
    std::uint32_t gradient;
    std::uint32_t highlight;
    std::uint32_t shadow;
};
