// The slider's keyboard, wheel, reset and fine drag. Keys and notches move it by the steps of
// slider_motion, each as one whole gesture; the trackbar's own key handling is not used.
#include "ControlKeys.h"
#include "ParameterSlider.h"
#include <cstdlib>
#include <windowsx.h>

bool CParameterSlider::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message)
    {
    case WM_KEYDOWN:
        return OnKeyDown(wParam);
    case control_keys::kForwardedKey:
        result = Move(slider_motion::ForKey(SEditorKey{static_cast<EEditorKey>(wParam), static_cast<unsigned>(lParam)}));
        return true;
    case control_keys::kWheelNotch:
        result = Move(slider_motion::ForWheel(static_cast<int>(wParam), lParam != 0));
        return true;
    case WM_LBUTTONDOWN:
        return OnPress(wParam, lParam);
    case WM_LBUTTONDBLCLK: // where the trackbar class asks for double clicks
        SetFocus(GetHwnd());
        ResetToDefault();
        return true;
    case WM_MOUSEMOVE:
        return m_thumbDrag && (wParam & MK_LBUTTON) && OnFineDrag(wParam, GET_Y_LPARAM(lParam));
    case WM_LBUTTONUP:
        m_thumbDrag = false;
        return false;
    default:
        return control_keys::OnCommonInput(GetHwnd(), message, wParam, lParam, result);
    }
}

bool CParameterSlider::OnKeyDown(WPARAM virtualKey)
{
    const SEditorKey key = control_keys::FromKeyDown(virtualKey);
    if (key.key == EEditorKey::Tab)
    {
        control_keys::MoveFocus(GetHwnd(), (key.modifiers & kEditorShift) != 0);
        return true;
    }
    if (!Move(slider_motion::ForKey(key)))
        return false;
    control_keys::ShowFocusCues(GetHwnd());
    return true;
}

// A double click or a Ctrl click resets the fader and starts no drag; any other press may take
// the thumb, which a Shift drag then moves at a tenth of the speed.
bool CParameterSlider::OnPress(WPARAM flags, LPARAM point)
{
    if ((flags & MK_CONTROL) || IsDoubleClick(point))
    {
        SetFocus(GetHwnd());
        ResetToDefault();
        return true;
    }
    const RECT thumb = ThumbRect();
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    m_thumbDrag = at.x >= thumb.left && at.x <= thumb.right && at.y >= thumb.top && at.y <= thumb.bottom;
    m_fineDrag.Start(at.y);
    return false;
}

// The trackbar class may not ask for double clicks: the second press of a quick pair counts too.
bool CParameterSlider::IsDoubleClick(LPARAM point)
{
    const DWORD now = GetTickCount();
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    const bool twice = now - m_lastClickTime <= GetDoubleClickTime() &&
                       std::abs(at.x - m_lastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(at.y - m_lastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    m_lastClickTime = now;
    m_lastClickPoint = twice ? POINT{-1000, -1000} : at; // a third click starts a new pair
    return twice;
}

// The system's trackbar hit-tests its own 1x thumb, not the larger one painted: a press on the
// painted thumb is a drag of ours (the fine drag's, at full speed) rather than the trackbar's page.
void CParameterSlider::TakeScaledThumb(int y)
{
    SetFocus(GetHwnd());
    SetCapture(GetHwnd());
    m_thumbDrag = true;
    m_fineDrag.Take(y, m_exact.At(CurrentPosition()));
    ShowTooltipText();
}

// The trackbar pages only for a press in line with its own 1x thumb: a press beside the wider
// painted thumb is moved into that line, keeping its height, so it pages as it would at 1x.
LPARAM CParameterSlider::PressBesideScaledThumb(POINT point) const
{
    RECT own{};
    Send(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&own));
    if (IsVertical())
        point.x = (own.left + own.right) / 2;
    else
        point.y = (own.top + own.bottom) / 2;
    return MAKELPARAM(point.x, point.y);
}

bool CParameterSlider::OnFineDrag(WPARAM flags, int y)
{
    const double from = m_exact.At(CurrentPosition());
    double to = 0.0;
    if (!m_fineDrag.Follow(y, (flags & MK_SHIFT) != 0, from, PositionsPerPixel(), RangeMaximum(), to))
        return false; // the trackbar's own drag
    if (to != from)
    {
        PlaceAt(to);
        if (m_bandMode == 2 && m_bandLink)
            UpdateBands((m_bandAStart + m_bandBStart) / 2, GetValue());
        NotifyValueChanged();
        ShowTooltipText();
    }
    return true;
}

// The thumb's travel along the channel, as the trackbar lays them out.
double CParameterSlider::PositionsPerPixel() const
{
    const RECT channel = ChannelRect();
    const RECT thumb = ThumbRect();
    const int travel = IsVertical() ? (channel.bottom - channel.top) - (thumb.bottom - thumb.top)
                                    : (channel.right - channel.left) - (thumb.right - thumb.left);
    return travel > 0 ? static_cast<double>(RangeMaximum()) / travel : 0.0;
}

// A move that changes nothing (at the end of the range) is still the fader's key, but no gesture.
bool CParameterSlider::Move(slider_motion::EMove move)
{
    if (move == slider_motion::EMove::None)
        return false;
    GoTo(slider_motion::Target(move, m_exact.At(CurrentPosition()), RangeMaximum(), m_scale.reversed));
    return true;
}

// One whole gesture, when the place changes.
void CParameterSlider::GoTo(double exact)
{
    if (exact == m_exact.At(CurrentPosition()))
        return;
    PlaceAt(exact);
    NotifyGesture();
}

void CParameterSlider::PlaceAt(double exact)
{
    m_exact.Set(exact);
    Send(TBM_SETPOS, TRUE, slider_motion::Nearest(exact));
    Invalidate();
}

// The default lands exactly, also between positions (Delay's 20 ms lies between 33 and 34).
void CParameterSlider::ResetToDefault()
{
    GoTo(m_scale.ToExactPosition(m_default, RangeMaximum()));
}
