// The audio thread's manners: processing and the parameter changes that ramp into it must not
// allocate, lock or call the system. Each case drives one path on a watched thread.
#include "AudioThreadProbe.h"
#include "ValidatorCase.h"
#include <functional>

namespace {

constexpr int kMaxFrames = 512;
constexpr int kBlockSizes[] = {512, 32, 1, 0, 511, 64};

using AudioPath = std::function<void(CPluginInstance&, CChannelBuffers&, CChannelBuffers&, int block)>;

// Runs `path` for a few hundred blocks of each size, every call into the plug-in watched, and
// fails with the list of what was called.
void ProbeAudioPath(CCaseContext& context, const AudioPath& path)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Start(44100.0f, kMaxFrames);
    CAudioThreadProbe probe(reinterpret_cast<const void*>(context.Entry()));
    if (!probe.Unavailable().empty()) {
        context.Skip(probe.Unavailable());
        return;
    }
    CChannelBuffers in(plugin.Effect()->numInputs, kMaxFrames, 0.25f);
    CChannelBuffers out(plugin.Effect()->numOutputs, kMaxFrames);
    int blocks = 0;
    probe.RunOnAudioThread([&] {
        for (int frames : kBlockSizes)
            for (int block = 0; block < 200; ++block, ++blocks) {
                path(plugin, in, out, frames);
            }
    });
    context.Note(std::to_string(blocks) + " blocks watched");
    for (const std::string& finding : probe.Findings())
        context.Fail("called inside the plug-in: " + finding);
}

void SetParameterWatched(CPluginInstance& plugin, int index, float value)
{
    CProbedCall watched;
    plugin.SetParameter(index, value);
}

// A parameter change every other block, so that ramps start and land.
void ChangeParameters(CPluginInstance& plugin, int& step)
{
    ++step;
    if (step % 2 == 0 && plugin.ParameterCount() > 1) {
        const int index = 1 + (step / 2) % (plugin.ParameterCount() - 1);
        SetParameterWatched(plugin, index, static_cast<float>((step * 37) % 100) / 99.0f);
    }
}

} // namespace

VALIDATOR_CASE("hygiene", "processReplacing and ramps", ReplacingHygiene)
{
    int step = 0;
    ProbeAudioPath(context, [&step](CPluginInstance& plugin, CChannelBuffers& in, CChannelBuffers& out, int frames) {
        ChangeParameters(plugin, step);
        CProbedCall watched;
        plugin.ProcessReplacing(in.Pointers(), out.Pointers(), frames);
    });
}

VALIDATOR_CASE("hygiene", "process and ramps", AccumulatingHygiene)
{
    int step = 0;
    ProbeAudioPath(context, [&step](CPluginInstance& plugin, CChannelBuffers& in, CChannelBuffers& out, int frames) {
        ChangeParameters(plugin, step);
        out.Fill(0.0f);
        CProbedCall watched;
        plugin.ProcessAccumulating(in.Pointers(), out.Pointers(), frames);
    });
}

VALIDATOR_CASE("hygiene", "bypassed processing", BypassHygiene)
{
    int step = 0;
    ProbeAudioPath(context, [&step](CPluginInstance& plugin, CChannelBuffers& in, CChannelBuffers& out, int frames) {
        ++step;
        SetParameterWatched(plugin, 0, step % 7 == 0 ? 0.0f : 1.0f); // in and out of bypass
        CProbedCall watched;
        if (step % 2)
            plugin.ProcessReplacing(in.Pointers(), out.Pointers(), frames);
        else
            plugin.ProcessAccumulating(in.Pointers(), out.Pointers(), frames);
    });
}
