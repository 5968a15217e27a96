// The order of calls: what hosts do first, twice, or never.
#include "CaseSupport.h"
#include "PluginLibrary.h"
#include "ProcessMeasures.h"
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace {

void ExpectSaneNoiseRender(CCaseContext& context, CPluginInstance& plugin, const std::string& when,
                           int64_t frames = 22050, int blockSize = 512)
{
    CNoise noise;
    const SSignalStats stats = Render(plugin, frames, blockSize, NoiseFill(noise, 0.5f));
    context.Expect(stats.Sane(), when + ": " + stats.Describe());
}

} // namespace

VALIDATOR_CASE("lifecycle", "open twice", OpenTwice)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Dispatch(effOpen);
    plugin.Dispatch(effOpen);
    plugin.Start();
    CChannelBuffers in(plugin.Effect()->numInputs, 512, 0.25f);
    CChannelBuffers out(plugin.Effect()->numOutputs, 512);
    plugin.ProcessReplacing(in.Pointers(), out.Pointers(), 512);
    context.Expect(out.AllFinite(), "output is not finite after a second effOpen");
}

VALIDATOR_CASE("lifecycle", "suspend before any resume", SuspendFirst)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Dispatch(effOpen);
    plugin.Dispatch(effMainsChanged, 0, 0);
    plugin.Dispatch(effMainsChanged, 0, 0);
    plugin.Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    plugin.Dispatch(effSetBlockSize, 0, 512);
    plugin.Dispatch(effMainsChanged, 0, 1);
    ExpectSaneNoiseRender(context, plugin, "after suspend, suspend, resume");
}

VALIDATOR_CASE("lifecycle", "process without resume", ProcessWithoutResume)
{
    // Some hosts process straight after creation; others open and configure but never resume.
    CPluginInstance& bare = context.Create();
    if (!context.Expect(bare.IsValid(), "the entry point returned no effect"))
        return;
    ExpectSaneNoiseRender(context, bare, "with no call at all before processing");

    CPluginInstance& configured = context.Create();
    configured.Dispatch(effOpen);
    configured.Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    configured.Dispatch(effSetBlockSize, 0, 256);
    ExpectSaneNoiseRender(context, configured, "opened and configured but never resumed", 22050, 256);
}

VALIDATOR_CASE("lifecycle", "resume twice", ResumeTwice)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    plugin->Dispatch(effMainsChanged, 0, 1);
    ExpectSaneNoiseRender(context, *plugin, "after a second resume");
}

VALIDATOR_CASE("lifecycle", "sample rates", SampleRates)
{
    // The real ones, then what a host with an uninitialised or garbled rate has sent.
    const float rates[] = {0.0f, 8000.0f, 44100.0f, 96000.0f, 384000.0f, -44100.0f,
                           std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                           1e9f, std::numeric_limits<float>::max(), std::numeric_limits<float>::denorm_min()};
    // No rate justifies more memory than this for one instance; garbage rates taken at their word
    // have cost gigabytes.
    constexpr int64_t kMemoryLimit = int64_t(256) << 20;
    int64_t largest = 0;
    for (float rate : rates) {
        const int64_t before = HeapBytesInUse();
        CPluginInstance* plugin = StartInstance(context, rate);
        if (!plugin)
            return;
        const int64_t growth = before >= 0 ? HeapBytesInUse() - before : 0;
        largest = std::max(largest, growth);
        context.Expect(growth <= kMemoryLimit, "at " + Describe(rate) + " Hz one instance took " +
                                                   std::to_string(growth >> 20) + " MB");
        // A quarter of a second at the rate asked for, or at 44100 Hz where the rate is nonsense.
        const float effective = std::isfinite(rate) && rate >= 8000.0f && rate <= 384000.0f ? rate : 44100.0f;
        ExpectSaneNoiseRender(context, *plugin, "at " + Describe(rate) + " Hz",
                              static_cast<int64_t>(effective * 0.25f));
        context.CloseAll();
    }
    context.Note("largest instance " + std::to_string(largest >> 10) + " KB");
}

VALIDATOR_CASE("lifecycle", "rate and size change while running", RateChangeWhileRunning)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    ExpectSaneNoiseRender(context, *plugin, "before any change");
    plugin->Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    ExpectSaneNoiseRender(context, *plugin, "after 96000 Hz without suspend");
    plugin->Dispatch(effSetSampleRate, 0, 0, nullptr, 8000.0f);
    ExpectSaneNoiseRender(context, *plugin, "after 8000 Hz without suspend");
    plugin->Dispatch(effSetBlockSize, 0, 64);
    ExpectSaneNoiseRender(context, *plugin, "after block size 64 without suspend, blocks of 512");
    plugin->Dispatch(effSetBlockSizeAndSampleRate, 0, 2048, nullptr, 22050.0f);
    ExpectSaneNoiseRender(context, *plugin, "after effSetBlockSizeAndSampleRate without suspend");
    plugin->Dispatch(effMainsChanged, 0, 0);
    plugin->Dispatch(effMainsChanged, 0, 1);
    ExpectSaneNoiseRender(context, *plugin, "after suspend and resume at the new rate");
}

