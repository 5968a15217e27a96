#include "RenderLoop.h"

#include "AudioFileReader.h"
#include "AudioFileWriter.h"
#include "LoadedPlugin.h"
#include "ProgressBar.h"
#include "ToolError.h"

#include <algorithm>
#include <vector>

namespace {

// A plug-in reporting more delay than this is reporting nonsense; render it uncompensated.
constexpr double kMaxPlausibleLatencySeconds = 10.0;

sf_count_t compensatedLatency(const LoadedPlugin& plugin, int sampleRate)
{
    const int latency = plugin.latency();
    if (latency <= 0 || latency > kMaxPlausibleLatencySeconds * sampleRate)
        return 0;
    return latency;
}

// Spreads interleaved file frames over the plug-in's inputs: left and right to inputs 0 and 1,
// mono to both, the average to a single input, silence to any further input.
void feedInputs(LoadedPlugin& plugin, const float* frames, int fileChannels, int count, int blockSize)
{
    const int inputs = plugin.inputCount();
    for (int c = 0; c < inputs; ++c)
    {
        float* destination = plugin.input(c);
        if (c >= 2)
            std::fill(destination, destination + count, 0.0f);
        else if (inputs == 1 && fileChannels == 2)
            for (int i = 0; i < count; ++i)
                destination[i] = 0.5f * (frames[2 * i] + frames[2 * i + 1]);
        else
        {
            const int source = std::min(c, fileChannels - 1);
            for (int i = 0; i < count; ++i)
                destination[i] = frames[i * fileChannels + source];
        }
        std::fill(destination + count, destination + blockSize, 0.0f);
    }
}

void copyInput(const float* frames, int fileChannels, float* stereo, sf_count_t count)
{
    for (sf_count_t i = 0; i < count; ++i)
    {
        stereo[2 * i] = frames[i * fileChannels];
        stereo[2 * i + 1] = frames[i * fileChannels + fileChannels - 1];
    }
}

void collectOutputs(LoadedPlugin& plugin, sf_count_t from, sf_count_t count, float* stereo)
{
    const float* left = plugin.output(0) + from;
    const float* right = plugin.output(plugin.outputCount() >= 2 ? 1 : 0) + from;
    for (sf_count_t i = 0; i < count; ++i)
    {
        stereo[2 * i] = left[i];
        stereo[2 * i + 1] = right[i];
    }
}

} // namespace

void render(AudioFileReader& input, LoadedPlugin& plugin, AudioFileWriter& output, const RenderSettings& settings,
            ProgressBar& progress)
{
    if (!settings.hostBypass && plugin.outputCount() == 0)
        throw ToolError("plug-in '" + plugin.path() + "' has no audio outputs");

    const int block = settings.blockSize;
    const int fileChannels = input.channels();
    std::vector<float> fileFrames(static_cast<std::size_t>(block) * fileChannels);
    std::vector<float> stereoFrames(static_cast<std::size_t>(block) * 2);

    plugin.start();
    sf_count_t toDrop = settings.hostBypass ? 0 : compensatedLatency(plugin, input.sampleRate());
    // The header's length until the input actually ends: a pipe has none, a truncated file a wrong one.
    sf_count_t total = input.frames() + settings.tailFrames;
    sf_count_t framesRead = 0;
    sf_count_t written = 0;
    bool inputEnded = false;
    while (written < total)
    {
        const sf_count_t got = inputEnded ? 0 : input.read(fileFrames.data(), block);
        if (got < block)
        {
            if (!inputEnded)
                total = framesRead + got + settings.tailFrames;
            inputEnded = true;
            std::fill(fileFrames.begin() + got * fileChannels, fileFrames.end(), 0.0f);
        }
        framesRead += got;
        sf_count_t from = 0;
        if (settings.hostBypass)
            copyInput(fileFrames.data(), fileChannels, stereoFrames.data(), block);
        else
        {
            feedInputs(plugin, fileFrames.data(), fileChannels, static_cast<int>(got), block);
            plugin.process(block);
            from = std::min<sf_count_t>(toDrop, block);
            toDrop -= from;
        }
        const sf_count_t count = std::min(block - from, total - written);
        if (!settings.hostBypass)
            collectOutputs(plugin, from, count, stereoFrames.data());
        output.write(stereoFrames.data(), count);
        written += count;
        progress.update(written, total);
    }
    plugin.stop();
    progress.finish();
}
