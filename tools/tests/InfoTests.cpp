// vstrender --info, as the user reads it.
#include "ToolRunner.h"

#include <gtest/gtest.h>

TEST(VstrenderInfo, ListsIdentityParametersWithRangesAndPrograms)
{
    const ToolResult result = runTool({"--plugin", FIXTURE_GAIN, "--info"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, std::string("Plug-in:    ") + FIXTURE_GAIN + "\n" +
                              "Effect:     Gain Fixture\n"
                              "Product:    Gain Fixture\n"
                              "Vendor:     Test Bench (version 7)\n"
                              "Unique ID:  'GFix' (0x47466978)\n"
                              "VST:        2400\n"
                              "Audio:      2 in, 2 out, latency 0 frames\n"
                              "Parameters: 3\n"
                              "  #  Name      Label  Current  Range (0n .. 1n)\n"
                              "  0  Gain      dB     0.00     -24.00 .. 12.00\n"
                              "  1  Balance   %      0.0      -100.0 .. 100.0\n"
                              "  2  Polarity         Normal   Normal .. Inverted\n"
                              "Programs: 4\n"
                              "  #  Name\n"
                              "  0  Unity  (current)\n"
                              "  1  Quiet\n"
                              "  2  Hard Left\n"
                              "  3  Upside Down\n");
}

TEST(VstrenderInfo, ShowsTheStateAfterProgramParametersAndBypass)
{
    const ToolResult result = runTool({"--plugin", FIXTURE_DELAY, "--info", "--rate", "96000", "--program", "quiet",
                                       "--param", "Polarity=Inverted", "--bypass"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Audio:      2 in, 2 out, latency 32 frames\n"), std::string::npos);
    EXPECT_NE(result.out.find("  0  Bypass           On        Off .. On\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  1  Gain      dB     -12.00    -24.00 .. 12.00\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  3  Polarity         Inverted  Normal .. Inverted\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  1  Quiet  (current)\n"), std::string::npos) << result.out;
}

TEST(VstrenderInfo, ReportsPluginErrorsLikeARender)
{
    const ToolResult result = runTool({"--plugin", NOT_A_PLUGIN, "--info"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string("vstrender: '") + NOT_A_PLUGIN +
                              "' is not a VST 2 plug-in: it exports neither VSTPluginMain nor main\n");
    EXPECT_EQ(result.out, "");
}
