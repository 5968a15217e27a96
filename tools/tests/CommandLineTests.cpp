#include "CommandLine.h"
#include "ToolError.h"

#include <gtest/gtest.h>

namespace {

std::string usageErrorOf(const std::vector<std::string>& arguments)
{
    try
    {
        parseCommandLine(arguments);
    }
    catch (const UsageError& error)
    {
        return error.what();
    }
    return "(accepted)";
}

} // namespace

TEST(CommandLine, DefaultsRenderTheInputIntoTheOutputWithTheDefaultPlugin)
{
    const Options options = parseCommandLine({"in.wav", "out.wav"});
    EXPECT_EQ(options.input, "in.wav");
    EXPECT_EQ(options.output, "out.wav");
    EXPECT_TRUE(options.pluginPath.empty());
    EXPECT_EQ(options.blockSize, 1024);
    EXPECT_EQ(options.format, SampleFormatChoice::Automatic);
    EXPECT_FALSE(options.settings.program);
    EXPECT_FALSE(options.settings.bypass);
    EXPECT_EQ(options.tailSeconds, 0.0);
}

TEST(CommandLine, ValuesMayFollowAnEqualsSignOrComeAsTheNextArgument)
{
    const Options options = parseCommandLine({"--block=256", "--program", "Crazy Voice", "--plugin=./x.so",
                                              "--format", "input", "--tail=1.5", "in.wav", "out.flac"});
    EXPECT_EQ(options.blockSize, 256);
    EXPECT_EQ(*options.settings.program, "Crazy Voice");
    EXPECT_EQ(options.pluginPath, "./x.so");
    EXPECT_EQ(options.format, SampleFormatChoice::Input);
    EXPECT_EQ(options.tailSeconds, 1.5);
}

TEST(CommandLine, ParametersKeepTheirOrderAndSplitAtTheFirstEqualsSign)
{
    const Options options =
        parseCommandLine({"--param", "LFO Frequency=0.25n", "--param=Gain = -6 dB", "--param", "Depth=10", "a", "b"});
    ASSERT_EQ(options.settings.parameters.size(), 3u);
    EXPECT_EQ(options.settings.parameters[0].name, "LFO Frequency");
    EXPECT_EQ(options.settings.parameters[0].value, "0.25n");
    EXPECT_EQ(options.settings.parameters[1].name, "Gain");
    EXPECT_EQ(options.settings.parameters[1].value, " -6 dB");
    EXPECT_EQ(options.settings.parameters[1].asTyped, "Gain = -6 dB");
    EXPECT_EQ(options.settings.parameters[2].name, "Depth");
}

TEST(CommandLine, DoubleDashEndsTheOptionsSoFilesMayStartWithADash)
{
    const Options options = parseCommandLine({"--bypass", "--", "-in.wav", "--out.wav"});
    EXPECT_TRUE(options.settings.bypass);
    EXPECT_EQ(options.input, "-in.wav");
    EXPECT_EQ(options.output, "--out.wav");
}

TEST(CommandLine, HelpStopsReadingTheRestOfTheLine)
{
    EXPECT_EQ(usageErrorOf({"--block", "0", "--help"}), "--block: 0 is out of range (1 to 65536)");
    EXPECT_TRUE(parseCommandLine({"--help", "--block", "0"}).help);
    EXPECT_TRUE(parseCommandLine({"-h", "--no-such-option"}).help);
    EXPECT_TRUE(parseCommandLine({"--version"}).version);
}

TEST(CommandLine, InfoTakesNoFilesAndAcceptsARate)
{
    const Options options = parseCommandLine({"--info", "--rate", "48000"});
    EXPECT_TRUE(options.info);
    EXPECT_EQ(*options.rate, 48000.0);
    EXPECT_EQ(usageErrorOf({"--info", "in.wav"}), "unexpected argument 'in.wav': --info takes no files");
}

TEST(CommandLine, NumbersAreCheckedStrictly)
{
    EXPECT_EQ(usageErrorOf({"--block", "12abc", "a", "b"}), "--block: '12abc' is not a whole number");
    EXPECT_EQ(usageErrorOf({"--block", "0x10", "a", "b"}), "--block: '0x10' is not a whole number");
    EXPECT_EQ(usageErrorOf({"--block", "65537", "a", "b"}), "--block: 65537 is out of range (1 to 65536)");
    EXPECT_EQ(usageErrorOf({"--tail", "nan", "a", "b"}), "--tail: 'nan' is not a number");
    EXPECT_EQ(usageErrorOf({"--tail", "1e999", "a", "b"}), "--tail: '1e999' is not a number");
    EXPECT_EQ(usageErrorOf({"--tail", "3601", "a", "b"}), "--tail: 3601 is out of range (0 to 3600 seconds)");
    EXPECT_EQ(usageErrorOf({"--info", "--rate", "100"}), "--rate: 100 is out of range (1000 to 768000 Hz)");
    EXPECT_EQ(parseCommandLine({"--block", " 64 ", "a", "b"}).blockSize, 64);
}

TEST(CommandLine, EmptyValuesAreMissingValues)
{
    EXPECT_EQ(usageErrorOf({"--program=", "a", "b"}), "option --program needs a value");
    EXPECT_EQ(usageErrorOf({"a", "b", "--plugin"}), "option --plugin needs a value");
    EXPECT_EQ(usageErrorOf({"--param", "=5", "a", "b"}), "--param '=5': expected NAME=VALUE");
}
