#pragma once
#include "ParameterButton.h"
#include "PresetPopup.h"

// The presets switch: turning it on slides the preset list out of the editor window's right edge,
// turning it off slides it back. While the list is out it follows the editor window and
// disappears with it. Its value is the index of the entry chosen in the list; a choice made with
// the mouse is reported to the listeners as a value change.
class CPresetButton : public CParameterButton
{
public:
    static constexpr UINT_PTR kFollowTimerId = 0;
    static constexpr UINT kFollowPeriod = 50; // milliseconds

    CPresetButton(CParameterControlListener* listener, int parameterIndex, int controlId);
    ~CPresetButton() override;

    // The editor shows the current preset otherwise: the button keeps its state.
    void SetValue(float) override {}
    // The chosen entry's index; 0 when nothing is chosen or there is no list.
    float GetValue() override;
    // The chosen entry's name; empty when nothing is chosen or there is no list.
    std::string GetText() override;
    // The number of entries less one: -1 for an empty list or none at all.
    int GetMaxPosition() override;

    // Creates the popup and its list unless they exist; false when that fails.
    bool EnsurePopup();
    // The list, or null before the popup exists.
    CPresetListBox* GetList();
    CPresetPopup& GetPopup() { return m_popup; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Click() override;

private:
    POINT ScreenOrigin() const;
    void PlacePopup(bool resize);
    void Follow();

    CPresetPopup m_popup;
    POINT m_lastPosition{};
};
