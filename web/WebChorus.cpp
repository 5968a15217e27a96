// The plug-in's core and effect for a web page: the functions the page's JavaScript calls, in the
// audio worklet and for offline renders. The page hands samples through buffers in the module's
// memory and calls these as a host calls a plug-in, so its samples are the plug-in's.
#include "WebChorus.h"
#include "StereoChorusDescription.h"
#include <algorithm>
#include <cstdio>
#include <emscripten/emscripten.h>
#include <memory>
#include <string>

SWebChorus::SWebChorus(int maxFrames)
    : core(StereoChorusDescription().createEffect(), nullptr, StereoChorusDescription().outputRefreshRate),
      capacity(maxFrames)
{
    const auto frames = static_cast<size_t>(maxFrames);
    for (auto& channel : staging)
        channel.assign(frames, 0.0f);
    inputs.assign(static_cast<size_t>(std::max(core.GetInputChannels(), 1)), std::vector<float>(frames, 0.0f));
    outputs.assign(static_cast<size_t>(std::max(core.GetOutputChannels(), 1)), std::vector<float>(frames, 0.0f));
    for (auto& channel : inputs)
        inputPointers.push_back(channel.data());
    for (auto& channel : outputs)
        outputPointers.push_back(channel.data());
}

void SWebChorus::SpreadInputs(int frames, int fileChannels)
{
    const int count = static_cast<int>(inputs.size());
    for (int c = 0; c < count; ++c) {
        float* destination = inputs[static_cast<size_t>(c)].data();
        if (c >= kStagingChannels)
            std::fill(destination, destination + frames, 0.0f);
        else if (count == 1 && fileChannels == 2)
            for (int i = 0; i < frames; ++i)
                destination[i] = 0.5f * (staging[0][static_cast<size_t>(i)] + staging[1][static_cast<size_t>(i)]);
        else
            std::copy_n(staging[static_cast<size_t>(std::min(c, fileChannels - 1))].data(), frames, destination);
    }
}

namespace {

// Texts handed to JavaScript live here until the next call that returns one.
char g_text[64];

} // namespace

extern "C" {

// An instance at `sampleRate` taking blocks of up to `maxFrames`; null for a rate the core
// refuses or a size outside 1..65536 (vstrender's block sizes).
EMSCRIPTEN_KEEPALIVE SWebChorus* chorus_create(float sampleRate, int maxFrames)
{
    if (maxFrames < 1 || maxFrames > 65536)
        return nullptr;
    auto chorus = std::make_unique<SWebChorus>(maxFrames);
    return chorus->core.SetSampleRate(sampleRate) ? chorus.release() : nullptr;
}

EMSCRIPTEN_KEEPALIVE void chorus_destroy(SWebChorus* chorus) { delete chorus; }

// Where the page writes a file's channel 0 or 1 before chorus_process.
EMSCRIPTEN_KEEPALIVE float* chorus_input(SWebChorus* chorus, int channel)
{
    return channel >= 0 && channel < kStagingChannels ? chorus->staging[channel].data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE float* chorus_output(SWebChorus* chorus, int channel)
{
    const int last = static_cast<int>(chorus->outputs.size()) - 1;
    return chorus->outputs[static_cast<size_t>(std::clamp(channel, 0, last))].data();
}

// As a host's effMainsChanged(1): the settings made so far are the starting point.
EMSCRIPTEN_KEEPALIVE void chorus_resume(SWebChorus* chorus) { chorus->core.Resume(); }

// One block of `frames` from the staged channels of a file with `fileChannels` channels.
EMSCRIPTEN_KEEPALIVE void chorus_process(SWebChorus* chorus, int frames, int fileChannels)
{
    frames = std::clamp(frames, 0, chorus->capacity);
    chorus->SpreadInputs(frames, std::clamp(fileChannels, 1, kStagingChannels));
    chorus->core.Process(chorus->inputPointers.data(), chorus->outputPointers.data(), frames, false);
}

EMSCRIPTEN_KEEPALIVE int chorus_parameter_count(SWebChorus* chorus) { return chorus->core.GetParameterCount(); }

EMSCRIPTEN_KEEPALIVE int chorus_set_parameter(SWebChorus* chorus, int index, float normalised)
{
    return chorus->core.SetParameter(index, normalised) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE float chorus_get_parameter(SWebChorus* chorus, int index) { return chorus->core.GetParameter(index); }

EMSCRIPTEN_KEEPALIVE const char* chorus_parameter_name(SWebChorus* chorus, int index)
{
    chorus->core.GetParameterName(index, g_text);
    return g_text;
}

// The display text and unit a normalised value would have.
EMSCRIPTEN_KEEPALIVE const char* chorus_parameter_text(SWebChorus* chorus, int index, float normalised)
{
    char label[32] = {};
    chorus->core.FormatParameter(index, normalised, g_text);
    chorus->core.GetParameterLabel(index, label);
    if (label[0]) {
        const size_t used = std::char_traits<char>::length(g_text);
        snprintf(g_text + used, sizeof g_text - used, " %s", label);
    }
    return g_text;
}

EMSCRIPTEN_KEEPALIVE int chorus_program_count(SWebChorus* chorus) { return chorus->core.GetProgramCount(); }
EMSCRIPTEN_KEEPALIVE int chorus_get_program(SWebChorus* chorus) { return chorus->core.GetProgram(); }
EMSCRIPTEN_KEEPALIVE void chorus_set_program(SWebChorus* chorus, int program) { chorus->core.SetProgram(program); }

EMSCRIPTEN_KEEPALIVE const char* chorus_program_name(SWebChorus* chorus, int program)
{
    chorus->core.GetProgramNameAt(program, g_text);
    return g_text;
}

} // extern "C"
