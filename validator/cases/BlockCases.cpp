// Block sizes and channel pointers as hosts hand them over: odd, varying, larger than announced,
// shared between inputs and outputs, or outputs that already hold something.
#include "CaseSupport.h"
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Two instances fed the same signal in the same blocks must agree to within float rounding.
constexpr float kRenderTolerance = 1e-4f;
// Cut into other blocks, a plug-in may drift a little (an oscillator wrapped at block ends, a
// per-block smoothing step), but 40 dB below the signal, not more: more is lost or garbled audio.
constexpr float kSlicingTolerance = 1e-2f;

std::string DifferenceText(float difference)
{
    return "differs from the reference render by " + Describe(difference);
}

// Renders `frames` of noise through a fresh instance in slices of `sizes`, and through a reference
// instance in blocks of 512; both started the same way.
float CompareSlicing(CCaseContext& context, int frames, const std::vector<int>& sizes, VstInt32 announced,
                     bool& ok)
{
    CPluginInstance* tested = StartInstance(context, 44100.0f, announced);
    CPluginInstance* reference = StartInstance(context, 44100.0f, 512);
    ok = tested && reference;
    if (!ok)
        return 0.0f;
    CChannelBuffers in = InputsFor(*tested, frames);
    CNoise noise;
    noise.Fill(in, 0.5f);
    CChannelBuffers out = OutputsFor(*tested, frames);
    CChannelBuffers expected = OutputsFor(*reference, frames);
    ProcessInSlices(*tested, in, out, sizes);
    ProcessInSlices(*reference, in, expected, {512});
    ok = context.Expect(out.AllFinite(), "output is not finite");
    return MaxDifference(out, expected, frames);
}

} // namespace

VALIDATOR_CASE("blocks", "sizes 0 1 157 4096 65536", BlockSizes)
{
    for (int size : {1, 157, 4096, 65536}) {
        CPluginInstance* plugin = StartInstance(context, 44100.0f, size);
        if (!plugin)
            return;
        CNoise noise;
        const SSignalStats stats = Render(*plugin, std::max(4 * size, 4410), size, NoiseFill(noise, 0.5f));
        context.Expect(stats.Sane(), "blocks of " + std::to_string(size) + ": " + stats.Describe());
    }

    // A block of no frames must leave the buffers alone.
    CPluginInstance* plugin = StartInstance(context, 44100.0f, 0);
    if (!plugin)
        return;
    constexpr float kUntouched = 12345.0f;
    CChannelBuffers in = InputsFor(*plugin, 16, 0.5f);
    CChannelBuffers out = OutputsFor(*plugin, 16, kUntouched);
    plugin->ProcessReplacing(in.Pointers(), out.Pointers(), 0);
    if (plugin->Effect()->process)
        plugin->ProcessAccumulating(in.Pointers(), out.Pointers(), 0);
    bool untouched = true;
    for (int c = 0; c < out.Channels(); ++c)
        untouched = untouched && std::all_of(out.Channel(c), out.Channel(c) + 16, [](float x) { return x == kUntouched; });
    context.Expect(untouched, "a block of 0 frames wrote to the outputs");
    CNoise noise;
    const SSignalStats after = Render(*plugin, 4410, 441, NoiseFill(noise, 0.5f));
    context.Expect(after.Sane(), "after a block of 0 frames: " + after.Describe());
}

VALIDATOR_CASE("blocks", "size varying every call", VaryingBlockSizes)
{
    // Sizes from 0 to 4096 in an order no host would choose, repeated over three seconds.
    std::vector<int> sizes = {1, 0, 4096, 7, 333, 2, 1024, 0, 4095, 64, 1, 511, 3000, 13};
    CNoise draw(77);
    for (int i = 0; i < 50; ++i)
        sizes.push_back(static_cast<int>((draw.Next() + 1.0f) * 2048.0f));
    bool ok = false;
    const float difference = CompareSlicing(context, 3 * 44100, sizes, 4096, ok);
    if (ok)
        context.Expect(difference <= kSlicingTolerance, DifferenceText(difference));
    context.Note("largest difference " + Describe(difference));
}

