#pragma once
#include "ParameterControl.h"
#include "EditorKey.h"
#include "PluginEditor.h"
#include <vector>

// The windowing-independent half of an editor window: it reads and writes parameters only through
// the parameter sets of its editor context, keeps one table of controls per set (filled by the
// concrete editor), pushes the current values into the controls on every refresh, turns the
// user's gestures on the controls into parameter changes and applies presets, the random one
// included. The Windows dialog and the X11 editor both derive from it, so they cannot drift.
class CControlBinding : public CParameterControlListener
{
public:
    CControlBinding() = default;
    ~CControlBinding() override;

    // Takes the sets, the presets and the notify target of `context` and empties both control
    // tables (sized to the sets' counts). BindControls should follow.
    void AttachContext(const CEditorContext& context);
    // Puts the concrete editor's controls into the tables.
    virtual void BindControls() = 0;

    // Whether the user changed a parameter since the flag was last cleared; raising it tells the
    // context's notify target.
    virtual int GetChanged() const { return m_changed; }
    virtual void SetChanged(int changed);
    // Loads entry `index` of the preset list into the controls and so into the parameters:
    // values (kind 0), a random draw on the marked parameters (kind 1); a heading does nothing.
    virtual void ApplyPreset(int index);

    // The first bound input control with that control id, or null.
    CParameterControl* FindControl(int controlId) const;
    // Unit, value range and default from the slider's parameter; for integer parameters also one position
    // per unit and a whole-number format. Any slider class with these setters will do.
    template <class Slider>
    void SetupSlider(Slider& slider) const;
    // Pushes every parameter's current value into its control. Changes reported back while this
    // runs are not written into the parameters.
    void RefreshControls();

    // A key a host forwards instead of letting the window have it, pressed or released: whether the
    // editor takes it. A release answers as its press did.
    bool OnForwardedKey(const SEditorKey& key, bool down);

    void OnBeginEdit(CParameterControl* control) override;
    void OnValueChanged(CParameterControl* control) override;
    void OnEndEdit(CParameterControl* control) override;

    // The refresh period: host automation and program changes show within it.
    static constexpr unsigned kRefreshPeriodMs = 50;

protected:
    // The window's own handling of an editor key (Tab, or the focused control's key).
    virtual bool OnEditorKey(const SEditorKey&) { return false; }
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

private:
    using ControlTable = std::vector<CParameterControl*>;

    static void Refresh(const ControlTable& table, const CParameterSet& set);
    bool IsBoundInput(const CParameterControl* control) const;
    void ApplyValues(const CPreset& preset);
    void DrawRandomPositions(const CPreset& preset);

    ControlTable m_inputControls;
    ControlTable m_outputControls;
    CParameterControl* m_presetControl = nullptr;
    CParameterSet* m_outputs = nullptr;
    CParameterSet* m_inputs = nullptr;
    CPresetListView* m_presets = nullptr;
    bool m_refreshing = false;
    int m_changed = 0;
    CEditorNotify* m_notify = nullptr;
    EEditorKey m_keyTaken = EEditorKey::None; // the forwarded key last acted on, for its release
};

// Milliseconds since some fixed point (the system's start); seeds the random draw.
unsigned MillisecondTicks();

template <class Slider>
void CControlBinding::SetupSlider(Slider& slider) const
{
    const int index = slider.GetParameterIndex();
    if (!m_inputs || index < 0 || index >= m_inputs->GetCount())
        return;
    const CParameterInfo* info = m_inputs->GetItem(index);
    if (!info)
        return;
    if (info->GetUnit())
        slider.SetUnit(info->GetUnit());
    slider.SetValueRange(info->GetMin(), info->GetMax());
    slider.SetDefaultValue(info->GetDefault());
    if (info->GetKind() == CParameterInfo::kInteger || info->GetKind() == CParameterInfo::kChoice)
    {
        // One position per whole number, each with its tick.
        const int steps = static_cast<int>(info->GetMax() - info->GetMin());
        slider.SetSteps(steps, steps);
        slider.SetFormat(info->GetMin() < 0.0f ? "%+.0f" : "%.0f");
    }
}
