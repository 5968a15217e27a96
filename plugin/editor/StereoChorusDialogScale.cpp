// The editor at the layout's scale: where every control goes, the fonts, the pictures and the
// controls' own painting scale, and the size menu of the logo strip.
#include "StereoChorusDialog.h"
#include "CaptionFont.h"
#include "resource.h"
#include <string>
#include <windowsx.h>

namespace {

namespace layout = stereo_chorus_layout;

// WM_DPICHANGED reaches top-level windows; a child of a host's window hears
// WM_DPICHANGED_AFTERPARENT (Windows 10 1703 on). Named here: older SDK headers lack them.
constexpr UINT kDpiChanged = 0x02E0;
constexpr UINT kDpiChangedAfterParent = 0x02E3;
constexpr UINT kFollowHostCommand = 1;
constexpr UINT kFirstSizeCommand = 100;

} // namespace

void CStereoChorusDialog::ApplyLayout(const CStereoChorusLayout& newLayout)
{
    m_layout = newLayout;
    if (!GetHwnd())
        return;
    PlaceControls();
    ScaleFonts();
    ScaleControls();
    ScaleTooltips();
    SetBackgroundScale(m_layout.Factor(), m_layout.BackgroundMargin());
    RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Only what differs moves: at 1.0 on a 96-dpi screen the template put everything there already.
void CStereoChorusDialog::PlaceControls()
{
    auto place = [](HWND window, const SPixelRect& rect, UINT flags) {
        RECT now{};
        GetWindowRect(window, &now);
        MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&now), 2);
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
            now = RECT{0, 0, now.right - now.left, now.bottom - now.top};
        if (now.left != rect.left || now.top != rect.top || now.right != rect.right || now.bottom != rect.bottom)
            SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                         flags | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (const SControlLayout& control : layout::kControls)
        if (const HWND item = GetDlgItem(GetHwnd(), control.id))
            place(item, m_layout.ControlRect(control), 0);
    RECT client{};
    ::GetClientRect(GetHwnd(), &client);
    if (client.right != m_layout.Width() || client.bottom != m_layout.Height())
        SetWindowPos(GetHwnd(), nullptr, 0, 0, m_layout.Width(), m_layout.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Scaled, every text takes its size from the layout; unscaled, the template's fonts stay.
void CStereoChorusDialog::ScaleFonts()
{
    const bool scaled = !m_layout.Scale().IsUnscaled();
    const int caption = scaled ? m_layout.CaptionPixels() : 0;
    for (CGroupFrame* frame : {&m_gainFrame, &m_modulationFrame, &m_dryWetFrame})
    {
        frame->SetFont(CreateCaptionFont(caption));
        frame->SetLineWidth(m_layout.Scale().Line());
        frame->SetCaptionMargin(m_layout.Scale().Px(8));
    }
    for (CStaticText* label : {&m_rateLabel, &m_depthLabel, &m_delayLabel, &m_stereoLabel})
        label->SetFontPixels(caption);
    if (scaled)
    {
        // The template's Verdana 8 (11 pixels at 96 dpi) for the switches' captions.
        win::CFont font = CreateVerdanaFont(-m_layout.CaptionPixels());
        for (CParameterButton* button : {&m_bypassButton, static_cast<CParameterButton*>(&m_presetsButton)})
            SendMessageA(button->GetHwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
        m_captionFont = std::move(font);
    }
    if (CPresetListBox* list = m_presetsButton.EnsurePopup() ? m_presetsButton.GetList() : nullptr)
    {
        win::CFont font = CreateVerdanaFont(m_layout.ListFontPixels());
        list->ResetFont();
        list->SetFont(font.Get());
        m_font = std::move(font);
        list->SetPaintScale(m_layout.Scale());
    }
}

// The faders' value tooltips: the system's tooltip font, its height scaled with the editor.
void CStereoChorusDialog::ScaleTooltips()
{
    if (m_layout.Scale().IsUnscaled())
        return;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;
    LOGFONTA look = metrics.lfStatusFont;
    look.lfHeight = look.lfHeight < 0 ? -m_layout.Scale().Px(static_cast<int>(-look.lfHeight))
                                      : m_layout.Scale().Px(static_cast<int>(look.lfHeight));
    win::CFont font(CreateFontIndirectA(&look));
    for (CParameterSlider* slider : Sliders())
        if (const HWND tooltip = reinterpret_cast<HWND>(SendMessageA(slider->GetHwnd(), TBM_GETTOOLTIPS, 0, 0)))
            SendMessageA(tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    m_tooltipFont = std::move(font);
}

void CStereoChorusDialog::ScaleControls()
{
    const SControlScale& scale = m_layout.Scale();
    for (CParameterSlider* slider : Sliders())
        slider->SetPaintScale(scale);
    for (CParameterButton* button : {&m_waveformButton, &m_bypassButton, static_cast<CParameterButton*>(&m_presetsButton)})
        button->SetPaintScale(scale);
    for (CStaticText* label : {&m_rateLabel, &m_depthLabel, &m_delayLabel, &m_stereoLabel})
        label->RebuildPanel();
    m_presetsButton.GetPopup().SetMaximumWidth(m_layout.PresetListWidth());
    m_presetsButton.GetPopup().SetStep(m_layout.PresetSlideStep());
}

void CStereoChorusDialog::SetSizeMenu(int checkedPercent, SizeChosen chosen)
{
    m_checkedPercent = checkedPercent;
    m_sizeChosen = std::move(chosen);
}

// The sizes in percent and "Follow host", the current choice checked; (x, y) in client pixels.
void CStereoChorusDialog::ShowSizeMenu(int x, int y)
{
    const HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (int percent : layout::kChoosableSizes)
        AppendMenuA(menu, MF_STRING | (percent == m_checkedPercent ? MF_CHECKED : 0),
                    kFirstSizeCommand + static_cast<UINT>(percent), (std::to_string(percent) + " %").c_str());
    AppendMenuA(menu, MF_STRING | (m_checkedPercent == 0 ? MF_CHECKED : 0), kFollowHostCommand, "Follow host");
    POINT at{x, y};
    ClientToScreen(GetHwnd(), &at);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, GetHwnd(), nullptr));
    DestroyMenu(menu);
    if (command == 0)
        return;
    m_checkedPercent = command == kFollowHostCommand ? 0 : static_cast<int>(command - kFirstSizeCommand);
    if (m_sizeChosen)
        m_sizeChosen(m_checkedPercent);
}

LRESULT CStereoChorusDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_RBUTTONUP:
        if (HitTestAbout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
        {
            ShowSizeMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
        return CBasePluginDialog::WindowProc(message, wParam, lParam);
    case kDpiChanged:
    case kDpiChangedAfterParent:
        if (m_dpiChanged)
            m_dpiChanged(message == kDpiChanged ? HIWORD(wParam) : 0);
        return CBasePluginDialog::WindowProc(message, wParam, lParam);
    default:
        return CBasePluginDialog::WindowProc(message, wParam, lParam);
    }
}
