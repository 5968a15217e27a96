// vstrender with the project's own plug-in, as delivered: both in the same directory, no --plugin.
#include "TestAudio.h"
#include "ToolRunner.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

TEST(VstrenderWithStereoChorus, FindsTheDefaultPluginAndListsItsFactoryPrograms)
{
    const ToolResult result = runTool({"--info"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Effect:     Stereo Chorus\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("   3  Crazy Voice\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("  0  Bypass                Off       Off .. On\n"), std::string::npos) << result.out;
}

TEST(VstrenderWithStereoChorus, InstalledInBinFindsThePluginInLibVst)
{
    // The layout the Debian package installs: <prefix>/bin/vstrender, <prefix>/lib/vst/StereoChorus.so.
    namespace fs = std::filesystem;
    ScratchDirectory prefix;
    fs::create_directories(prefix.file("bin"));
    fs::create_directories(prefix.file("lib/vst"));
    fs::copy_file(VSTRENDER_PATH, prefix.file("bin/vstrender"));
    fs::copy_file(fs::path(VSTRENDER_PATH).parent_path() / "StereoChorus.so", prefix.file("lib/vst/StereoChorus.so"));
    ToolLaunch launch;
    launch.program = prefix.file("bin/vstrender");
    launch.arguments = {"--info"};
    const ToolResult result = runTool(launch);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Effect:     Stereo Chorus\n"), std::string::npos) << result.out;
}

TEST(VstrenderWithStereoChorus, SetsParametersExactlyInTheirOwnUnits)
{
    // 0.8 Hz is 0.8f / 20 as every format's adapter takes it, which the VST 2 display cuts to 0.799999.
    const ToolResult result = runTool({"--info", "--program", "clean chorus", "--param", "Depth=42.5", "--param",
                                       "LFO Frequency=0.8 Hz", "--param", "Gain=-6", "--param", "lfo type=2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    for (const char* line : {"  1  Gain           dB     -6.00000", "  5  Depth          %      42.50000",
                             "  6  LFO Frequency  Hz     0.799999", "  8  LFO Type              2.000000",
                             "   1  Clean Chorus  (current)"})
        EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
}

TEST(VstrenderWithStereoChorus, RendersAProgramAndBypassesExactly)
{
    ScratchDirectory dir;
    const Audio input = makeSignal(44100, 1);
    writeAudio(dir.file("in.wav"), input, SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    ASSERT_EQ(runTool({"--program", "Crazy Voice", dir.file("in.wav"), dir.file("voice.wav")}).exitCode, 0);
    const Audio voice = readAudio(dir.file("voice.wav"));
    ASSERT_EQ(voice.frames, input.frames);
    double difference = 0.0;
    for (sf_count_t i = 0; i < voice.frames; ++i)
    {
        ASSERT_TRUE(std::isfinite(voice.at(i, 0)) && std::isfinite(voice.at(i, 1)));
        difference += std::fabs(voice.at(i, 0) - input.at(i, 0));
    }
    EXPECT_GT(difference / static_cast<double>(voice.frames), 0.01) << "the chorus is audible";

    ASSERT_EQ(runTool({"--bypass", dir.file("in.wav"), dir.file("dry.wav")}).exitCode, 0);
    const Audio dry = readAudio(dir.file("dry.wav"));
    for (sf_count_t i = 0; i < dry.frames; ++i)
    {
        ASSERT_EQ(dry.at(i, 0), input.at(i, 0)) << "frame " << i;
        ASSERT_EQ(dry.at(i, 1), input.at(i, 0)) << "frame " << i;
    }
}

TEST(VstrenderWithStereoChorus, RealValuesBecomeTheNormalisedValuesEveryFormatsAdapterComputes)
{
    // (value - minimum) / range in single precision, as the CLAP, LV2 and VST 3 adapters take a real
    // value: the same settings then render the same samples in every format.
    const struct {
        const char* name;
        const char* text;
        float value, minimum, maximum;
    } settings[] = {{"LFO Frequency", "0.8", 0.8f, 0.0f, 20.0f}, {"Delay", "0.03", 0.03f, 0.0f, 30.0f},
                    {"Gain", "-6.7", -6.7f, -20.0f, 20.0f},       {"Depth", "33.3", 33.3f, 0.0f, 100.0f}};
    ScratchDirectory dir;
    writeAudio(dir.file("in.wav"), makeSignal(22050, 2), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    std::vector<std::string> real = {"--block", "64"}, normalised = real;
    for (const auto& s : settings) {
        char value[32];
        std::snprintf(value, sizeof value, "%.9gn", static_cast<double>((s.value - s.minimum) / (s.maximum - s.minimum)));
        real.insert(real.end(), {"--param", std::string(s.name) + "=" + s.text});
        normalised.insert(normalised.end(), {"--param", std::string(s.name) + "=" + value});
    }
    real.insert(real.end(), {dir.file("in.wav"), dir.file("real.wav")});
    normalised.insert(normalised.end(), {dir.file("in.wav"), dir.file("normalised.wav")});
    ASSERT_EQ(runTool(real).exitCode, 0);
    ASSERT_EQ(runTool(normalised).exitCode, 0);
    const Audio a = readAudio(dir.file("real.wav")), b = readAudio(dir.file("normalised.wav"));
    ASSERT_EQ(a.frames, b.frames);
    for (sf_count_t i = 0; i < a.frames; ++i)
        for (int c = 0; c < 2; ++c)
            ASSERT_EQ(a.at(i, c), b.at(i, c)) << "frame " << i;
}
