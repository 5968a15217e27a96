#include "AdapterFixture.h"
#include <cmath>
#include <limits>

TEST_F(AdapterTest, BypassTurnsOnOnlyAboveOneHalf)
{
    Create();
    record->setParameter(record, 0, 0.5f);
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);
    EXPECT_EQ(Text(effGetParamDisplay, 0), "Off");
    record->setParameter(record, 0, 0.51f);
    EXPECT_EQ(record->getParameter(record, 0), 1.0f);
    EXPECT_EQ(Text(effGetParamDisplay, 0), "On");
    EXPECT_EQ(Text(effGetParamName, 0), "Bypass");
    EXPECT_EQ(Text(effGetParamLabel, 0), "");
}

TEST_F(AdapterTest, InputParametersConvertToRealUnitsUnclamped)
{
    Create();
    record->setParameter(record, 1, 0.25f); // Level, -20..20 dB
    EXPECT_EQ(record->getParameter(record, 1), 0.25f);
    EXPECT_EQ(Text(effGetParamDisplay, 1), "-10.0000");
    EXPECT_EQ(Text(effGetParamName, 1), "Level");
    EXPECT_EQ(Text(effGetParamLabel, 1), "dB");
    record->setParameter(record, 2, 1.5f); // Mix, 0..100 %: 150 %
    EXPECT_EQ(Text(effGetParamDisplay, 2), "150.0000");
    EXPECT_EQ(Text(effGetParamLabel, 3), ""); // a descriptor without a unit
}

TEST_F(AdapterTest, ValuesBeyondTheFloatRangeInRealUnitsGiveTheLargestFloat)
{
    Create();
    record->setParameter(record, 1, std::numeric_limits<float>::max()); // Level, -20..20 dB: 40 x FLT_MAX
    EXPECT_EQ(Text(effGetParamDisplay, 1), "3.40e+38");
    record->setParameter(record, 1, std::numeric_limits<float>::lowest());
    EXPECT_EQ(Text(effGetParamDisplay, 1), "-3.4e+38");
    record->setParameter(record, 1, 1e30f); // still within the range: unclamped
    EXPECT_EQ(Text(effGetParamDisplay, 1), "4.00e+31");
}

TEST_F(AdapterTest, NonFiniteValuesAndNegativeIndexesAreIgnored)
{
    Create();
    record->setParameter(record, 2, 0.75f);
    record->setParameter(record, 2, std::numeric_limits<float>::quiet_NaN());
    record->setParameter(record, 2, std::numeric_limits<float>::infinity());
    record->setParameter(record, -1, 1.0f);
    record->setParameter(record, 1000, 1.0f);
    EXPECT_EQ(record->getParameter(record, 2), 0.75f);
    EXPECT_EQ(record->getParameter(record, -1), 0.0f);
    EXPECT_EQ(Text(effGetParamDisplay, 2), "75.00000");
    EXPECT_EQ(Text(effGetParamName, -1), "Unknown Parameter");
    EXPECT_EQ(Text(effGetParamDisplay, -5), "");
}

TEST_F(AdapterTest, OutputParametersAreNamedBehindOutAndCutTo23Characters)
{
    FakeEffect::Config config;
    config.outputParameters = 2;
    Create(config);
    EXPECT_EQ(Text(effGetParamName, 4), "OUT::A very long output");
    EXPECT_EQ(Text(effGetParamName, 5), "OUT::Meter1");
    EXPECT_EQ(Text(effGetParamLabel, 4), "dB");
    EXPECT_EQ(Text(effGetParamName, 6), "Unknown Parameter");
    EXPECT_EQ(Text(effGetParamLabel, 6), "");
}

TEST_F(AdapterTest, NullTextBuffersAreLeftAlone)
{
    Create();
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay, effGetProgramName,
                            effSetProgramName, effGetEffectName, effGetVendorString, effGetProductString})
        Dispatch(opcode, 1, 0, nullptr);
    SUCCEED();
}

