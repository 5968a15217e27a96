#pragma once
#include "Dialog.h"
#include "ParameterSlider.h"
#include <memory>
#include <vector>

// Hosts the sliders of the control tests.
class CSliderTestDialog : public win::CDialog
{
public:
    explicit CSliderTestDialog(CParameterControlListener* listener = nullptr);
    CParameterSlider vertical;
    CParameterSlider horizontal;

protected:
    void DoDataExchange() override;
};

// A panel in the editor's dark red with sliders on it, for the gallery.
class CGalleryDialog : public win::CDialog
{
public:
    CGalleryDialog();
    std::vector<std::unique_ptr<CParameterSlider>> sliders;

protected:
    void DoDataExchange() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The stereo chorus editor's slider colours.
void ApplyChorusSkin(CParameterSlider& slider);
