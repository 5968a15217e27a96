#pragma once
#include "BasePluginDialog.h"
#include "Gdi.h"
#include "ParameterSlider.h"

// The stereo chorus's editor window, made from dialog template IDD_STEREO_CHORUS over background
// bitmap IDB_BACKGROUND: seven sliders, the waveform and bypass switches and the presets switch,
// three group frames and four labels in a red skin with orange-yellow highlights. Input parameter
// 0 is the adapter's Bypass, 1 to 8 the chorus's parameters in their order.
class CStereoChorusDialog : public CBasePluginDialog
{
public:
    // The adapter's Bypass and the chorus's eight parameters.
    static constexpr int kParameterCount = 9;

    CStereoChorusDialog();
    ~CStereoChorusDialog() override;

    // Binds the controls when the input set is the chorus's; a window already open is configured
    // again for the new set.
    void BindControls() override;
    // The maker's logo strip down the left edge of the background.
    bool HitTestAbout(int x, int y) const override;
    void ShowAbout() override;

    static const char* AboutCaption();
    static std::string AboutText();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;

private:
    // StereoChorusDialogSetup.cpp: configuration from the parameters, colours, the preset list.
    void ConfigureSliders();
    void ConfigureSlider(CParameterSlider& slider, int ticks, int positions, const char* format);
    void StyleControls();
    void FillPresetList();

    CParameterSlider m_gainSlider;
    CParameterSlider m_delaySlider;
    CParameterSlider m_depthSlider;
    CParameterSlider m_rateSlider;
    CParameterSlider m_drySlider;
    CParameterSlider m_wetSlider;
    CParameterSlider m_stereoSlider;
    win::CFont m_font;
    bool m_initialised = false;
};
