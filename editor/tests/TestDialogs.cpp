#include "TestDialogs.h"
#include "EditorTestIds.h"

CSkinnedDialog::CSkinnedDialog()
{
    SetBackgroundBitmapId(IDB_PANEL);
    for (int i = 0; i < SKINNED_SLIDERS; ++i)
        sliders.push_back(std::make_unique<CParameterSlider>(nullptr, i, IDC_SLIDER_FIRST + i));
}

void CSkinnedDialog::DoDataExchange()
{
    for (auto& slider : sliders)
        BindControl(slider->GetControlId(), *slider);
}

bool CSkinnedDialog::OnInitDialog()
{
    CBgDialog::OnInitDialog();
    const float values[SKINNED_SLIDERS] = {20.0f, 45.0f, 70.0f, 95.0f};
    for (int i = 0; i < SKINNED_SLIDERS; ++i)
    {
        CParameterSlider& slider = *sliders[i];
        slider.SetValueRange(0.0f, 100.0f);
        slider.SetSteps(10, 100);
        slider.SetReversed(true);
        slider.SetThumbColours(SFrameColours{0x0000DD, 0x000011, 0x0000DD, 0x000011});
        slider.SetChannelColours(SFrameColours{0x000011, 0x0000DD, 0x000011, 0x0000DD});
        slider.SetBackgroundColours(SFrameColours{0x000080, 0x000080, 0x000080, 0x000080});
        slider.SetTickColours(0x00000B, 0x00CFFF);
        slider.RebuildBackground();
        slider.RebuildChannel();
        slider.RebuildThumb();
        slider.SetValue(values[i]);
    }
    return false;
}
