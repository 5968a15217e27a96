#pragma once
#include "BasePluginDialog.h"
#include "EditorTestIds.h"
#include "ParameterSlider.h"
#include "Preset.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A parameter set that keeps its values in real units and writes down every call made to it.
class CRecordingParameterSet : public CParameterSet
{
public:
    explicit CRecordingParameterSet(const std::vector<CParameterInfo>& descriptors)
        : m_descriptors(descriptors)
    {
        for (const CParameterInfo& info : m_descriptors)
            values.push_back(info.GetDefault());
    }
    int GetCount() const override { return static_cast<int>(m_descriptors.size()); }
    const CParameterInfo* GetItem(int index) const override
    {
        return index >= 0 && index < GetCount() ? &m_descriptors[static_cast<size_t>(index)] : nullptr;
    }
    float GetValue(int index) const override
    {
        return index >= 0 && index < GetCount() ? values[static_cast<size_t>(index)] : 0.0f;
    }
    int SetValue(int index, float value) override
    {
        journal.push_back("set " + std::to_string(index));
        if (index >= 0 && index < GetCount())
            values[static_cast<size_t>(index)] = value;
        return 1;
    }
    void BeginEdit(int index) override { journal.push_back("begin " + std::to_string(index)); }
    void EndEdit(int index) override { journal.push_back("end " + std::to_string(index)); }

    std::vector<float> values;
    std::vector<std::string> journal;

private:
    std::vector<CParameterInfo> m_descriptors;
};

// The preset selector as the dialog sees it: its value is the index of the chosen entry.
class CPresetChoice : public CParameterControl
{
public:
    CPresetChoice(CParameterControlListener* listener, int parameterIndex)
        : CParameterControl(listener, parameterIndex, 0) {}
    void SetValue(float) override {}
    float GetValue() override { return static_cast<float>(chosen); }
    int GetMaxPosition() override { return 3; }
    void Choose(int index)
    {
        chosen = index;
        NotifyValueChanged();
    }
    int chosen = 0;
};

// A plug-in dialog with sliders for input parameters 1 to 3 and an About area in its top-left
// corner. Parameter 0 (the adapter's bypass, say) has no control.
class CTestPluginDialog : public CBasePluginDialog
{
public:
    CTestPluginDialog() { SetPresetControl(&presets); }

    void BindControls() override
    {
        ++bindings;
        if (!HasInputTable())
            return;
        BindInputControl(1, &level);
        BindInputControl(2, &mode);
        BindInputControl(3, &amount);
    }
    bool HitTestAbout(int x, int y) const override { return x < 10 && y < 10; }
    void ShowAbout() override { ++aboutShown; }

    CParameterSlider level{Listener(), 1, 1001};
    CParameterSlider mode{Listener(), 2, 1002};
    CParameterSlider amount{Listener(), 3, 1003};
    CPresetChoice presets{Listener(), 99};
    int bindings = 0;
    int aboutShown = 0;

protected:
    void DoDataExchange() override
    {
        BindControl(1001, level);
        BindControl(1002, mode);
        BindControl(1003, amount);
    }
};

// The dialog open in a host window with four input parameters and a small preset list.
struct PluginDialogTest : ::testing::Test
{
    CRecordingParameterSet inputs{{
        CParameterInfo("Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", nullptr),
        CParameterInfo("Level", CParameterInfo::kContinuous, -20.0f, 20.0f, 0.0f, "dB", nullptr),
        CParameterInfo("Mode", CParameterInfo::kChoice, 0.0f, 2.0f, 1.0f, nullptr, nullptr),
        CParameterInfo("Amount", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", nullptr),
    }};
    CRecordingParameterSet outputs{{}};
    CPresetList presetList{Presets(), 4};
    CPresetListView presetView;
    testing_support::CHostWindow host{300, 200};
    CTestPluginDialog dialog;

    void SetUp() override
    {
        presetView.SetList(&presetList);
        ASSERT_TRUE(dialog.Create(IDD_PLUGIN, host.Get()));
        dialog.AttachContext(CEditorContext(&inputs, &outputs, &presetView));
        dialog.BindControls();
        for (CParameterSlider* slider : {&dialog.level, &dialog.mode, &dialog.amount})
        {
            dialog.SetupSlider(*slider);
            slider->SetReversed(true);
        }
        dialog.level.SetSteps(10, 40);
        dialog.amount.SetSteps(10, 100);
    }

    int Position(CParameterSlider& slider)
    {
        return static_cast<int>(SendMessageA(slider.GetHwnd(), TBM_GETPOS, 0, 0));
    }
    void Refresh() { SendMessageA(dialog.GetHwnd(), WM_TIMER, 0, 0); }

    static const CPreset* Presets()
    {
        static const float values[] = {5.0f, 2.0f, 40.0f};
        static const float outOfRange[] = {100.0f, 7.0f, -10.0f};
        static const float draw[] = {0.0f, 1.0f, 1.0f};
        static const CValueArray valuesArray(values, 3), outOfRangeArray(outOfRange, 3), drawArray(draw, 3);
        static const CPreset presets[] = {
            CPreset(CPreset::kHeading, nullptr, "Group", nullptr),
            CPreset(CPreset::kValues, &valuesArray, "Values", nullptr),
            CPreset(CPreset::kValues, &outOfRangeArray, "Too far", nullptr),
            CPreset(CPreset::kRandom, &drawArray, "Random", nullptr),
        };
        return presets;
    }
};
