// The signal itself: faulty input, long silence after a sound, full-scale noise in every program.
#include "CaseSupport.h"
#include "ProcessMeasures.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr float kRate = 44100.0f;
constexpr int kBlock = 512;

// Fills every input with one value, or with a pattern of values sample by sample.
BlockFill ConstantFill(float value)
{
    return [value](CChannelBuffers& in, int64_t) { in.Fill(value); };
}

BlockFill PatternFill(std::vector<float> pattern)
{
    return [pattern](CChannelBuffers& in, int64_t first) {
        for (int c = 0; c < in.Channels(); ++c)
            for (int f = 0; f < in.Frames(); ++f)
                in.Channel(c)[f] = pattern[static_cast<size_t>(first + f + c) % pattern.size()];
    };
}

void FaultyInputThenRecovery(CCaseContext& context, CPluginInstance& plugin)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float tiny = std::numeric_limits<float>::denorm_min();
    Render(plugin, 4 * kBlock, kBlock, ConstantFill(nan));
    Render(plugin, 4 * kBlock, kBlock, ConstantFill(inf));
    Render(plugin, 4 * kBlock, kBlock, ConstantFill(-inf));
    Render(plugin, 4 * kBlock, kBlock, PatternFill({nan, 0.5f, inf, -0.5f, -inf, tiny, FLT_MAX, -FLT_MAX}));
    Render(plugin, 4 * kBlock, kBlock, PatternFill({tiny, -tiny, FLT_MIN / 2.0f, -FLT_MIN / 3.0f}));

    // The faults have left the delay lines once a tail of sound input has passed.
    CNoise noise;
    Render(plugin, RecoveryFrames(plugin, kRate), kBlock, NoiseFill(noise, 0.5f));
    const SSignalStats after = Render(plugin, static_cast<int64_t>(kRate), kBlock, NoiseFill(noise, 0.5f));
    context.Expect(after.Sane(), "a tail after non-finite input: " + after.Describe());
}

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", seconds);
    return text;
}

} // namespace

VALIDATOR_CASE("audio", "non-finite and denormal input", NonFiniteInput)
{
    CPluginInstance* plugin = StartInstance(context, kRate, kBlock);
    if (!plugin)
        return;
    FaultyInputThenRecovery(context, *plugin);
    // Bypassed, the faults pass straight through; the plug-in must still recover afterwards.
    plugin->SetParameter(0, 1.0f);
    FaultyInputThenRecovery(context, *plugin);
    context.Note("recovery after " + std::to_string(static_cast<long long>(RecoveryFrames(*plugin, kRate))) +
                 " frames");
}

VALIDATOR_CASE("audio", "impulse then 60 s of silence", ImpulseThenSilence)
{
    CPluginInstance* plugin = StartInstance(context, kRate, kBlock);
    if (!plugin)
        return;
    CChannelBuffers in = InputsFor(*plugin, kBlock);
    CChannelBuffers out = OutputsFor(*plugin, kBlock);
    for (int c = 0; c < in.Channels(); ++c)
        in.Channel(c)[0] = 1.0f;
    plugin->ProcessReplacing(in.Pointers(), out.Pointers(), kBlock);
    in.Fill(0.0f);

    // Sixty seconds of silence; the cost of the first ten is compared with the last ten.
    constexpr int kSpanBlocks = static_cast<int>(10 * kRate) / kBlock;
    constexpr int kBlocks = 6 * kSpanBlocks;
    SSignalStats stats;
    double spanStart = ThreadCpuSeconds();
    double first = 0.0, last = 0.0;
    for (int block = 0; block < kBlocks; ++block) {
        plugin->ProcessReplacing(in.Pointers(), out.Pointers(), kBlock);
        stats.Add(out, kBlock);
        if (block + 1 == kSpanBlocks)
            first = ThreadCpuSeconds() - spanStart;
        if (block + 1 == kBlocks - kSpanBlocks)
            spanStart = ThreadCpuSeconds();
    }
    last = ThreadCpuSeconds() - spanStart;

    context.Expect(stats.finite, "output not finite");
    context.Expect(stats.denormals == 0, std::to_string(static_cast<long long>(stats.denormals)) +
                                             " denormal samples in the silence");
    // Timing is noisy and thread clocks are coarse: only a gross slowdown fails, and never one
    // measured below a couple of clock ticks.
    constexpr double kClockFloor = 0.03;
    const double ratio = first > 0.0 ? last / first : 1.0;
    char text[96];
    std::snprintf(text, sizeof text, "first 10 s %s, last 10 s %s, ratio %.2f", Seconds(first).c_str(),
                  Seconds(last).c_str(), ratio);
    context.Note(text);
    context.Expect(last <= 5.0 * std::max(first, kClockFloor), std::string("the silence got slower: ") + text);
}

VALIDATOR_CASE("audio", "full-scale noise in every program", NoiseInEveryProgram)
{
    CPluginInstance* plugin = StartInstance(context, kRate, kBlock);
    if (!plugin)
        return;
    float loudest = 0.0f;
    for (int program = 0; program < std::max(1, plugin->ProgramCount()); ++program) {
        plugin->Dispatch(effSetProgram, 0, program);
        CNoise noise(static_cast<uint32_t>(program) + 1u);
        const SSignalStats stats = Render(*plugin, static_cast<int64_t>(kRate), kBlock, NoiseFill(noise, 1.0f));
        context.Expect(stats.Sane(), "program " + std::to_string(program) + ": " + stats.Describe());
        loudest = std::max(loudest, stats.peak);
    }
    context.Note("loudest peak " + Describe(loudest));
}
