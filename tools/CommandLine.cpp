#include "CommandLine.h"

#include "Text.h"
#include "ToolError.h"

#include <functional>

namespace {

std::string formatNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

int parseBlockSize(const std::string& text)
{
    const auto value = parseInteger(text);
    if (!value)
        throw UsageError("--block: '" + text + "' is not a whole number");
    if (*value < kMinBlockSize || *value > kMaxBlockSize)
        throw UsageError("--block: " + std::to_string(*value) + " is out of range (" + std::to_string(kMinBlockSize) +
                         " to " + std::to_string(kMaxBlockSize) + ")");
    return static_cast<int>(*value);
}

double parseBoundedNumber(const std::string& option, const std::string& text, double low, double high,
                          const std::string& unit)
{
    const auto value = parseNumber(text);
    if (!value)
        throw UsageError(option + ": '" + text + "' is not a number");
    if (*value < low || *value > high)
        throw UsageError(option + ": " + formatNumber(*value) + " is out of range (" + formatNumber(low) + " to " +
                         formatNumber(high) + " " + unit + ")");
    return *value;
}

SampleFormatChoice parseFormat(const std::string& text)
{
    if (text == "float")
        return SampleFormatChoice::Float;
    if (text == "input")
        return SampleFormatChoice::Input;
    throw UsageError("--format: '" + text + "' is neither float nor input");
}

ParameterSetting parseParameterSetting(const std::string& text)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || trim(text.substr(0, equals)).empty())
        throw UsageError("--param '" + text + "': expected NAME=VALUE");
    return {trim(text.substr(0, equals)), text.substr(equals + 1), text};
}

struct OptionSpec
{
    const char* name;
    bool takesValue;
    std::function<void(Options&, const std::string&)> apply;
};

const std::vector<OptionSpec>& optionSpecs()
{
    static const std::vector<OptionSpec> specs = {
        {"--help", false, [](Options& o, const std::string&) { o.help = true; }},
        {"--version", false, [](Options& o, const std::string&) { o.version = true; }},
        {"--info", false, [](Options& o, const std::string&) { o.info = true; }},
        {"--quiet", false, [](Options& o, const std::string&) { o.quiet = true; }},
        {"--bypass", false, [](Options& o, const std::string&) { o.settings.bypass = true; }},
        {"--plugin", true, [](Options& o, const std::string& v) { o.pluginPath = v; }},
        {"--program", true, [](Options& o, const std::string& v) { o.settings.program = v; }},
        {"--param", true,
         [](Options& o, const std::string& v) { o.settings.parameters.push_back(parseParameterSetting(v)); }},
        {"--block", true, [](Options& o, const std::string& v) { o.blockSize = parseBlockSize(v); }},
        {"--format", true, [](Options& o, const std::string& v) { o.format = parseFormat(v); }},
        {"--tail", true,
         [](Options& o, const std::string& v) {
             o.tailSeconds = parseBoundedNumber("--tail", v, 0.0, kMaxTailSeconds, "seconds");
         }},
        {"--rate", true,
         [](Options& o, const std::string& v) { o.rate = parseBoundedNumber("--rate", v, kMinRate, kMaxRate, "Hz"); }},
    };
    return specs;
}

const OptionSpec* findOption(const std::string& name)
{
    const std::string longName = name == "-h" ? "--help" : name == "-q" ? "--quiet" : name;
    for (const OptionSpec& spec : optionSpecs())
        if (longName == spec.name)
            return &spec;
    return nullptr;
}

void checkFiles(const Options& options, const std::vector<std::string>& files)
{
    if (options.info)
    {
        if (!files.empty())
            throw UsageError("unexpected argument '" + files[0] + "': --info takes no files");
        return;
    }
    if (options.rate)
        throw UsageError("--rate applies to --info only: a render runs at the input file's sample rate");
    if (files.empty())
        throw UsageError("missing input and output files (see vstrender --help)");
    if (files.size() == 1)
        throw UsageError("missing output file (see vstrender --help)");
    if (files.size() > 2)
        throw UsageError("unexpected argument '" + files[2] + "'");
}

} // namespace

Options parseCommandLine(const std::vector<std::string>& arguments)
{
    Options options;
    std::vector<std::string> files;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument.size() < 2 || argument[0] != '-')
        {
            files.push_back(argument);
            continue;
        }
        if (argument == "--")
        {
            onlyFiles = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionSpec* spec = findOption(name);
        if (spec == nullptr)
            throw UsageError("unknown option '" + name + "' (see vstrender --help)");
        std::string value;
        if (!spec->takesValue)
        {
            if (equals != std::string::npos)
                throw UsageError("option " + std::string(spec->name) + " takes no value");
        }
        else if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            throw UsageError("option " + std::string(spec->name) + " needs a value");
        if (spec->takesValue && trim(value).empty())
            throw UsageError("option " + std::string(spec->name) + " needs a value");
        spec->apply(options, value);
        if (options.help || options.version)
            return options;
    }
    checkFiles(options, files);
    if (!options.info)
    {
        options.input = files[0];
        options.output = files[1];
    }
    return options;
}

std::string helpText()
{
    return R"(Usage: vstrender [OPTIONS] INPUT OUTPUT
       vstrender --info [OPTIONS]

Renders an audio file through a VST 2 plug-in. The input may be a mono or stereo WAV, FLAC or
AIFF file (or anything else libsndfile reads); the output is always stereo, at the input's sample
rate, in the container its name gives (.wav, .flac, .aiff or .aif).

Options:
  --plugin PATH       the plug-in to load (.so); default: StereoChorus.so beside vstrender,
                      else ../lib/vst/StereoChorus.so (installed: /usr/lib/vst)
  --program P         select program P first: its number as --info lists it, or its name
                      (case does not matter)
  --param NAME=VALUE  set a parameter after the program (repeatable; case does not matter in
                      NAME). VALUE is in the parameter's own units, as its display shows them,
                      with or without its unit: --param Gain=-6 or --param "Gain=-6 dB".
                      A value ending in n is normalised (0n to 1n): --param Depth=0.5n.
                      A word picks a display text: --param Bypass=On.
  --bypass            render with the plug-in bypassed (its own Bypass parameter when it has
                      one, otherwise the input is copied through)
  --block N           frames per processing block, 1 to 65536 (default 1024)
  --format F          output samples: float (the default; FLAC, which holds no float, gets the
                      input's format or 24 bits) or input (the input file's sample format)
  --tail SECONDS      render this much silence after the input, so effects ring out (default 0)
  --info              print the plug-in's vendor, product, parameters (with their current
                      display texts and their range from 0n to 1n) and programs, after applying
                      --program, --param and --bypass
  --rate HZ           with --info: the sample rate to open the plug-in at (default 44100);
                      a render always runs at the input file's rate
  -q, --quiet         no progress bar (it shows only on a terminal, for renders over a second)
  -h, --help          show this help
  --version           show the version

The plug-in's reported latency is compensated: the output lines up with the input and has the
input's length (plus --tail).

Exit status: 0 on success, 1 when the render fails, 2 for a bad command line. A failed or
interrupted render leaves no output file behind, and an existing OUTPUT stays untouched.

Examples:
  vstrender guitar.wav out.wav
  vstrender --program "Crazy Voice" voice.flac out.flac
  vstrender --program 3 --param Depth=40 --param "LFO Frequency=0.25n" in.aiff out.wav
  vstrender --plugin ./other.so --info
)";
}
