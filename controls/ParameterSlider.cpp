#include "ParameterSlider.h"
#include <algorithm>
#include <cmath>
#include <windowsx.h>

CParameterSlider::CParameterSlider(CParameterControlListener* listener, int parameterIndex, int controlId)
    : CParameterControl(listener, parameterIndex, controlId)
{
}

CParameterSlider::~CParameterSlider() = default;

int CParameterSlider::RangeMaximum() const
{
    return static_cast<int>(Send(TBM_GETRANGEMAX));
}

int CParameterSlider::CurrentPosition() const
{
    return static_cast<int>(Send(TBM_GETPOS));
}

void CParameterSlider::SetValue(float value)
{
    if (std::isnan(value)) // not a value: the slider stays where it is
        return;
    const int position = ToPosition(value);
    m_exact.Confirm(value, position, m_scale, RangeMaximum());
    if (position != CurrentPosition())
    {
        Send(TBM_SETPOS, TRUE, position);
        Invalidate();
    }
    const float shown = GetValue();
    if (shown == m_bandAEnd && shown == m_bandBEnd)
        return;
    if (m_bandMode == 2 && m_bandLink)
    {
        UpdateBands((m_bandAStart + m_bandBStart) / 2, shown);
        Invalidate();
    }
}

float CParameterSlider::GetValue()
{
    return static_cast<float>(m_scale.ToValueAt(m_exact.At(CurrentPosition()), RangeMaximum()));
}

int CParameterSlider::GetMaxPosition()
{
    return RangeMaximum();
}

void CParameterSlider::SetPosition(int position)
{
    m_exact.Forget();
    Send(TBM_SETPOS, TRUE, position);
    if (m_bandMode == 2 && m_bandLink)
        UpdateBands(m_scale.minimum, GetValue());
    Invalidate();
}

void CParameterSlider::SetValueRange(float minimum, float maximum)
{
    m_scale.minimum = minimum;
    m_scale.maximum = maximum;
    if (!m_bandAStartSet)
        m_bandAStart = minimum;
    if (!m_bandBStartSet)
        m_bandBStart = minimum;
    Invalidate();
}

void CParameterSlider::SetSteps(int ticks, int positions)
{
    positions = std::max(positions, 0);
    ticks = std::min(ticks, positions);
    Send(TBM_SETRANGE, TRUE, MAKELPARAM(0, positions));
    Send(TBM_SETTICFREQ, ticks > 0 ? positions / ticks : 0);
    Invalidate();
}

void CParameterSlider::SetReversed(bool reversed)
{
    m_scale.reversed = reversed;
    m_fill.Reset(); // its gradient runs the other way now
    Invalidate();
}

void CParameterSlider::SetTapers(Taper valueTaper, Taper positionTaper)
{
    m_scale.valueTaper = valueTaper ? valueTaper : IdentityTaper;
    m_scale.positionTaper = positionTaper ? positionTaper : IdentityTaper;
    Invalidate();
}

void CParameterSlider::SetBandA(float start, float end)
{
    m_bandAStart = start;
    m_bandAStartSet = true;
    m_bandAEnd = end;
    Invalidate();
}

void CParameterSlider::SetBandB(float start, float end)
{
    m_bandBStart = start;
    m_bandBStartSet = true;
    m_bandBEnd = end;
    Invalidate();
}

void CParameterSlider::SetFillColours(COLORREF start, COLORREF end)
{
    m_fillStart = start;
    m_fillEnd = end;
    m_fill.Reset();
}

void CParameterSlider::SetTickColours(COLORREF normal, COLORREF active)
{
    m_tickColour = normal;
    m_activeTickColour = active;
}

void CParameterSlider::SetTransparent(bool transparent)
{
    m_transparent = transparent;
    m_backgroundStale = true;
}

void CParameterSlider::RebuildBackground()
{
    m_backgroundFrame.Reset();
    Invalidate();
}

void CParameterSlider::RebuildChannel()
{
    m_channel.Reset();
    m_fill.Reset();
    Invalidate();
}

void CParameterSlider::RebuildThumb()
{
    m_thumb.Reset();
    Invalidate();
}

