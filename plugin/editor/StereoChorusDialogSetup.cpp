// The editor's look and its configuration from the parameters: slider steps, tapers and formats,
// the skin's colours, and the preset list.
#include "StereoChorusDialog.h"
#include "CaptionFont.h"
#include "StereoChorusLayout.h"
#include "resource.h"

namespace {

using skin::kPanel;
using skin::kHighlight;
using skin::kRed;
using skin::kDark;
using skin::kBright;
const SFrameColours kPanelFrame{kPanel, kPanel, kPanel, kPanel};

SFrameColours Frame(const SkinColour (&colours)[4])
{
    return SFrameColours{colours[0], colours[1], colours[2], colours[3]};
}

const SFrameColours kRaised = Frame(skin::kRaised);
const SFrameColours kSunken = Frame(skin::kSunken);

} // namespace

// Without an input set (before the bridge attaches its context) nothing is configured.
void CStereoChorusDialog::ConfigureSliders()
{
    if (!InputParameters())
        return;
    for (const SSliderSetup& setup : stereo_chorus_layout::kSliders)
    {
        CParameterSlider& slider = SliderOf(setup.id);
        if (setup.squareLaw)
            slider.SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
        ConfigureSlider(slider, setup.ticks, setup.positions, setup.format);
    }
}

std::array<CParameterSlider*, 7> CStereoChorusDialog::Sliders()
{
    return {&m_gainSlider, &m_delaySlider, &m_depthSlider, &m_rateSlider, &m_drySlider, &m_wetSlider, &m_stereoSlider};
}

CParameterSlider& CStereoChorusDialog::SliderOf(int id)
{
    switch (id)
    {
    case IDC_GAIN_SLIDER: return m_gainSlider;
    case IDC_DELAY_SLIDER: return m_delaySlider;
    case IDC_DEPTH_SLIDER: return m_depthSlider;
    case IDC_RATE_SLIDER: return m_rateSlider;
    case IDC_DRY_SLIDER: return m_drySlider;
    case IDC_WET_SLIDER: return m_wetSlider;
    default: return m_stereoSlider;
    }
}

// The maximum goes at the top.
void CStereoChorusDialog::ConfigureSlider(CParameterSlider& slider, int ticks, int positions, const char* format)
{
    SetupSlider(slider);
    slider.SetSteps(ticks, positions);
    if (!slider.IsReversed())
    {
        slider.SetReversed(true);
        slider.RebuildChannel();
    }
    slider.SetFormat(format);
}

void CStereoChorusDialog::StyleControls()
{
    for (CGroupFrame* frame : {&m_gainFrame, &m_modulationFrame, &m_dryWetFrame})
    {
        frame->SetLineColours(kDark, kBright);
        frame->SetTextColour(kHighlight);
    }

    m_waveformButton.SetPictureMode(EPictureMode::OnBackdrop);
    m_waveformButton.SetFaceBitmaps(IDB_WAVE_SINE, IDB_WAVE_PRESSED, IDB_WAVE_TRIANGLE, IDB_WAVE_PRESSED);
    m_waveformButton.EnablePictures(true);
    m_waveformButton.SetPictureTransparency(true, WAVE_FACE_BACKDROP);
    m_waveformButton.SetBackgroundColours(kPanelFrame);
    m_waveformButton.SetOffColours(kRaised);
    m_waveformButton.SetOnColours(kRaised);
    m_waveformButton.SetDiagonal(true);
    m_waveformButton.SetBackdropAxis(EGradientAxis::Vertical);
    m_waveformButton.RebuildBackground();
    m_waveformButton.RebuildFaces();

    m_bypassButton.SetBackgroundColours(kPanelFrame);
    StyleSwitch(m_bypassButton);
    StyleSwitch(m_presetsButton); // over the button's own background

    for (CStaticText* label : {&m_rateLabel, &m_depthLabel, &m_delayLabel, &m_stereoLabel})
    {
        label->SetTextColour(kHighlight);
        label->SetPanelColours(kPanelFrame);
        label->RebuildPanel();
    }

    for (CParameterSlider* slider : Sliders())
    {
        slider->SetThumbColours(Frame(skin::kThumb));
        slider->SetChannelColours(Frame(skin::kChannel));
        slider->SetBackgroundColours(kPanelFrame);
        slider->SetTickColours(skin::kTick, kHighlight);
        slider->RebuildBackground();
        slider->RebuildChannel();
        slider->RebuildThumb();
    }
}

// Raised and red when off, sunken and orange-yellow when on.
void CStereoChorusDialog::StyleSwitch(CParameterButton& button)
{
    button.SetOffColours(kRaised);
    button.SetOnColours(kSunken);
    button.SetTextColours(kRed, kHighlight);
    button.SetDiagonal(true);
    button.SetBackdropAxis(EGradientAxis::Vertical);
    button.RebuildBackground();
    button.RebuildFaces();
}

// Every entry of the effect's preset list, headings included.
void CStereoChorusDialog::FillPresetList()
{
    if (!m_presetsButton.EnsurePopup())
        return;
    CPresetListBox& list = *m_presetsButton.GetList();
    list.SetItemTextColours(kRed, kHighlight);
    list.SetColours(kPanel);
    list.SetSelectionColour(skin::kSelection);
    if (!m_font)
        m_font = CreateVerdanaFont(m_layout.ListFontPixels());
    list.SetFont(m_font.Get());

    list.Clear();
    CPresetListView* presets = PresetListView();
    const int count = presets ? presets->GetCount() : 0;
    const CPresetListItem heading{true, kHighlight, kHighlight};
    for (int i = 0; i < count; ++i)
    {
        const CPreset* preset = presets->GetItem(i);
        const std::string name = preset && preset->GetName() ? preset->GetName() : "";
        if (preset && preset->GetKind() == CPreset::kHeading)
            list.AddItem(name, heading);
        else
            list.AddItem(name);
    }
}
