// A malformed command line: one line on standard error, nothing on standard output, status 2.
#include "ProductVersion.h"
#include "TestAudio.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    std::vector<std::string> arguments;
    std::string message;
};

void expectUsageErrors(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        const ToolResult result = runTool(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "vstrender: " + c.message + "\n");
        EXPECT_EQ(result.out, "");
    }
}

} // namespace

TEST(VstrenderUsage, MissingOrSurplusFilesAreNamed)
{
    expectUsageErrors({
        {{}, "missing input and output files (see vstrender --help)"},
        {{"in.wav"}, "missing output file (see vstrender --help)"},
        {{"in.wav", "out.wav", "more.wav"}, "unexpected argument 'more.wav'"},
        {{"--info", "in.wav"}, "unexpected argument 'in.wav': --info takes no files"},
    });
}

TEST(VstrenderUsage, UnknownOptionsAndMisusedValuesAreRefused)
{
    expectUsageErrors({
        {{"--frobnicate", "in.wav", "out.wav"}, "unknown option '--frobnicate' (see vstrender --help)"},
        {{"-x", "in.wav", "out.wav"}, "unknown option '-x' (see vstrender --help)"},
        {{"in.wav", "out.wav", "--block"}, "option --block needs a value"},
        {{"--bypass=yes", "in.wav", "out.wav"}, "option --bypass takes no value"},
        {{"--param", "Gain", "in.wav", "out.wav"}, "--param 'Gain': expected NAME=VALUE"},
        {{"--format", "mp3", "in.wav", "out.wav"}, "--format: 'mp3' is neither float nor input"},
        {{"--rate", "48000", "in.wav", "out.wav"},
         "--rate applies to --info only: a render runs at the input file's sample rate"},
    });
}

TEST(VstrenderUsage, BadNumbersAreRefusedWithTheTextTyped)
{
    expectUsageErrors({
        {{"--block", "abc", "in.wav", "out.wav"}, "--block: 'abc' is not a whole number"},
        {{"--block", "1.5", "in.wav", "out.wav"}, "--block: '1.5' is not a whole number"},
        {{"--block", "0", "in.wav", "out.wav"}, "--block: 0 is out of range (1 to 65536)"},
        {{"--tail", "soon", "in.wav", "out.wav"}, "--tail: 'soon' is not a number"},
        {{"--tail", "-1", "in.wav", "out.wav"}, "--tail: -1 is out of range (0 to 3600 seconds)"},
        {{"--info", "--rate", "fast"}, "--rate: 'fast' is not a number"},
    });
}

TEST(VstrenderUsage, HelpAndVersionPrintToStandardOutput)
{
    const ToolResult help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: vstrender [OPTIONS] INPUT OUTPUT\n", 0), 0u);
    for (const char* option : {"--plugin", "--program", "--param", "--bypass", "--block", "--format", "--tail",
                               "--info", "--rate", "--quiet", "--help", "--version", "Depth=0.5n"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;

    const ToolResult version = runTool({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vstrender " PRODUCT_VERSION_STRING "\n");
}
