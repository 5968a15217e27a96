// Parameter values and program choices resolved against the fixture plug-in, loaded in-process.
#include "LoadedPlugin.h"
#include "ParameterValue.h"
#include "PluginSetup.h"
#include "ToolError.h"

#include <gtest/gtest.h>

namespace {

constexpr int kGain = 0;
constexpr int kBalance = 1;
constexpr int kPolarity = 2;

std::string errorOf(LoadedPlugin& plugin, int index, const std::string& value)
{
    try
    {
        resolveParameterValue(plugin, index, value, "X=" + value);
    }
    catch (const ToolError& error)
    {
        return error.what();
    }
    return "(accepted)";
}

float realGain(float normalised) { return -24.0f + normalised * 36.0f; }

} // namespace

TEST(ParameterValue, OwnUnitsAreFoundExactlyWithOrWithoutTheUnit)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_NEAR(realGain(resolveParameterValue(plugin, kGain, "-6", "Gain=-6")), -6.0f, 1e-5f);
    EXPECT_NEAR(realGain(resolveParameterValue(plugin, kGain, "-6 dB", "Gain=-6 dB")), -6.0f, 1e-5f);
    EXPECT_NEAR(realGain(resolveParameterValue(plugin, kGain, "3.5DB", "Gain=3.5DB")), 3.5f, 1e-5f);
    EXPECT_EQ(resolveParameterValue(plugin, kGain, "-24", "Gain=-24"), 0.0f);
    EXPECT_EQ(resolveParameterValue(plugin, kGain, "12", "Gain=12"), 1.0f);
    EXPECT_NEAR(resolveParameterValue(plugin, kBalance, "50%", "Balance=50%"), 0.75f, 1e-6f);
}

TEST(ParameterValue, SearchingLeavesTheParameterWhereItWas)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    plugin.setParameter(kGain, 0.25f);
    resolveParameterValue(plugin, kGain, "-6", "Gain=-6");
    EXPECT_EQ(plugin.parameter(kGain), 0.25f);
}

TEST(ParameterValue, NormalisedValuesTakeAnNSuffixAndStayWithinZeroAndOne)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_EQ(resolveParameterValue(plugin, kGain, "0.25n", "Gain=0.25n"), 0.25f);
    EXPECT_EQ(resolveParameterValue(plugin, kPolarity, "1 N", "Polarity=1 N"), 1.0f);
    EXPECT_EQ(errorOf(plugin, kGain, "1.01n"), "--param X=1.01n: a normalised value must lie between 0n and 1n");
    EXPECT_EQ(errorOf(plugin, kGain, "-0.5n"), "--param X=-0.5n: a normalised value must lie between 0n and 1n");
}

TEST(ParameterValue, WordsPickADisplayTextAndEndTextsSitAtTheEnds)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_EQ(resolveParameterValue(plugin, kPolarity, "inverted", "Polarity=inverted"), 1.0f);
    EXPECT_EQ(resolveParameterValue(plugin, kPolarity, " NORMAL ", "Polarity= NORMAL "), 0.0f);
    EXPECT_EQ(errorOf(plugin, kPolarity, "upside"),
              "--param X=upside: 'upside' is not one of its settings (Normal, Inverted)");
}

TEST(ParameterValue, NumbersOutsideTheDisplayedRangeAreRefusedWithTheRange)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_EQ(errorOf(plugin, kGain, "12.5"), "--param X=12.5: 12.5 is out of range (-24.00 .. 12.00 dB)");
    EXPECT_EQ(errorOf(plugin, kBalance, "-101"), "--param X=-101: -101 is out of range (-100.0 .. 100.0 %)");
    EXPECT_EQ(errorOf(plugin, kPolarity, "1"),
              "--param X=1: the parameter shows no numbers (Normal .. Inverted); give one of its settings or a "
              "normalised value such as 1n");
}

TEST(ParameterValue, TextThatIsNoNumberIsReportedAsSuch)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_EQ(errorOf(plugin, kGain, "loud"), "--param X=loud: 'loud' is not a number");
    EXPECT_EQ(errorOf(plugin, kGain, "-6 Hz"), "--param X=-6 Hz: 'Hz' is not its unit (dB)");
    EXPECT_EQ(errorOf(plugin, kGain, "6..5"), "--param X=6..5: '6..5' is not a number");
    EXPECT_EQ(errorOf(plugin, kGain, "  "), "--param X=  : no value given");
}

TEST(PluginSetup, NamesMatchWithoutRegardToCaseAndProgramsByNumberOrName)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    EXPECT_EQ(findParameter(plugin, "BALANCE"), kBalance);
    EXPECT_EQ(findProgram(plugin, "hard left"), 2);
    EXPECT_EQ(findProgram(plugin, "3"), 3);
    EXPECT_EQ(plugin.program(), 0) << "looking programs up by name must not change the current one";
}

TEST(PluginSetup, TheProgramComesFirstThenTheParametersInOrderThenBypass)
{
    LoadedPlugin plugin(FIXTURE_DELAY); // Bypass, Gain, Balance, Polarity
    PluginSettings settings;
    settings.program = "Quiet";
    settings.parameters = {{"Gain", "-3", "Gain=-3"}, {"gain", "6", "gain=6"}};
    settings.bypass = true;
    EXPECT_FALSE(applySettings(plugin, settings)) << "the plug-in's own Bypass parameter serves";
    EXPECT_EQ(plugin.program(), 1);
    EXPECT_EQ(plugin.parameterDisplay(1), "6.00");
    EXPECT_EQ(plugin.parameterDisplay(0), "On");
}

TEST(PluginSetup, BypassFallsBackToTheHostWhenThePluginHasNone)
{
    LoadedPlugin plugin(FIXTURE_GAIN);
    PluginSettings settings;
    settings.bypass = true;
    EXPECT_TRUE(applySettings(plugin, settings));
}
