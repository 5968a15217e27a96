#pragma once
#include <array>
#include "BasePluginDialog.h"
#include "Gdi.h"
#include "GroupFrame.h"
#include "ParameterButton.h"
#include "ParameterSlider.h"
#include "PresetButton.h"
#include "StaticText.h"
#include "StereoChorusLayout.h"
#include <functional>
#include <string>

// The stereo chorus's editor window, made from dialog template IDD_STEREO_CHORUS over background
// bitmap IDB_BACKGROUND: seven sliders, the waveform and bypass switches and the presets switch,
// three group frames and four labels in a red skin with orange-yellow highlights. Input parameter
// 0 is the adapter's Bypass, 1 to 8 the chorus's parameters in their order.
//
// The layout (StereoChorusLayout.h) places and sizes everything at the editor's scale; a right
// click on the logo strip offers the sizes, and a move to a screen of another resolution reports
// its new factor (WM_DPICHANGED).
class CStereoChorusDialog : public CBasePluginDialog
{
public:
    // The adapter's Bypass and the chorus's eight parameters.
    static constexpr int kParameterCount = 9;
    // The user chose a size in percent (0: follow the host).
    using SizeChosen = std::function<void(int percent)>;
    // The window reached a screen with this resolution (96 is 1.0).
    using DpiChanged = std::function<void(int dpi)>;

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

    const CStereoChorusLayout& Layout() const { return m_layout; }
    // Places, sizes and styles every control, fonts and pictures at the layout's scale and gives
    // the window its size; at 1.0 on a 96-dpi screen nothing moves.
    void ApplyLayout(const CStereoChorusLayout& layout);
    void SetSizeMenu(int checkedPercent, SizeChosen chosen);
    void SetDpiHandler(DpiChanged handler) { m_dpiChanged = std::move(handler); }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // StereoChorusDialogSetup.cpp: configuration from the parameters, colours, the preset list.
    void ConfigureSliders();
    CParameterSlider& SliderOf(int id);
    // The seven faders, for what is done to each alike.
    std::array<CParameterSlider*, 7> Sliders();
    void ConfigureSlider(CParameterSlider& slider, int ticks, int positions, const char* format);
    void StyleControls();
    void StyleSwitch(CParameterButton& button);
    void FillPresetList();
    // StereoChorusDialogScale.cpp: the controls at the layout's scale.
    void PlaceControls();
    void ScaleFonts();
    void ScaleControls();
    void ScaleTooltips();
    void ShowSizeMenu(int x, int y);

    // The preset list's font; made once, the first time the list is filled. It is declared before
    // the controls so that it outlives the list that uses it.
    win::CFont m_font;
    CParameterSlider m_gainSlider;
    CParameterSlider m_delaySlider;
    CParameterSlider m_depthSlider;
    CParameterSlider m_rateSlider;
    CParameterSlider m_drySlider;
    CParameterSlider m_wetSlider;
    CParameterButton m_waveformButton; // shows and sets 0 (sine) and 1 (triangle) of LFO Type
    CParameterButton m_bypassButton;
    CPresetButton m_presetsButton;
    CGroupFrame m_gainFrame;
    CGroupFrame m_modulationFrame;
    CGroupFrame m_dryWetFrame;
    CStaticText m_rateLabel;
    CStaticText m_depthLabel;
    CStaticText m_delayLabel;
    CParameterSlider m_stereoSlider;
    CStaticText m_stereoLabel;
    bool m_initialised = false;
    CStereoChorusLayout m_layout;
    win::CFont m_captionFont; // the switches' captions in a scaled editor
    win::CFont m_tooltipFont; // the faders' value tooltips in a scaled editor
    int m_checkedPercent = 0;
    SizeChosen m_sizeChosen;
    DpiChanged m_dpiChanged;
};
