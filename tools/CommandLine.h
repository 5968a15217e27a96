#pragma once
// The command line of vstrender: what it accepts, what it means, and the --help text.
#include "OutputFormat.h"
#include "PluginSetup.h"

#include <optional>
#include <string>
#include <vector>

struct Options
{
    bool help = false;
    bool version = false;
    bool info = false;
    bool quiet = false;
    std::string pluginPath; // empty: the default plug-in beside the executable
    PluginSettings settings;
    int blockSize = 1024;
    SampleFormatChoice format = SampleFormatChoice::Automatic;
    double tailSeconds = 0.0;
    std::optional<double> rate; // --info only; a render runs at the input's rate
    std::string input;
    std::string output;
};

constexpr int kMinBlockSize = 1;
constexpr int kMaxBlockSize = 65536;
constexpr double kMaxTailSeconds = 3600.0;
constexpr double kMinRate = 1000.0;
constexpr double kMaxRate = 768000.0;
constexpr double kInfoDefaultRate = 44100.0;

// Throws UsageError with the one-line message for the user.
Options parseCommandLine(const std::vector<std::string>& arguments);

std::string helpText();
