#include "BenchOptions.h"

#include "BenchError.h"
#include "BenchSubject.h"

#include <cstdlib>

namespace {

// "--name value" or "--name=value"; true when argv[i] is this option, with i moved past its value.
bool takeOption(int argc, const char* const argv[], int& i, const std::string& name, std::string& value)
{
    const std::string argument = argv[i];
    if (argument.rfind(name + "=", 0) == 0) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    if (argument != name)
        return false;
    if (i + 1 >= argc)
        throw BenchError(name + " needs a value");
    value = argv[++i];
    return true;
}

double number(const std::string& name, const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0')
        throw BenchError(name + ": \"" + text + "\" is not a number");
    return value;
}

} // namespace

BenchOptions parseBenchOptions(int argc, const char* const argv[], const std::string& defaultPluginPath)
{
    BenchOptions options;
    options.pluginPath = defaultPluginPath;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            options.help = true;
        } else if (takeOption(argc, argv, i, "--repetitions", value)) {
            const double repetitions = number("--repetitions", value);
            if (repetitions < 1 || repetitions > 1000 || repetitions != static_cast<int>(repetitions))
                throw BenchError("--repetitions: a whole number from 1 to 1000, please");
            options.repetitions = static_cast<int>(repetitions);
        } else if (takeOption(argc, argv, i, "--seconds", value)) {
            options.seconds = number("--seconds", value);
            if (!(options.seconds >= 0.1 && options.seconds <= 3600.0))
                throw BenchError("--seconds: from 0.1 to 3600, please");
        } else if (takeOption(argc, argv, i, "--block", value)) {
            const double block = number("--block", value);
            if (block < 1 || block > kBenchMaxBlockFrames || block != static_cast<int>(block))
                throw BenchError("--block: a whole number of frames from 1 to " + std::to_string(kBenchMaxBlockFrames) +
                                 ", please");
            options.block = static_cast<int>(block);
        } else if (takeOption(argc, argv, i, "--plugin", value)) {
            options.pluginPath = value;
        } else if (takeOption(argc, argv, i, "--kernels", value)) {
            if (value != "sse2" && value != "avx2")
                throw BenchError("--kernels: sse2 or avx2, please (without the option the plug-in picks)");
            options.kernels = value;
        } else {
            throw BenchError(std::string("unknown option ") + argv[i] + "\n" + benchUsage());
        }
    }
    return options;
}

const char* benchUsage()
{
    return "usage: chorus_peer_bench [--block N] [--repetitions N] [--seconds S] [--plugin PATH] [--kernels sse2|avx2]\n"
           "  --block N        one run at N-frame blocks, in detail (default: every size from 16 to 4096\n"
           "                   frames, then 64 instances at once)\n"
           "  --repetitions N  passes per subject, medians over them (default 11)\n"
           "  --seconds S      seconds of stereo noise per pass (default 60)\n"
           "  --plugin PATH    our VST 2 plug-in (default: the one this build made)\n"
           "  --kernels K      force our plug-in's sse2 or avx2 kernels (default: it picks for the CPU)\n";
}
