// The editor's look and its configuration from the parameters: slider steps, tapers and formats,
// the skin's colours, and the preset list.
#include "StereoChorusDialog.h"

namespace {

const COLORREF kPanel = 0x000080;     // the background's dark red
const COLORREF kHighlight = 0x00CFFF; // orange-yellow
const COLORREF kDark = 0x000011;
const COLORREF kBright = 0x0000DD;

} // namespace

// Without an input set (before the bridge attaches its context) nothing is configured.
void CStereoChorusDialog::ConfigureSliders()
{
    if (!InputParameters())
        return;
    m_rateSlider.SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
    ConfigureSlider(m_gainSlider, 15, 40, "%+.0f");
    ConfigureSlider(m_delaySlider, 10, 100, "%.2f");
    ConfigureSlider(m_depthSlider, 10, 100, "%.0f");
    ConfigureSlider(m_rateSlider, 10, 200, "%.2f");
    ConfigureSlider(m_drySlider, 10, 100, "%.0f");
    ConfigureSlider(m_wetSlider, 10, 100, "%.0f");
    ConfigureSlider(m_stereoSlider, 10, 100, "%.0f");
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
    for (CParameterSlider* slider : {&m_gainSlider, &m_delaySlider, &m_depthSlider, &m_rateSlider, &m_drySlider,
                                     &m_wetSlider, &m_stereoSlider})
    {
        slider->SetThumbColours(SFrameColours{kBright, kDark, kBright, kDark});
        slider->SetChannelColours(SFrameColours{kDark, kBright, kDark, kBright});
        slider->SetBackgroundColours(SFrameColours{kPanel, kPanel, kPanel, kPanel});
        slider->SetTickColours(0x00000B, kHighlight);
        slider->RebuildBackground();
        slider->RebuildChannel();
        slider->RebuildThumb();
    }
}

void CStereoChorusDialog::FillPresetList()
{
}
