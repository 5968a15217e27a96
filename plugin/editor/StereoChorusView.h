#pragma once
#include "StereoChorusLayout.h"
#include "X11Button.h"
#include "X11EditorWindow.h"
#include "X11Labels.h"
#include "X11PresetButton.h"
#include "X11Slider.h"
#include <functional>
#include <memory>
#include <vector>

// The stereo chorus's editor window on X11: the Windows dialog's controls at the template's
// places (the shared layout), with the same slider setup, skin colours, preset list and About
// area, all at the layout's scale. Input parameter 0 is the adapter's Bypass, 1 to 8 the chorus's
// parameters in their order.
class CStereoChorusView : public CX11EditorWindow
{
public:
    static constexpr int kParameterCount = 9;
    // A right click on the logo strip offers the sizes; told the choice (0: follow the host).
    using SizeChosen = std::function<void(int percent)>;

    explicit CStereoChorusView(double scale = 1.0);
    ~CStereoChorusView() override;

    const CStereoChorusLayout& Layout() const { return m_layout; }
    // Rebuilds every control at the new scale and gives the window the layout's size. Before the
    // window opens, or on the display's thread with its lock held.
    void SetScale(double scale);
    // The size menu: what it shows as chosen (0: follow the host) and who hears the choice.
    void SetSizeMenu(int checkedPercent, SizeChosen chosen);

    void BindControls() override;
    bool HitTestAbout(int x, int y) const override;

    // For tests and the host: the fader with that control id, or null.
    CX11Slider* Slider(int id) const;
    CX11PresetButton& PresetsButton() { return *m_presets; }

protected:
    void OnOpened() override;
    void OnAbout() override;
    void OnAboutMenu(int x, int y) override;
    void OnOtherTimer(int id) override;

private:
    void BuildControls();
    void BuildSwitches();
    void AttachPresetList(bool opening);
    void ConfigureSliders();
    void FillPresetList();
    void SetTabOrderFromIds();

    std::vector<std::unique_ptr<CX11Slider>> m_sliders;
    std::unique_ptr<CX11Button> m_waveform; // shows and sets 0 (sine) and 1 (triangle) of LFO Type
    std::unique_ptr<CX11Button> m_bypass;
    std::unique_ptr<CX11PresetButton> m_presets;
    std::vector<std::unique_ptr<CX11Control>> m_decoration; // frames and labels
    bool m_opened = false;
    CStereoChorusLayout m_layout;
    int m_checkedPercent = 0;
    SizeChosen m_sizeChosen;
};
