// The LV2 adapter driven as hosts drive it, well and badly, over an effect that records its calls.
#include "CountingAllocator.h"
#include "FakeEffect.h"
#include "Lv2Plugin.h"
#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// FakeEffect's layout: 2 in, 2 out, then enabled, Level (dB), Mix (%), Fixed, then the outputs.
constexpr uint32_t kEnabled = 4, kLevel = 5, kMix = 6, kFixed = 7;

// The real value the effect receives for a port value: through the core's 0..1, as VST 2 has it.
float Through(const CLv2Plugin& plugin, int index, float real)
{
    return plugin.GetCore().ToReal(index, plugin.GetCore().ToNormalized(index, real));
}

std::unique_ptr<CLv2Plugin> Make(EffectLog& log, FakeEffect::Config config = {}, double rate = 48000.0)
{
    return CLv2Plugin::Create(std::make_unique<FakeEffect>(log, config), rate, 20.0);
}

// A host's buffers: every port connected, controls at the Turtle's defaults.
struct Host
{
    explicit Host(CLv2Plugin& plugin, int frames = 64)
        : l(frames, 0.25f), r(frames, 0.5f), ol(frames, 9.0f), orr(frames, 9.0f),
          controls(static_cast<size_t>(plugin.GetLayout().Count()), 0.0f)
    {
        controls[kEnabled] = 1.0f;
        controls[kMix] = 50.0f;
        controls[kFixed] = 5.0f;
        float* audio[] = {l.data(), r.data(), ol.data(), orr.data()};
        for (uint32_t p = 0; p < controls.size(); ++p)
            plugin.ConnectPort(p, p < 4 ? audio[p] : &controls[p]);
    }
    std::vector<float> l, r, ol, orr, controls;
};

TEST(Lv2Plugin, InstantiatesOnlyAtRatesTheVst2AdapterTakesAndFreesTheEffectOtherwise)
{
    const struct {
        double rate;
        bool taken;
    } cases[] = {{44100.0, true},   {1.0, true},           {3072000.0, true}, {0.0, false},
                 {-44100.0, false}, {0.5, false},          {3.1e6, false},    {1e300, false},
                 {std::nan(""), false}, {-std::numeric_limits<double>::infinity(), false}};
    for (const auto& c : cases) {
        EffectLog log;
        const auto plugin = Make(log, {}, c.rate);
        EXPECT_EQ(plugin != nullptr, c.taken) << c.rate;
        EXPECT_EQ(log.destroyed, !c.taken) << c.rate;
        if (plugin) {
            EXPECT_EQ(log.initializeRates.back(), static_cast<double>(static_cast<float>(c.rate)));
        }
    }
}

TEST(Lv2Plugin, PortsAreAudioThenOneControlPerHostParameterThenOutputsThenLatency)
{
    const struct {
        int outputParameters;
        int count;
    } cases[] = {{0, 9}, {2, 11}};
    for (const auto& c : cases) {
        EffectLog log;
        FakeEffect::Config config;
        config.outputParameters = c.outputParameters;
        const auto plugin = Make(log, config);
        const CLv2PortLayout& layout = plugin->GetLayout();
        EXPECT_EQ(layout.AudioInputs(), 2);
        EXPECT_EQ(layout.FirstAudioOutput(), 2);
        EXPECT_EQ(layout.ControlInput(0), static_cast<int>(kEnabled));
        EXPECT_EQ(layout.ControlInput(3), static_cast<int>(kFixed));
        EXPECT_EQ(layout.ControlOutputs(), c.outputParameters);
        EXPECT_EQ(layout.Latency(), c.count - 1);
        EXPECT_EQ(layout.Count(), c.count);
    }
}

TEST(Lv2Plugin, FirstBlockStartsAtThePortValuesAndLaterChangesBecomeThatBlocksRamp)
{
    EffectLog log;
    const auto plugin = Make(log);
    Host host(*plugin);
    host.controls[kLevel] = 6.0f;
    plugin->Activate();
    plugin->Run(64);
    EXPECT_EQ(log.rampUsed, 0);
    const float six = Through(*plugin, 1, 6.0f);
    EXPECT_EQ(log.setParameters.back(), (std::vector<float>{six, 50.0f, 5.0f}));
    EXPECT_EQ(plugin->GetCore().GetParameter(1), plugin->GetCore().ToNormalized(1, 6.0f));

    host.controls[kLevel] = 20.0f;
    host.controls[kMix] = 0.0f;
    plugin->Run(32);
    EXPECT_EQ(log.rampUsed, 2);
    EXPECT_EQ(log.rampValues, (std::vector<float>{six, 50.0f, 5.0f}));
    EXPECT_EQ(log.rampSteps, (std::vector<float>{(20.0f - six) / 32, -50.0f / 32, 0.0f}));
    plugin->Run(32);
    EXPECT_EQ(log.rampUsed, 0);
    EXPECT_EQ(log.setParameters.back(), (std::vector<float>{20.0f, 0.0f, 5.0f}));
    EXPECT_EQ(host.ol[0], 0.5f);
}

TEST(Lv2Plugin, EnabledPortIsTheBypassInverted)
{
    EffectLog log;
    const auto plugin = Make(log);
    Host host(*plugin);
    plugin->Activate();
    const struct {
        float enabled;
        bool bypassed;
        float left;
    } cases[] = {{0.0f, true, 0.25f}, {1.0f, false, 0.5f}, {0.25f, true, 0.25f}, {kNaN, true, 0.25f},
                 {0.75f, false, 0.5f}, {kInf, false, 0.5f}};
    for (const auto& c : cases) {
        host.controls[kEnabled] = c.enabled;
        plugin->Run(64);
        EXPECT_EQ(plugin->GetCore().IsBypassed(), c.bypassed) << c.enabled;
        EXPECT_EQ(host.ol[63], c.left) << c.enabled;
    }
}