VALIDATOR_CASE("blocks", "blocks larger than announced", LargerThanAnnounced)
{
    // Announced 64 frames, then handed 4096 and 65536 at a time.
    bool ok = false;
    const float difference = CompareSlicing(context, 2 * 65536 + 2 * 4096, {4096, 65536, 4096, 65536}, 64, ok);
    if (ok)
        context.Expect(difference <= kSlicingTolerance, DifferenceText(difference));
    context.Note("largest difference " + Describe(difference));
}

VALIDATOR_CASE("blocks", "in place", InPlace)
{
    CPluginInstance* tested = StartInstance(context);
    CPluginInstance* reference = StartInstance(context);
    if (!tested || !reference)
        return;
    const int frames = 44100;
    CChannelBuffers in = InputsFor(*tested, frames);
    CNoise noise;
    noise.Fill(in, 0.5f);
    CChannelBuffers expected = OutputsFor(*reference, frames);
    ProcessInSlices(*reference, in, expected, {512});

    // Each output channel is also the input channel of the same number.
    CChannelBuffers shared = OutputsFor(*tested, frames);
    for (int c = 0; c < shared.Channels() && c < in.Channels(); ++c)
        std::copy(in.Channel(c), in.Channel(c) + frames, shared.Channel(c));
    if (!context.Expect(in.Channels() == shared.Channels(), "inputs and outputs differ in number: no in-place check"))
        return;
    for (int offset = 0; offset < frames; offset += 512) {
        const int n = std::min(512, frames - offset);
        std::vector<float*> pointers = PointersAt(shared, offset);
        tested->ProcessReplacing(pointers.data(), pointers.data(), n);
    }
    context.Expect(shared.AllFinite(), "in-place output is not finite");
    const float difference = MaxDifference(shared, expected, frames);
    context.Expect(difference <= kRenderTolerance, "in place " + DifferenceText(difference));
}

VALIDATOR_CASE("blocks", "outputs sharing one buffer", SharedOutputs)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    const int frames = 512;
    CChannelBuffers in = InputsFor(*plugin, frames);
    CChannelBuffers one(1, frames);
    std::vector<float*> outputs(static_cast<size_t>(plugin->Effect()->numOutputs), one.Channel(0));
    CNoise noise;
    SSignalStats stats;
    for (int block = 0; block < 40; ++block) {
        noise.Fill(in, 0.5f);
        plugin->ProcessReplacing(in.Pointers(), outputs.data(), frames);
        stats.Add(one, frames);
    }
    context.Expect(stats.Sane(), "every output on one buffer: " + stats.Describe());

    // Everything on one buffer: a mono source fed to every input, processed in place.
    std::vector<float*> all(static_cast<size_t>(std::max(plugin->Effect()->numInputs, plugin->Effect()->numOutputs)),
                            one.Channel(0));
    SSignalStats inPlace;
    for (int block = 0; block < 40; ++block) {
        for (int f = 0; f < frames; ++f)
            one.Channel(0)[f] = noise.Next() * 0.5f;
        plugin->ProcessReplacing(all.data(), all.data(), frames);
        inPlace.Add(one, frames);
    }
    context.Expect(inPlace.Sane(), "every input and output on one buffer: " + inPlace.Describe());
}

namespace {

// Sets every parameter to one value (or leaves them, for a negative value) on both instances.
void SetAllParameters(CPluginInstance& a, CPluginInstance& b, float value)
{
    for (int p = 0; value >= 0.0f && p < a.ParameterCount(); ++p) {
        a.SetParameter(p, value);
        b.SetParameter(p, value);
    }
}

} // namespace

