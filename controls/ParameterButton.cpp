#include "ParameterButton.h"

CParameterButton::CParameterButton(CParameterControlListener* listener, int parameterIndex, int controlId)
    : CParameterControl(listener, parameterIndex, controlId)
{
}

CParameterButton::~CParameterButton() = default;

void CParameterButton::SetValue(float value)
{
    const bool on = m_inverted ? value < 0.5f : value >= 0.5f;
    if (on == m_on)
        return;
    m_on = on;
    Invalidate();
}

float CParameterButton::GetValue()
{
    const float value = m_on ? 1.0f : 0.0f;
    return m_inverted ? 1.0f - value : value;
}

void CParameterButton::SetTextColours(COLORREF off, COLORREF on)
{
    m_offTextColour = off;
    m_onTextColour = on;
}

void CParameterButton::SetCaptions(const std::string& off, const std::string& on)
{
    m_offText = off;
    m_onText = on;
    m_textsCaptured = true;
    Invalidate();
}

void CParameterButton::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    m_backgroundStale = true;
}

void CParameterButton::SetFaceBitmaps(int offReleased, int offPressed, int onReleased, int onPressed)
{
    m_faceBitmaps = {offReleased, offPressed, onReleased, onPressed};
}

void CParameterButton::SetPictureTransparency(bool on, COLORREF colour)
{
    m_pictureTransparency = on;
    m_pictureTransparentColour = colour;
}

void CParameterButton::RebuildBackground()
{
    m_backgroundFrame.Reset();
    Invalidate();
}

void CParameterButton::RebuildFaces()
{
    for (auto& face : m_faces)
        face.Reset();
    Invalidate();
}

void CParameterButton::ResetPictures()
{
    m_parentBackground.Reset();
    m_backgroundFrame.Reset();
    for (auto& face : m_faces)
        face.Reset();
}

void CParameterButton::SetState(bool on, bool pressed)
{
    m_on = on;
    m_pressed = pressed;
}

// The template makes it a check box or a push button; this control draws every pixel itself.
void CParameterButton::PreSubclassWindow()
{
    const LONG style = GetWindowLongA(GetHwnd(), GWL_STYLE);
    SetWindowLongA(GetHwnd(), GWL_STYLE, (style & ~0x1F) | BS_OWNERDRAW);
    SetWindowPos(GetHwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (!m_textsCaptured)
    {
        m_offText = m_onText = GetCaption();
        m_textsCaptured = true;
    }
}

void CParameterButton::EndGesture()
{
    if (!m_editing)
        return;
    m_editing = false;
    NotifyEndEdit();
}

LRESULT CParameterButton::OnButtonDown()
{
    m_pressed = true;
    m_editing = true;
    NotifyBeginEdit();
    Invalidate();
    return Default();
}

// Toggles wherever the pointer is, so a press that slides off the button still switches it.
LRESULT CParameterButton::OnButtonUp()
{
    m_pressed = false;
    Click();
    return Default();
}

void CParameterButton::Click()
{
    m_on = !m_on;
    NotifyValueChanged();
    EndGesture();
    Invalidate();
}

LRESULT CParameterButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT handled = 0;
    if (OnInputMessage(message, wParam, lParam, handled))
        return handled;
    switch (message)
    {
    case WM_LBUTTONDOWN:
        return OnButtonDown();
    case WM_LBUTTONDBLCLK:
        // The second click of a quick pair is a press like the first: the system's button would
        // only report a double click and skip the press.
        return Send(WM_LBUTTONDOWN, wParam, lParam);
    case WM_LBUTTONUP:
        // Only a press that began on the button is a click of it.
        return m_editing ? OnButtonUp() : Default();
    case WM_CAPTURECHANGED:
    {
        const LRESULT result = Default();
        // The mouse was taken away before the release: the gesture ends without a change.
        if (m_editing && reinterpret_cast<HWND>(lParam) != GetHwnd())
        {
            m_pressed = false;
            EndGesture();
            Invalidate();
        }
        return result;
    }
    case WM_ERASEBKGND:
        if (m_transparent)
            m_backgroundStale = true;
        return 1;
    case WM_PAINT:
        if (m_transparent && (!m_parentBackground.IsValid() || m_backgroundStale))
        {
            win::CClientDC dc(GetHwnd());
            CaptureParentBackground(dc.Get());
        }
        return Default();
    case WM_SIZE:
        ResetPictures(); // every picture is client-sized
        return Default();
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}

bool CParameterButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}
