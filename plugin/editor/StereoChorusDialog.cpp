#include "StereoChorusDialog.h"
#include "ScaledAboutBox.h"
#include "StereoChorusLayout.h"
#include "StereoChorusTabOrder.h"
#include <iterator>
#include "resource.h"

CStereoChorusDialog::CStereoChorusDialog()
    : m_gainSlider(Listener(), 1, IDC_GAIN_SLIDER),
      m_delaySlider(Listener(), 4, IDC_DELAY_SLIDER),
      m_depthSlider(Listener(), 5, IDC_DEPTH_SLIDER),
      m_rateSlider(Listener(), 6, IDC_RATE_SLIDER),
      m_drySlider(Listener(), 2, IDC_DRY_SLIDER),
      m_wetSlider(Listener(), 3, IDC_WET_SLIDER),
      m_waveformButton(Listener(), 8, IDC_WAVEFORM_BUTTON),
      m_bypassButton(Listener(), 0, IDC_BYPASS_BUTTON),
      m_presetsButton(Listener(), kParameterCount, IDC_PRESETS_BUTTON),
      m_stereoSlider(Listener(), 7, IDC_STEREO_SLIDER)
{
    SetBackgroundBitmapId(IDB_BACKGROUND);
    SetPresetControl(&m_presetsButton);
    SetTabOrder(std::vector<int>(std::begin(stereo_chorus_layout::kTabOrder), std::end(stereo_chorus_layout::kTabOrder)));
}

CStereoChorusDialog::~CStereoChorusDialog() = default;

void CStereoChorusDialog::DoDataExchange()
{
    BindControl(IDC_GAIN_SLIDER, m_gainSlider);
    BindControl(IDC_DELAY_SLIDER, m_delaySlider);
    BindControl(IDC_DEPTH_SLIDER, m_depthSlider);
    BindControl(IDC_RATE_SLIDER, m_rateSlider);
    BindControl(IDC_DRY_SLIDER, m_drySlider);
    BindControl(IDC_WET_SLIDER, m_wetSlider);
    BindControl(IDC_BYPASS_BUTTON, m_bypassButton);
    BindControl(IDC_GAIN_FRAME, m_gainFrame);
    BindControl(IDC_MODULATION_FRAME, m_modulationFrame);
    BindControl(IDC_DRY_WET_FRAME, m_dryWetFrame);
    BindControl(IDC_RATE_LABEL, m_rateLabel);
    BindControl(IDC_WAVEFORM_BUTTON, m_waveformButton);
    BindControl(IDC_DEPTH_LABEL, m_depthLabel);
    BindControl(IDC_DELAY_LABEL, m_delayLabel);
    BindControl(IDC_PRESETS_BUTTON, m_presetsButton);
    BindControl(IDC_STEREO_SLIDER, m_stereoSlider);
    BindControl(IDC_STEREO_LABEL, m_stereoLabel);
}

bool CStereoChorusDialog::OnInitDialog()
{
    CBasePluginDialog::OnInitDialog();
    m_initialised = true;
    ConfigureSliders();
    StyleControls();
    FillPresetList();
    return false;
}

void CStereoChorusDialog::BindControls()
{
    if (!InputParameters())
        return;
    if (HasInputTable() && InputParameters()->GetCount() == kParameterCount)
    {
        BindInputControl(0, &m_bypassButton);
        BindInputControl(1, &m_gainSlider);
        BindInputControl(2, &m_drySlider);
        BindInputControl(3, &m_wetSlider);
        BindInputControl(4, &m_delaySlider);
        BindInputControl(5, &m_depthSlider);
        BindInputControl(6, &m_rateSlider);
        BindInputControl(7, &m_stereoSlider);
        BindInputControl(8, &m_waveformButton);
    }
    if (m_initialised)
    {
        ConfigureSliders();
        FillPresetList();
    }
}

bool CStereoChorusDialog::HitTestAbout(int x, int y) const
{
    return m_layout.HitTestAbout(x, y);
}

const char* CStereoChorusDialog::AboutCaption()
{
    return stereo_chorus_layout::AboutCaption();
}

std::string CStereoChorusDialog::AboutText()
{
    return stereo_chorus_layout::AboutText();
}

// The system's message box at 1x; drawn larger, a box of our own at the editor's scale.
void CStereoChorusDialog::ShowAbout()
{
    if (m_layout.Scale().IsUnscaled())
        MessageBoxA(GetHwnd(), AboutText().c_str(), AboutCaption(), MB_OK | MB_ICONINFORMATION);
    else
        ShowScaledAboutBox(GetHwnd(), m_layout, AboutCaption(), AboutText().c_str());
}