VALIDATOR_CASE("blocks", "accumulating onto garbage", AccumulatingOntoGarbage)
{
    CPluginInstance* tested = StartInstance(context);
    CPluginInstance* reference = StartInstance(context);
    if (!tested || !reference)
        return;
    if (!tested->Effect()->process) {
        context.Note("no accumulating process");
        return;
    }
    const int frames = 512;
    CChannelBuffers in = InputsFor(*tested, frames);
    CChannelBuffers garbage = OutputsFor(*tested, frames);
    CChannelBuffers accumulated = OutputsFor(*tested, frames);
    CChannelBuffers replaced = OutputsFor(*reference, frames);
    CNoise signal(11);
    CNoise junk(12);
    float worst = 0.0f;
    const auto compareBlocks = [&](int blocks) {
        for (int block = 0; block < blocks; ++block) {
            signal.Fill(in, 0.5f);
            junk.Fill(garbage, 10.0f);
            for (int c = 0; c < garbage.Channels(); ++c)
                std::copy(garbage.Channel(c), garbage.Channel(c) + frames, accumulated.Channel(c));
            tested->ProcessAccumulating(in.Pointers(), accumulated.Pointers(), frames);
            reference->ProcessReplacing(in.Pointers(), replaced.Pointers(), frames);
            // What was there plus the plug-in's own contribution, nothing more, nothing less.
            for (int c = 0; c < replaced.Channels(); ++c)
                for (int f = 0; f < frames; ++f)
                    replaced.Channel(c)[f] += garbage.Channel(c)[f];
            worst = std::max(worst, MaxDifference(accumulated, replaced, frames));
        }
    };
    // As created, with every parameter at each end (switches on and off alike), in every program.
    for (float value : {-1.0f, 0.0f, 1.0f, 0.5f}) {
        SetAllParameters(*tested, *reference, value);
        compareBlocks(20);
    }
    for (int program = 0; program < tested->ProgramCount(); ++program) {
        tested->Dispatch(effSetProgram, 0, program);
        reference->Dispatch(effSetProgram, 0, program);
        compareBlocks(8);
    }
    context.Note("largest difference " + Describe(worst));
    context.Expect(worst <= 1e-4f * 10.0f, "the accumulating output is not garbage plus the replacing output: " +
                                               DifferenceText(worst));
}

VALIDATOR_CASE("blocks", "missing channel pointers and negative sizes", MissingChannels)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    const int frames = 256;
    CChannelBuffers in = InputsFor(*plugin, frames, 0.5f);
    CChannelBuffers out = OutputsFor(*plugin, frames);
    std::vector<float*> someMissing(in.Pointers(), in.Pointers() + in.Channels());
    if (!someMissing.empty())
        someMissing.back() = nullptr;
    std::vector<float*> outMissing(out.Pointers(), out.Pointers() + out.Channels());
    if (!outMissing.empty())
        outMissing.front() = nullptr;
    const float first = plugin->ParameterCount() > 0 ? plugin->GetParameter(0) : 0.0f;
    // A host bug, but one that has shipped: no arrays, arrays with holes, sizes below zero. With
    // the first parameter at both ends too, since that is often a bypass with a path of its own.
    for (float bypass : {0.0f, 1.0f}) {
        if (plugin->ParameterCount() > 0)
            plugin->SetParameter(0, bypass);
        for (bool accumulate : {false, true}) {
            if (accumulate && !plugin->Effect()->process)
                continue;
            const auto run = [&](float** inputs, float** outputs, VstInt32 n) {
                if (accumulate)
                    plugin->ProcessAccumulating(inputs, outputs, n);
                else
                    plugin->ProcessReplacing(inputs, outputs, n);
            };
            run(nullptr, out.Pointers(), frames);
            run(in.Pointers(), nullptr, frames);
            run(nullptr, nullptr, frames);
            run(someMissing.data(), out.Pointers(), frames);
            run(in.Pointers(), outMissing.data(), frames);
            out.Fill(7.0f);
            run(in.Pointers(), out.Pointers(), -1);
            run(in.Pointers(), out.Pointers(), std::numeric_limits<VstInt32>::min());
            bool untouched = true;
            for (int c = 0; c < out.Channels(); ++c)
                untouched = untouched &&
                            std::all_of(out.Channel(c), out.Channel(c) + frames, [](float x) { return x == 7.0f; });
            context.Expect(untouched, "a block of negative size wrote to the outputs");
        }
    }
    if (plugin->ParameterCount() > 0)
        plugin->SetParameter(0, first);
    CNoise noise;
    const SSignalStats after = Render(*plugin, 22050, 512, NoiseFill(noise, 0.5f));
    context.Expect(after.Sane(), "after missing pointers: " + after.Describe());
}
