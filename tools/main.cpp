// vstrender: renders audio files through a VST 2 plug-in from the command line.
#include "AudioFileReader.h"
#include "AudioFileWriter.h"
#include "CommandLine.h"
#include "DefaultPlugin.h"
#include "InfoReport.h"
#include "InterruptCleanup.h"
#include "LoadedPlugin.h"
#include "OutputFormat.h"
#include "PluginSetup.h"
#include "ProductVersion.h"
#include "ProgressBar.h"
#include "RenderLoop.h"
#include "ToolError.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

constexpr const char* kVersion = "vstrender " PRODUCT_VERSION_STRING;

std::string pluginPathFrom(const Options& options)
{
    return options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath;
}

std::unique_ptr<LoadedPlugin> loadPlugin(const Options& options)
{
    const std::string path = pluginPathFrom(options);
    try
    {
        return std::make_unique<LoadedPlugin>(path);
    }
    catch (const ToolError& error)
    {
        if (options.pluginPath.empty() && access(path.c_str(), F_OK) != 0)
            throw ToolError(std::string(error.what()) + " (the default plug-in; choose another with --plugin)");
        throw;
    }
}

void showInfo(const Options& options)
{
    const auto plugin = loadPlugin(options);
    plugin->configure(options.rate.value_or(kInfoDefaultRate), options.blockSize);
    applySettings(*plugin, options.settings);
    printInfo(*plugin, stdout);
}

void renderFile(const Options& options)
{
    AudioFileReader input(options.input);
    const int format = chooseOutputFormat(options.output, options.format, input.format(), input.sampleRate());

    const auto plugin = loadPlugin(options);
    plugin->configure(input.sampleRate(), options.blockSize);
    RenderSettings settings;
    settings.blockSize = options.blockSize;
    settings.hostBypass = applySettings(*plugin, options.settings);
    settings.tailFrames = static_cast<sf_count_t>(options.tailSeconds * input.sampleRate() + 0.5);

    AudioFileWriter output(options.output, format, input.sampleRate(), 2);
    ProgressBar progress(stderr, !options.quiet && isatty(STDERR_FILENO));
    render(input, *plugin, output, settings, progress);
    output.commit();
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        const Options options = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help)
        {
            std::fputs(helpText().c_str(), stdout);
            return 0;
        }
        if (options.version)
        {
            std::puts(kVersion);
            return 0;
        }
        installInterruptCleanup();
        if (options.info)
            showInfo(options);
        else
            renderFile(options);
        return 0;
    }
    catch (const UsageError& error)
    {
        std::fprintf(stderr, "vstrender: %s\n", error.what());
        return 2;
    }
    catch (const ToolError& error)
    {
        std::fprintf(stderr, "vstrender: %s\n", error.what());
        return 1;
    }
    catch (const std::bad_alloc&)
    {
        std::fprintf(stderr, "vstrender: out of memory\n");
        return 1;
    }
}
