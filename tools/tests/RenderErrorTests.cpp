// Every way a render can fail: one line on standard error, status 1, and no output file left
// behind (an existing output stays as it was).
#include "TestAudio.h"
#include "ToolRunner.h"

#include <csignal>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

class RenderErrors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        input = dir.file("in.wav");
        output = dir.file("out.wav");
        writeAudio(input, makeSignal(4410, 2), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    }

    // Runs the tool and checks the message, the status and that the directory holds only `expected`.
    void expectFailure(const std::vector<std::string>& arguments, const std::string& message,
                       std::vector<std::string> expected = {"in.wav"})
    {
        SCOPED_TRACE(message);
        const ToolResult result = runTool(arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "vstrender: " + message + "\n");
        EXPECT_EQ(result.out, "");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(dir.entries(), expected);
    }

    std::vector<std::string> withGain(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), {"--plugin", FIXTURE_GAIN});
        return arguments;
    }

    ScratchDirectory dir;
    std::string input;
    std::string output;
};

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(RenderErrors, MissingOrUnreadableInputIsNamed)
{
    expectFailure(withGain({dir.file("missing.wav"), output}), "input file not found: '" + dir.file("missing.wav") + "'");
    std::filesystem::create_directory(dir.file("folder"));
    expectFailure(withGain({dir.file("folder"), output}), "input '" + dir.file("folder") + "' is a directory",
                  {"in.wav", "folder"});
    std::filesystem::remove(dir.file("folder"));

    writeText(dir.file("notes.wav"), "these are not samples\n");
    expectFailure(withGain({dir.file("notes.wav"), output}),
                  "'" + dir.file("notes.wav") + "' is not an audio file vstrender can read (Format not recognised.)",
                  {"in.wav", "notes.wav"});
    std::filesystem::remove(dir.file("notes.wav"));

    Audio surround = makeSignal(100, 6);
    writeAudio(dir.file("surround.wav"), surround, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    expectFailure(withGain({dir.file("surround.wav"), output}),
                  "'" + dir.file("surround.wav") + "' has 6 channels; only mono and stereo input is supported",
                  {"in.wav", "surround.wav"});
}

TEST_F(RenderErrors, UnreadableInputFileIsNamedWithTheSystemReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    std::filesystem::permissions(input, std::filesystem::perms::none);
    expectFailure(withGain({input, output}), "cannot read '" + input + "': Permission denied");
}

TEST_F(RenderErrors, OutputThatCannotBeWrittenIsRefusedBeforeRendering)
{
    expectFailure(withGain({input, dir.file("out.mp3")}),
                  "cannot tell the output format from '" + dir.file("out.mp3") + "': name it .wav, .flac or .aiff");
    expectFailure(withGain({input, dir.file("nowhere/out.wav")}),
                  "cannot write '" + dir.file("nowhere/out.wav") + "': No such file or directory");
    std::filesystem::create_directory(dir.file("taken.wav"));
    expectFailure(withGain({input, dir.file("taken.wav")}), "output '" + dir.file("taken.wav") + "' is a directory",
                  {"in.wav", "taken.wav"});
}

TEST_F(RenderErrors, FlacRefusesFloatSamples)
{
    expectFailure(withGain({"--format", "float", input, dir.file("out.flac")}),
                  "FLAC cannot hold float samples; use --format input or write a .wav or .aiff file");
    writeAudio(dir.file("float.wav"), makeSignal(100, 1), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    expectFailure(withGain({"--format", "input", dir.file("float.wav"), dir.file("out.flac")}),
                  "FLAC cannot hold the input's float samples; write a .wav or .aiff file", {"in.wav", "float.wav"});
}

TEST_F(RenderErrors, FilesThatAreNoPluginAreRecognised)
{
    expectFailure({"--plugin", dir.file("none.so"), input, output}, "plug-in not found: '" + dir.file("none.so") + "'");
    expectFailure({"--plugin", dir.path(), input, output}, "plug-in '" + dir.path() + "' is a directory");

    std::string junk(4096, 'x');
    writeText(dir.file("junk.so"), junk);
    expectFailure({"--plugin", dir.file("junk.so"), input, output},
                  "cannot load plug-in '" + dir.file("junk.so") + "': invalid ELF header", {"in.wav", "junk.so"});
    std::filesystem::remove(dir.file("junk.so"));

    expectFailure({"--plugin", NOT_A_PLUGIN, input, output},
                  std::string("'") + NOT_A_PLUGIN + "' is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");
    expectFailure({"--plugin", FIXTURE_BAD_MAGIC, input, output},
                  std::string("'") + FIXTURE_BAD_MAGIC +
                      "' is not a VST 2 plug-in: its entry point returned no 'VstP' effect record");
    expectFailure({"--plugin", FIXTURE_REFUSES, input, output},
                  std::string("plug-in '") + FIXTURE_REFUSES + "' refused to start: its entry point returned no effect");
}

TEST_F(RenderErrors, MissingDefaultPluginPointsToThePluginOption)
{
    // A copy of the tool in a directory without StereoChorus.so beside it.
    const std::string tool = dir.file("vstrender");
    std::filesystem::copy_file(VSTRENDER_PATH, tool);
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    ToolLaunch launch;
    launch.program = tool;
    launch.arguments = {input, output};
    const ToolResult result = runTool(launch);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vstrender: plug-in not found: '" + dir.file("StereoChorus.so") +
                              "' (the default plug-in; choose another with --plugin)\n");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.wav", "vstrender"}));
}

TEST_F(RenderErrors, UnknownParametersAndProgramsAreNamed)
{
    expectFailure(withGain({"--param", "Depth=50", input, output}),
                  "unknown parameter 'Depth'; the plug-in has: Gain, Balance, Polarity");
    expectFailure(withGain({"--program", "Loud", input, output}), "unknown program 'Loud' (vstrender --info lists them)");
    expectFailure(withGain({"--program", "4", input, output}), "program 4 does not exist (programs are numbered 0 to 3)");
    expectFailure(withGain({"--program", "-1", input, output}), "program -1 does not exist (programs are numbered 0 to 3)");
}

TEST_F(RenderErrors, BadParameterValuesAreNamedWithTheSettingAsTyped)
{
    expectFailure(withGain({"--param", "Gain=loud", input, output}), "--param Gain=loud: 'loud' is not a number");
    expectFailure(withGain({"--param", "Gain=", input, output}), "--param Gain=: no value given");
    expectFailure(withGain({"--param", "Gain=20", input, output}),
                  "--param Gain=20: 20 is out of range (-24.00 .. 12.00 dB)");
    expectFailure(withGain({"--param", "Gain=1.5n", input, output}),
                  "--param Gain=1.5n: a normalised value must lie between 0n and 1n");
    expectFailure(withGain({"--param", "Polarity=sideways", input, output}),
                  "--param Polarity=sideways: 'sideways' is not one of its settings (Normal, Inverted)");
}

TEST_F(RenderErrors, AFailedRenderLeavesAnExistingOutputUntouched)
{
    writeText(output, "precious");
    expectFailure(withGain({"--param", "Nope=1", input, output}),
                  "unknown parameter 'Nope'; the plug-in has: Gain, Balance, Polarity", {"in.wav", "out.wav"});
    EXPECT_EQ(readText(output), "precious");
}

TEST_F(RenderErrors, AWriteFailureMidwayRemovesThePartialFile)
{
    writeAudio(input, makeSignal(441000, 2), SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ToolLaunch launch;
    launch.arguments = withGain({input, output});
    launch.fileSizeLimit = 2 * 1024 * 1024; // the input fits, the float output does not
    const ToolResult result = runTool(launch);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vstrender: cannot write '" + output + "': System error : File too large.\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.wav"});
}

TEST_F(RenderErrors, AnInterruptedRenderRemovesItsTemporaryFile)
{
    ToolLaunch launch;
    launch.arguments = withGain({"--tail", "3600", "--block", "1", input, output});
    ToolProcess process(launch);
    // Wait until the render is under way, which its temporary file shows.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (dir.entries().size() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(dir.entries().size(), 2u);
    EXPECT_EQ(dir.entries()[0].rfind(".out.wav.vstrender-", 0), 0u);
    kill(process.pid(), SIGINT);
    const ToolResult result = process.wait();
    EXPECT_EQ(result.signal, SIGINT);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.wav"});
}
