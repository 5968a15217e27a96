#pragma once
#include "BgDialog.h"
#include "ParameterControl.h"
#include "PluginEditor.h"
#include <vector>

class CParameterSlider;

// The effect-independent half of an editor window. It reads and writes parameters only through
// the parameter sets of its editor context, keeps one table of controls per set (filled by the
// concrete dialog's BindControls), pushes the current values into the controls every 50 ms, turns
// the user's gestures on the controls into parameter changes, applies presets (the random one
// included), answers the controls' tooltips and offers hooks for an About area.
class CBasePluginDialog : public CBgDialog, public CParameterControlListener
{
public:
    CBasePluginDialog() = default;
    ~CBasePluginDialog() override;

    // Takes the sets, the presets and the notify target of `context` and empties both control
    // tables (sized to the sets' counts). BindControls should follow.
    void AttachContext(const CEditorContext& context);
    // Puts the concrete dialog's controls into the tables.
    virtual void BindControls() = 0;

    // Whether the user changed a parameter since the flag was last cleared; raising it tells the
    // context's notify target.
    virtual int GetChanged() const { return m_changed; }
    virtual void SetChanged(int changed);
    // Loads entry `index` of the preset list into the controls and so into the parameters:
    // values (kind 0), a random draw on the marked parameters (kind 1); a heading does nothing.
    virtual void ApplyPreset(int index);
    // The About area of the window, in client pixels; none here.
    virtual bool HitTestAbout(int x, int y) const;
    virtual void ShowAbout() {}

    // The first bound input control with that dialog control id, or null.
    CParameterControl* FindControl(int controlId) const;
    // Unit and value range from the slider's parameter; for integer parameters also one position
    // per unit and a whole-number format.
    void SetupSlider(CParameterSlider& slider) const;
    // Pushes every parameter's current value into its control. Changes reported back while this
    // runs are not written into the parameters.
    void RefreshControls();

    void OnBeginEdit(CParameterControl* control) override;
    void OnValueChanged(CParameterControl* control) override;
    void OnEndEdit(CParameterControl* control) override;

protected:
    // What the controls are given as their listener.
    CParameterControlListener* Listener() { return this; }
    CParameterSet* InputParameters() const { return m_inputs; }
    CParameterSet* OutputParameters() const { return m_outputs; }
    CPresetListView* PresetListView() const { return m_presets; }
    // The tables; an index outside a table is ignored.
    bool HasInputTable() const { return !m_inputControls.empty(); }
    void BindInputControl(int index, CParameterControl* control);
    void BindOutputControl(int index, CParameterControl* control);
    // The control whose value is the index of the chosen preset.
    void SetPresetControl(CParameterControl* control) { m_presetControl = control; }

    // Starts the refresh timer.
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    using ControlTable = std::vector<CParameterControl*>;

    static void Refresh(const ControlTable& table, const CParameterSet& set);
    bool IsBoundInput(const CParameterControl* control) const;
    void ApplyValues(const CPreset& preset);
    void DrawRandomPositions(const CPreset& preset);
    LRESULT OnToolTipText(LPARAM lParam);

    ControlTable m_inputControls;
    ControlTable m_outputControls;
    CParameterControl* m_presetControl = nullptr;
    CParameterSet* m_outputs = nullptr;
    CParameterSet* m_inputs = nullptr;
    CPresetListView* m_presets = nullptr;
    bool m_refreshing = false;
    int m_changed = 0;
    CEditorNotify* m_notify = nullptr;
};