VALIDATOR_CASE("lifecycle", "close without open", CloseWithoutOpen)
{
    CPluginInstance& created = context.Create();
    if (!context.Expect(created.IsValid(), "the entry point returned no effect"))
        return;
    created.Close();
    CPluginInstance& opened = context.Create();
    opened.Dispatch(effOpen);
    opened.Close();
    CPluginInstance& suspended = context.Create();
    suspended.Start();
    suspended.Dispatch(effMainsChanged, 0, 0);
    suspended.Close();
}

VALIDATOR_CASE("lifecycle", "500 create and destroy cycles", CreateDestroyCycles)
{
    constexpr int kWarmUp = 10;
    constexpr int kCycles = 500;
    // Anything averaging 8 bytes a cycle or more is a leak; less is the allocator's own noise.
    constexpr int64_t kTolerance = 8 * kCycles;
    const auto cycle = [&context] {
        CPluginInstance plugin(context.Entry()); // not kept by the context: that would grow the heap
        if (!plugin.IsValid())
            return false;
        plugin.Start();
        float in[2][64] = {};
        float out[2][64] = {};
        float* inputs[8] = {in[0], in[1], in[1], in[1], in[1], in[1], in[1], in[1]};
        float* outputs[8] = {out[0], out[1], out[1], out[1], out[1], out[1], out[1], out[1]};
        if (plugin.Effect()->numInputs <= 8 && plugin.Effect()->numOutputs <= 8)
            plugin.ProcessReplacing(inputs, outputs, 64);
        plugin.Dispatch(effMainsChanged, 0, 0);
        plugin.Close();
        return true;
    };
    // Tables built on first use stay until unload; let them be built before counting.
    for (int i = 0; i < kWarmUp; ++i)
        if (!context.Expect(cycle(), "the entry point returned no effect"))
            return;
    const int64_t before = HeapBytesInUse();
    for (int i = 0; i < kCycles; ++i)
        if (!context.Expect(cycle(), "the entry point returned no effect"))
            return;
    const int64_t after = HeapBytesInUse();
    if (before < 0 || after < 0) {
        context.Note("no heap count on this platform");
        return;
    }
    const int64_t growth = after - before;
    context.Note("heap " + std::string(growth >= 0 ? "+" : "") + std::to_string(growth) + " bytes over " +
                 std::to_string(kCycles) + " cycles");
    context.Expect(growth < kTolerance, "the heap grew by " + std::to_string(growth) + " bytes over " +
                                            std::to_string(kCycles) + " cycles");
}

VALIDATOR_CASE("lifecycle", "library loaded and unloaded 20 times", LoadUnloadCycles)
{
    // The run holds the binary loaded; a copy under another name loads and unloads on its own.
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path original(context.PluginPath());
    const fs::path copy = fs::temp_directory_path(error) /
                          ("vstvalidate-" + std::to_string(reinterpret_cast<uintptr_t>(&context) & 0xFFFFFF) +
                           original.extension().string());
    if (!context.Expect(!error && fs::copy_file(original, copy, fs::copy_options::overwrite_existing, error),
                        "cannot copy the plug-in to " + copy.string()))
        return;
    constexpr int kLoads = 20;
    const auto cycle = [&copy] {
        PluginLibrary library(copy.string());
        VstPluginMainProc entry = library.IsLoaded() ? library.Entry("VSTPluginMain") : nullptr;
        if (!entry)
            return false;
        CPluginInstance plugin(entry);
        plugin.Start();
        plugin.Close();
        return true;
    };
    bool loaded = cycle(); // the validator's own first-use allocations happen here
    const int64_t before = HeapBytesInUse();
    for (int i = 0; loaded && i < kLoads; ++i)
        loaded = cycle();
    const int64_t after = HeapBytesInUse();
    fs::remove(copy, error);
    if (!context.Expect(loaded, "the copy of the plug-in does not load"))
        return;
    if (before < 0 || after < 0) {
        context.Note("no heap count on this platform");
        return;
    }
    const int64_t growth = after - before;
    context.Note("heap " + std::string(growth >= 0 ? "+" : "") + std::to_string(growth) + " bytes over " +
                 std::to_string(kLoads) + " loads");
    // A host that scans or reloads plug-ins loads them many times in one session.
    context.Expect(growth < 1024 * kLoads, "the heap grew by " + std::to_string(growth) + " bytes over " +
                                               std::to_string(kLoads) + " loads");
}
