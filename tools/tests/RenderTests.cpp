// Renders through the fixture plug-ins, checked sample by sample.
#include "TestAudio.h"
#include "ToolRunner.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

float decibels(float db) { return std::pow(10.0f, db / 20.0f); }

class Render : public ::testing::Test
{
protected:
    // Renders `source` (written as `inputFormat`) and returns the output, expecting success.
    Audio render(const Audio& source, int inputFormat, const std::vector<std::string>& options,
                 const std::string& outputName = "out.wav", const std::string& plugin = FIXTURE_GAIN)
    {
        const char* extension = (inputFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC   ? "in.flac"
                                : (inputFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_AIFF ? "in.aiff"
                                                                                      : "in.wav";
        writeAudio(dir.file(extension), source, inputFormat);
        std::vector<std::string> arguments = {"--plugin", plugin};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(dir.file(extension));
        arguments.push_back(dir.file(outputName));
        const ToolResult result = runTool(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, "");
        Audio rendered = readAudio(dir.file(outputName));
        lastInput = readAudio(dir.file(extension)); // the samples as the tool read them
        std::filesystem::remove(dir.file(extension));
        std::filesystem::remove(dir.file(outputName));
        return rendered;
    }

    // Every output frame equals the input frame's channels scaled by the given gains.
    void expectScaled(const Audio& out, float left, float right, float tolerance = 1e-6f)
    {
        ASSERT_EQ(out.channels, 2);
        ASSERT_EQ(out.frames, lastInput.frames);
        const int last = lastInput.channels - 1;
        for (sf_count_t i = 0; i < out.frames; ++i)
        {
            ASSERT_NEAR(out.at(i, 0), lastInput.at(i, 0) * left, tolerance) << "frame " << i;
            ASSERT_NEAR(out.at(i, 1), lastInput.at(i, last) * right, tolerance) << "frame " << i;
        }
    }

    ScratchDirectory dir;
    Audio lastInput;
};

constexpr int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

} // namespace

TEST_F(Render, GainInDecibelsScalesEverySampleAndKeepsLengthAndRate)
{
    const Audio out = render(makeSignal(10007, 2, 48000), kWav16, {"--param", "gain=-6", "--block", "100"});
    EXPECT_EQ(out.sampleRate, 48000);
    EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    expectScaled(out, decibels(-6.0f), decibels(-6.0f));
}

TEST_F(Render, MonoInputIsFedToBothPluginInputs)
{
    expectScaled(render(makeSignal(5000, 1), kWav16, {}), 1.0f, 1.0f);
    expectScaled(render(makeSignal(5000, 1), kWav16, {"--program", "hard left"}), 1.0f, 0.0f);
}

TEST_F(Render, TheProgramIsAppliedBeforeTheParameters)
{
    const Audio out = render(makeSignal(3000, 2), kWav16, {"--param", "Balance=50 %", "--program", "Quiet"});
    expectScaled(out, decibels(-12.0f) * 0.5f, decibels(-12.0f));
    const Audio inverted = render(makeSignal(3000, 2), kWav16, {"--program", "3", "--param", "Gain=0.5n"});
    expectScaled(inverted, -decibels(-6.0f), -decibels(-6.0f));
}

TEST_F(Render, OutputIsFloatUnlessTheInputsFormatIsAskedFor)
{
    struct Case
    {
        int input;
        std::vector<std::string> options;
        std::string output;
        int expected;
    };
    const std::vector<Case> cases = {
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, {}, "out.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, {}, "out.aiff", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_24, {"--format", "input"}, "out.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, {"--format", "input"}, "out.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_24, {}, "out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, {}, "OUT.FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, {"--format", "input"}, "out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_S8},
        {SF_FORMAT_AIFF | SF_FORMAT_PCM_16, {"--format", "float"}, "out.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.output + " from input format " + std::to_string(c.input));
        const Audio out = render(makeSignal(2000, 1), c.input, c.options, c.output);
        EXPECT_EQ(out.format, c.expected);
        const bool exact = (c.expected & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT ||
                           (c.expected & SF_FORMAT_SUBMASK) == (c.input & SF_FORMAT_SUBMASK);
        expectScaled(out, 1.0f, 1.0f, exact ? 1e-6f : 1.0f / 64.0f);
    }
}

TEST_F(Render, IntegerOutputClipsInsteadOfWrappingAround)
{
    const Audio out = render(makeSignal(4000, 2), kWav16, {"--param", "Gain=12", "--format", "input"});
    EXPECT_EQ(out.format, kWav16);
    for (sf_count_t i = 0; i < out.frames; ++i)
        for (int c = 0; c < 2; ++c)
        {
            const float in = lastInput.at(i, c) * decibels(12.0f);
            ASSERT_NEAR(out.at(i, c), std::fmax(-1.0f, std::fmin(1.0f, in)), 1.0f / 16384.0f) << "frame " << i;
        }
}

TEST_F(Render, ReportedLatencyIsCompensatedForAnAddingOnlyPlugin)
{
    // The delay fixture delays by 32 frames and offers only the accumulating process.
    expectScaled(render(makeSignal(3001, 2), kWav16, {"--block", "7"}, "out.wav", FIXTURE_DELAY), 1.0f, 1.0f);
    expectScaled(render(makeSignal(3001, 2), kWav16, {"--param", "Gain=-12"}, "out.wav", FIXTURE_DELAY),
                 decibels(-12.0f), decibels(-12.0f));
}

TEST_F(Render, BypassUsesThePluginsOwnSwitchOrCopiesTheInput)
{
    expectScaled(render(makeSignal(3000, 2), kWav16, {"--param", "Gain=-12", "--bypass"}), 1.0f, 1.0f);
    expectScaled(render(makeSignal(3000, 1), kWav16, {"--param", "Gain=-12", "--bypass"}, "out.wav", FIXTURE_DELAY),
                 1.0f, 1.0f);
}

TEST_F(Render, AMonoPluginHearsTheAverageAndFeedsBothOutputs)
{
    // The mono fixture also exports its entry point only under the legacy name "main".
    const Audio out = render(makeSignal(2000, 2), kWav16, {"--param", "Gain=-6"}, "out.wav", FIXTURE_MONO);
    for (sf_count_t i = 0; i < out.frames; ++i)
    {
        const float expected = 0.5f * (lastInput.at(i, 0) + lastInput.at(i, 1)) * decibels(-6.0f);
        ASSERT_NEAR(out.at(i, 0), expected, 1e-6f);
        ASSERT_NEAR(out.at(i, 1), expected, 1e-6f);
    }
}

TEST_F(Render, TailAddsSilenceThroughThePluginAndEmptyInputGivesEmptyOutput)
{
    const Audio out = render(makeSignal(1000, 2, 8000), kWav16, {"--tail", "0.5"}, "out.wav", FIXTURE_DELAY);
    ASSERT_EQ(out.frames, 5000);
    for (sf_count_t i = 0; i < 1000; ++i)
        ASSERT_NEAR(out.at(i, 1), lastInput.at(i, 1), 1e-6f);
    for (sf_count_t i = 1000; i < 5000; ++i)
        ASSERT_EQ(out.at(i, 0), 0.0f);

    EXPECT_EQ(render(makeSignal(0, 1), kWav16, {}).frames, 0);
}

TEST_F(Render, APluginNamedWithoutADirectoryIsTakenFromTheWorkingDirectory)
{
    writeAudio(dir.file("in.wav"), makeSignal(500, 2), kWav16);
    ToolLaunch launch;
    launch.workingDirectory = std::filesystem::path(FIXTURE_GAIN).parent_path().string();
    launch.arguments = {"--plugin", "fixture_gain.so", dir.file("in.wav"), dir.file("out.wav")};
    const ToolResult result = runTool(launch);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readAudio(dir.file("out.wav")).frames, 500);
}

TEST_F(Render, AnExistingOutputIsReplacedAndOnlyItRemains)
{
    writeAudio(dir.file("in.wav"), makeSignal(500, 2), kWav16);
    writeAudio(dir.file("out.wav"), makeSignal(10, 1), kWav16);
    const ToolResult result = runTool({"--plugin", FIXTURE_GAIN, dir.file("in.wav"), dir.file("out.wav")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readAudio(dir.file("out.wav")).frames, 500);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.wav", "out.wav"}));
    const auto permissions = std::filesystem::status(dir.file("out.wav")).permissions();
    EXPECT_NE(permissions & std::filesystem::perms::others_read, std::filesystem::perms::none)
        << "the output gets ordinary permissions, not the temporary file's private ones";
}

TEST_F(Render, ATruncatedInputRendersTheSamplesThatArePresent)
{
    const std::string input = dir.file("cut.wav");
    writeAudio(input, makeSignal(1000, 2), kWav16);
    const auto header = std::filesystem::file_size(input) - 1000 * 4;
    std::filesystem::resize_file(input, header + 600 * 4);
    const ToolResult result = runTool({"--plugin", FIXTURE_GAIN, "--tail", "0.01", input, dir.file("out.wav")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readAudio(dir.file("out.wav")).frames, 600 + 441);
}