TEST(Lv2Plugin, ValuesNotFiniteAreRefusedAndOutOfRangeOnesPassAsVst2PassesThemWithNothingStuck)
{
    EffectLog log;
    const auto plugin = Make(log);
    Host host(*plugin);
    plugin->Activate();
    const float levels[] = {10.0f, kNaN, -kInf, 1000.0f, -FLT_MAX, kInf, -3.0f};
    float expected = 0.0f;
    for (const float level : levels) {
        host.controls[kLevel] = level;
        plugin->Run(16);
        plugin->Run(16);
        if (std::isfinite(level)) // what the VST 2 path makes of the same setting
            expected = Through(*plugin, 1, level);
        EXPECT_EQ(plugin->GetCore().GetRealValue(1), expected) << level;
        EXPECT_TRUE(std::isfinite(plugin->GetCore().GetRealValue(1))) << level;
    }
    EXPECT_EQ(log.setParameters.back(), (std::vector<float>{Through(*plugin, 1, -3.0f), 50.0f, 5.0f}));
}

TEST(Lv2Plugin, BadHostsGetNoCrashAndSilenceOrSoundOutput)
{
    // Nothing connected, 0 frames, run before activate, ports connected late and disconnected.
    EffectLog log;
    const auto plugin = Make(log);
    plugin->Run(64); // nothing connected at all
    plugin->ConnectPort(2, nullptr);
    plugin->ConnectPort(1000, nullptr);
    EXPECT_EQ(log.processCalls, 0);

    std::vector<float> out(64, 9.0f);
    plugin->ConnectPort(2, out.data()); // one output, nothing else: silence there
    plugin->Run(64);
    EXPECT_EQ(out, std::vector<float>(64, 0.0f));
    EXPECT_EQ(log.processCalls, 0);

    Host host(*plugin); // connected late, never activated: processed at the host's rate
    plugin->Run(0); // as VST 2 hands it on: the core writes nothing
    EXPECT_EQ(log.lastFrames, 0);
    EXPECT_EQ(host.ol[0], 9.0f);
    plugin->Run(64);
    EXPECT_EQ(log.lastFrames, 64);
    EXPECT_EQ(host.ol[0], 0.5f);
    EXPECT_EQ(log.initializeRates.back(), 48000.0);

    plugin->ConnectPort(kLevel, nullptr); // an unconnected control keeps its last value
    plugin->Run(64);
    EXPECT_EQ(log.processCalls, 3);
}

TEST(Lv2Plugin, AnAudioPortConnectedAgainEveryBlockOrDisconnectedTwiceIsMissingOnlyUntilConnected)
{
    // Hosts connect the audio ports before every block, to the same or to other buffers.
    EffectLog log;
    const auto plugin = Make(log);
    Host host(*plugin);
    std::vector<float> other(64, 0.0f);
    for (int block = 0; block < 3; ++block) {
        plugin->ConnectPort(0, block % 2 ? other.data() : host.l.data());
        plugin->ConnectPort(3, host.orr.data());
        plugin->Run(64);
    }
    EXPECT_EQ(log.processCalls, 3);

    plugin->ConnectPort(3, nullptr); // twice: still one port missing, not two
    plugin->ConnectPort(3, nullptr);
    host.ol.assign(64, 9.0f);
    plugin->Run(64);
    EXPECT_EQ(log.processCalls, 3);
    EXPECT_EQ(host.ol, std::vector<float>(64, 0.0f));

    plugin->ConnectPort(3, host.orr.data());
    plugin->Run(64);
    EXPECT_EQ(log.processCalls, 4);
}

TEST(Lv2Plugin, OutputParametersAndLatencyReachTheirPorts)
{
    EffectLog log;
    FakeEffect::Config config;
    config.outputParameters = 1;
    config.latency = 3;
    const auto plugin = Make(log, config);
    Host host(*plugin, 4096);
    plugin->Activate();
    plugin->Run(4096); // past the refresh interval of 48000 / 20 frames
    EXPECT_EQ(host.controls[8], -30.0f);
    EXPECT_EQ(host.controls[9], 3.0f);
}

TEST(Lv2Plugin, AFailedAllocationWhileInstantiatingLeavesNothingBehind)
{
    if (!CountingAllocator::IsActive())
        GTEST_SKIP() << "this build's runtime owns operator new";
    bool created = false;
    for (long n = 1; !created && n < 10000; ++n) {
        const long live = CountingAllocator::LiveBlocks();
        bool failed = false, destroyed = false;
        {
            EffectLog log;
            auto effect = std::make_unique<FakeEffect>(log, FakeEffect::Config{});
            CountingAllocator::FailAllocation(n);
            try {
                created = CLv2Plugin::Create(std::move(effect), 44100.0, 20.0) != nullptr;
            } catch (const std::bad_alloc&) {
            }
            failed = CountingAllocator::FailureHappened();
            CountingAllocator::FailAllocation(0);
            destroyed = log.destroyed;
        }
        EXPECT_EQ(created, !failed) << n;
        EXPECT_TRUE(destroyed) << n;
        EXPECT_EQ(CountingAllocator::LiveBlocks(), live) << "allocation " << n;
    }
    EXPECT_TRUE(created);
}

} // namespace
