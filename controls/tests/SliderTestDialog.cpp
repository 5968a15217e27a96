#include "SliderTestDialog.h"
#include "ControlTestIds.h"

CSliderTestDialog::CSliderTestDialog(CParameterControlListener* listener)
    : vertical(listener, 1, IDC_VERTICAL), horizontal(listener, 2, IDC_HORIZONTAL)
{
}

void CSliderTestDialog::DoDataExchange()
{
    BindControl(IDC_VERTICAL, vertical);
    BindControl(IDC_HORIZONTAL, horizontal);
}

CGalleryDialog::CGalleryDialog()
{
    for (int i = 0; i < GALLERY_SLIDERS; ++i)
        sliders.push_back(std::make_unique<CParameterSlider>(nullptr, i, IDC_GALLERY_FIRST + i));
}

void CGalleryDialog::DoDataExchange()
{
    for (auto& slider : sliders)
        BindControl(slider->GetControlId(), *slider);
}

LRESULT CGalleryDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ERASEBKGND)
        return CDialog::WindowProc(message, wParam, lParam);
    // A panel that is not quite uniform, so that a transparent slider shows what lies beneath.
    const RECT client = GetClientRect();
    FillDiagonalGradient(0x000050, client, reinterpret_cast<HDC>(wParam), 0x0000A0);
    return 1;
}

void ApplyChorusSkin(CParameterSlider& slider)
{
    slider.SetThumbColours(SFrameColours{0x0000DD, 0x000011, 0x0000DD, 0x000011});
    slider.SetChannelColours(SFrameColours{0x000011, 0x0000DD, 0x000011, 0x0000DD});
    slider.SetBackgroundColours(SFrameColours{0x000080, 0x000080, 0x000080, 0x000080});
    slider.SetTickColours(0x00000B, 0x00CFFF);
    slider.RebuildBackground();
    slider.RebuildChannel();
    slider.RebuildThumb();
}
