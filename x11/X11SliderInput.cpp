// The fader's keyboard, wheel, reset and fine drag; its painting and plain drag are X11Slider.cpp.
#include "X11Slider.h"

bool CX11Slider::OnKey(const SEditorKey& key)
{
    return Move(slider_motion::ForKey(key));
}

bool CX11Slider::OnWheel(int notch, bool fine)
{
    return Move(slider_motion::ForWheel(notch, fine));
}

bool CX11Slider::OnDoubleClick(int, int)
{
    ResetToDefault();
    return true;
}

// A move that changes nothing (at the end of the range) is still the fader's key, but no gesture.
bool CX11Slider::Move(slider_motion::EMove move)
{
    if (move == slider_motion::EMove::None)
        return false;
    GoTo(slider_motion::Target(move, m_exact.At(m_position), m_rangeMaximum, m_scale.reversed));
    return true;
}

// One whole gesture, when the place changes.
void CX11Slider::GoTo(double exact)
{
    if (exact == m_exact.At(m_position))
        return;
    PlaceAt(exact);
    NotifyGesture();
}

void CX11Slider::PlaceAt(double exact)
{
    m_exact.Set(exact);
    MoveTo(slider_motion::Nearest(exact));
}

// The default lands exactly, also between positions (Delay's 20 ms lies between 33 and 34).
void CX11Slider::ResetToDefault()
{
    GoTo(m_scale.ToExactPosition(m_default, m_rangeMaximum));
}

bool CX11Slider::DragTo(int y)
{
    const double from = m_exact.At(m_position);
    double to = 0.0;
    if (m_fineDrag.Follow(y, (PointerModifiers() & kEditorShift) != 0, from,
                          m_geometry.PositionsPerPixel(m_rangeMaximum), m_rangeMaximum, to))
        PlaceAt(to);
    else
    {
        m_exact.Forget();
        MoveTo(m_geometry.PositionAt(y, m_rangeMaximum));
    }
    return m_exact.At(m_position) != from;
}