TEST_F(AdapterTest, ProgramsCarryThePresetNamesAndDefaultElsewhere)
{
    Create();
    for (int p = 0; p < 16; ++p) {
        Dispatch(effSetProgram, 0, p);
        EXPECT_EQ(Dispatch(effGetProgram), p);
        EXPECT_EQ(Text(effGetProgramName), p >= 1 && p <= 3 ? "Preset " + std::to_string(p) : "Default") << p;
    }
    Dispatch(effSetProgram, 0, 2); // Level 1 - 10 = -9 dB, Mix 10 %
    EXPECT_EQ(Text(effGetParamDisplay, 1), "-9.00000");
    EXPECT_EQ(Text(effGetParamDisplay, 2), "10.00000");
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);
}

TEST_F(AdapterTest, EditsStayWithTheProgramTheyWereMadeIn)
{
    Create();
    Dispatch(effSetProgram, 0, 2);
    record->setParameter(record, 2, 0.9f);
    record->setParameter(record, 0, 1.0f);
    Dispatch(effSetProgram, 0, 5);
    EXPECT_EQ(record->getParameter(record, 2), 0.5f); // "Default" at its default, 50 %
    EXPECT_EQ(record->getParameter(record, 0), 0.0f);
    Dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(record->getParameter(record, 2), 0.9f);
    EXPECT_EQ(record->getParameter(record, 0), 1.0f);
}

TEST_F(AdapterTest, ProgramIndexesOutsideTheProgramsAreIgnored)
{
    Create();
    Dispatch(effSetProgram, 0, 3);
    Dispatch(effSetProgram, 0, 16);
    Dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(Dispatch(effGetProgram), 3);
    Plugin().setProgram(-7);
    EXPECT_EQ(Dispatch(effGetProgram), 3);
}

TEST_F(AdapterTest, ProgramNamesAreCutTo31Characters)
{
    Create();
    char name[] = "A program name of forty characters long!";
    Dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(Text(effGetProgramName), "A program name of forty charact");
}

TEST_F(AdapterTest, EditorParameterSetsWorkInRealUnitsAndReportAutomation)
{
    Create();
    CParameterSet& inputs = Plugin().GetInputParameterSet();
    EXPECT_EQ(inputs.GetCount(), 4);
    EXPECT_STREQ(inputs.GetItem(0)->GetName(), "Bypass");
    EXPECT_STREQ(inputs.GetItem(1)->GetName(), "Level");
    inputs.SetValue(2, 25.0f);
    EXPECT_EQ(record->getParameter(record, 2), 0.25f);
    EXPECT_EQ(inputs.GetValue(2), 25.0f);
    inputs.BeginEdit(2);
    inputs.EndEdit(2);
    ASSERT_EQ(TheHost().automations.size(), 1u);
    EXPECT_EQ(TheHost().automations[0].index, 2);
    EXPECT_EQ(TheHost().automations[0].value, 0.25f);
    // The gesture's begin and end reach the host around it.
    EXPECT_EQ(TheHost().otherOpcodes, (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));
}

TEST_F(AdapterTest, OnlyValuesTheAdapterAppliedAreReportedAsAutomation)
{
    Create();
    struct Case
    {
        int index;
        float value;
        bool applied;
    };
    const Case cases[] = {
        {2, 0.25f, true},          {2, std::nanf(""), false}, {2, INFINITY, false},     {2, -INFINITY, false},
        {-1, 0.5f, false},         {4, 0.5f, false},          {1 << 30, 0.5f, false}, {0, 1.0f, true},
    };
    for (const Case& c : cases) {
        TheHost().automations.clear();
        Plugin().setParameterAutomated(c.index, c.value);
        EXPECT_EQ(TheHost().automations.size(), c.applied ? 1u : 0u) << "index " << c.index << " value " << c.value;
    }
    // The editor's parameter set reaches the host through the same door.
    TheHost().automations.clear();
    EXPECT_EQ(Plugin().GetInputParameterSet().SetValue(2, std::nanf("")), 0);
    EXPECT_TRUE(TheHost().automations.empty());
    EXPECT_EQ(record->getParameter(record, 2), 0.25f);
}
