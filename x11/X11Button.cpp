#include "X11Button.h"
#include <utility>

CX11Button::CX11Button(const SPixelRect& rect, CParameterControlListener* listener, int parameterIndex,
                       int controlId, const std::string& caption, const SControlScale& scale)
    : CX11Control(rect, scale), CParameterControl(listener, parameterIndex, controlId), m_caption(caption)
{
}

void CX11Button::SetValue(float value)
{
    SetOn(value >= 0.5f);
}

void CX11Button::SetOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    Invalidate();
}

void CX11Button::SetPressed(bool pressed)
{
    m_pressed = pressed;
    Invalidate();
}

void CX11Button::SetFaceColours(const SFrameColourSet& background, const SFrameColourSet& off,
                                const SFrameColourSet& on)
{
    m_background = background;
    m_off = off;
    m_onColours = on;
    Invalidate();
}

void CX11Button::SetTextColours(std::uint32_t off, std::uint32_t on)
{
    m_offText = off;
    m_onText = on;
    Invalidate();
}

void CX11Button::SetPictures(const SBitmapPixels (&faces)[4], std::uint32_t key)
{
    for (int i = 0; i < 4; ++i)
        m_pictures[i] = faces[i];
    m_key = key;
    m_hasPictures = true;
    Invalidate();
}

// The Windows button's face: its background, then either the face frame or, with pictures, the
// background again under a backdrop and the centred picture; held down, the highlight and shadow
// change places and the gradient runs the other way.
void CX11Button::Paint(CCanvas& canvas)
{
    using namespace frame_arithmetic;
    SCanvasAt at{canvas, Rect().left, Rect().top};
    const SPixelRect client{0, 0, Rect().Width(), Rect().Height()};
    const int line = Scale().Line();
    DrawFrameDiagonal(at, m_background.shadow, m_background.highlight, client, m_background.fill,
                      m_background.gradient & 0xFFFFFF, true, line);
    SFrameColourSet colours = m_on ? m_onColours : m_off;
    std::uint32_t a = colours.fill, b = colours.gradient & 0xFFFFFF;
    if (m_pressed)
    {
        std::swap(colours.highlight, colours.shadow);
        std::swap(a, b);
    }
    if (!m_hasPictures)
        DrawFrameDiagonal(at, colours.shadow, colours.highlight, client, a, b, true, line);
    else
    {
        const SBitmapPixels& picture = m_pictures[(m_on ? 2 : 0) + (m_pressed ? 1 : 0)];
        const int x0 = picture.width < client.right ? (client.right - picture.width) / 2 : 0;
        const int y0 = picture.height < client.bottom ? (client.bottom - picture.height) / 2 : 0;
        FillDiagonalGradient(at, colours.fill, SPixelRect{x0, y0, x0 + picture.width, y0 + picture.height},
                             colours.gradient & 0xFFFFFF);
        canvas.DrawBitmap(picture, Rect().left + x0, Rect().top + y0, true, m_key);
    }
    SPixelRect text = Rect();
    if (m_pressed)
    {
        text.left += Scale().Px(2);
        text.top += Scale().Px(2);
    }
    canvas.Text(text, m_caption, m_style, m_on ? m_onText : m_offText, ETextAlign::Centre);
}

void CX11Button::OnPress(int, int)
{
    SetPressed(true);
    NotifyBeginEdit();
}

void CX11Button::OnRelease(int, int)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    m_on = !m_on;
    Invalidate();
    NotifyValueChanged();
    NotifyEndEdit();
}

// A press and a release, as a click: one gesture, and the presets switch slides its list.
bool CX11Button::OnKey(const SEditorKey& key)
{
    if (key.key != EEditorKey::Space)
        return false;
    OnPress(0, 0);
    OnRelease(0, 0);
    return true;
}