// Both bands start at the reference and end at the value; in linked band mode 2 the thumb is
// moved along without this update running again.
void CParameterSlider::UpdateBands(float reference, float value)
{
    m_bandAStart = m_bandBStart = reference;
    m_bandAStartSet = m_bandBStartSet = true;
    Invalidate();
    const bool linked = m_bandMode == 2 && m_bandLink;

    m_bandAEnd = value;
    if (linked)
    {
        m_bandLink = false;
        SetValue(std::max(value, m_bandBEnd));
        m_bandLink = true;
    }
    Invalidate();

    m_bandBEnd = value;
    if (linked)
    {
        m_bandLink = false;
        SetValue(value > m_bandAEnd ? value : m_bandAEnd);
        m_bandLink = true;
    }
    Invalidate();
}

void CParameterSlider::BeginEditing()
{
    m_editing = true;
    NotifyBeginEdit();
}

// Every begin gets exactly one end, also when the mouse capture is taken away before the release.
void CParameterSlider::EndEditing()
{
    if (!m_editing)
        return;
    m_editing = false;
    NotifyEndEdit();
}

// The trackbar's own tooltip shows the position number; ours shows the value with its unit.
void CParameterSlider::ShowTooltipText()
{
    const HWND tooltip = reinterpret_cast<HWND>(Send(TBM_GETTOOLTIPS));
    if (!tooltip)
        return;
    char current[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = current;
    if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)))
        return;
    std::string text = GetText();
    tool.lpszText = &text[0];
    SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // A tracking tooltip shows the text it read when it was shown: show it again.
    if (IsWindowVisible(tooltip))
        SendMessageA(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

LRESULT CParameterSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT handled = 0;
    if (OnInputMessage(message, wParam, lParam, handled))
        return handled;
    switch (message)
    {
    case WM_LBUTTONDOWN:
    {
        const HWND tooltip = reinterpret_cast<HWND>(Send(TBM_GETTOOLTIPS));
        const RECT thumb = ThumbRect();
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool onThumb = point.x >= thumb.left && point.x <= thumb.right &&
                             point.y >= thumb.top && point.y <= thumb.bottom;
        if (onThumb && tooltip)
            SetWindowPos(tooltip, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        BeginEditing();
        if (!m_paintScale.IsUnscaled())
        {
            if (onThumb)
            {
                TakeScaledThumb(point.y);
                return 0;
            }
            return Default(wParam, PressBesideScaledThumb(point));
        }
        const LRESULT result = Default();
        if (onThumb)
            ShowTooltipText();
        return result;
    }
    case WM_LBUTTONUP:
    {
        const LRESULT result = Default();
        if (GetCapture() == GetHwnd()) // the trackbar has let its own drag go: this is ours
            ReleaseCapture();
        EndEditing();
        return result;
    }
    case WM_CAPTURECHANGED:
    {
        const LRESULT result = Default();
        if (reinterpret_cast<HWND>(lParam) != GetHwnd())
            EndEditing();
        return result;
    }
    case WM_ERASEBKGND:
        if (m_transparent)
            m_backgroundStale = true;
        return 1;
    case WM_SIZE:
        // The pictures are sized from the client, channel and thumb: build them again.
        m_parentBackground.Reset();
        m_backgroundFrame.Reset();
        m_channel.Reset();
        m_fill.Reset();
        m_thumb.Reset();
        return Default();
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}

bool CParameterSlider::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_NOTIFY)
    {
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
        if (draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW))
            return false;
        *result = CDRF_DODEFAULT;
        if (draw->dwDrawStage == CDDS_PREPAINT)
        {
            Paint(draw->hdc);
            *result = CDRF_SKIPDEFAULT;
        }
        return true;
    }
    const bool scroll = message == WM_HSCROLL || (message == WM_VSCROLL && IsVertical());
    if (!scroll)
        return false;
    // The end of a drag or key press repeats the last position: it is not a movement.
    const int code = LOWORD(wParam);
    if (code == TB_ENDTRACK || code == TB_THUMBPOSITION)
        return false;
    m_exact.Forget(); // the trackbar moved to a whole position
    if (m_bandMode == 2 && m_bandLink)
        UpdateBands((m_bandAStart + m_bandBStart) / 2, GetValue());
    NotifyValueChanged();
    Invalidate();
    return false;
}
