// The audio thread's manners in the built StereoChorus.clap: process and flush, with parameter
// values arriving inside blocks and bypass switching, never allocate, lock or call the system.
// The validator's probes watch every call (Linux: its malloc and lock hooks and a seccomp filter;
// Windows: counting thunks on every import of the plug-in module).
#include "AudioThreadProbe.h"
#include "ClapHost.h"
#include "ClapLibrary.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// An output list that takes events without allocating, as a real-time host's does.
struct SCountingOutput
{
    int count = 0;
    clap::OutputEvents list{this, [](const clap::OutputEvents* l, const clap::EventHeader*) {
                                ++static_cast<SCountingOutput*>(l->ctx)->count;
                                return true;
                            }};
};

} // namespace

TEST(ClapHygiene, ProcessAndFlushWithValuesInsideBlocksNeitherAllocateNorLockNorCallTheSystem)
{
    CClapLibrary library(CLAP_PLUGIN_PATH);
    ASSERT_TRUE(library.IsLoaded()) << CLAP_PLUGIN_PATH;
    const auto* entry = static_cast<const clap::Entry*>(library.Symbol("clap_entry"));
    ASSERT_NE(entry, nullptr);
    CAudioThreadProbe probe(reinterpret_cast<const void*>(entry->getFactory));
    if (!probe.Unavailable().empty())
        GTEST_SKIP() << probe.Unavailable();
    ASSERT_TRUE(entry->init(CLAP_PLUGIN_PATH));
    const auto* factory = static_cast<const clap::PluginFactory*>(entry->getFactory(clap::kPluginFactoryId));
    STestHost host;
    const clap::Plugin* plugin = factory->createPlugin(factory, &host.record, "com.orvane-music.stereo-chorus");
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(plugin->init(plugin));
    const auto* params = static_cast<const clap::PluginParams*>(plugin->getExtension(plugin, clap::kExtParams));
    ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 512));

    // Every block's events are made before the watched calls: only the plug-in is watched.
    const int sizes[] = {512, 32, 1, 0, 511, 64};
    std::vector<CInputEvents> events(200);
    for (size_t b = 0; b < events.size(); ++b) {
        if (b % 2 == 0)
            events[b].Add(static_cast<clap::Id>(1 + (b / 2) % 8), static_cast<double>((b * 37) % 100) / 99.0 * 20.0);
        if (b % 7 == 0)
            events[b].Add(0, b % 14 == 0 ? 1.0 : 0.0); // in and out of bypass
        events[b].Add(5, static_cast<double>(b % 100), static_cast<uint32_t>(b % 3));
    }
    std::vector<float> left(512, 0.25f), right(512, -0.25f), outLeft(512), outRight(512);
    float* in[] = {left.data(), right.data()};
    float* out[] = {outLeft.data(), outRight.data()};
    clap::AudioBuffer input{in, nullptr, 2, 0, 0};
    clap::AudioBuffer output{out, nullptr, 2, 0, 0};
    SCountingOutput sink;

    int blocks = 0;
    probe.RunOnAudioThread([&] {
        {
            CProbedCall watched;
            plugin->startProcessing(plugin);
        }
        for (int frames : sizes)
            for (const CInputEvents& block : events) {
                const clap::Process process{blocks, static_cast<uint32_t>(frames), nullptr, &input, &output, 1, 1,
                                            block.Get(), &sink.list};
                CProbedCall watched;
                if (++blocks % 5 == 0)
                    params->flush(plugin, block.Get(), &sink.list);
                else
                    plugin->process(plugin, &process);
            }
        CProbedCall watched;
        plugin->stopProcessing(plugin);
    });
    EXPECT_EQ(blocks, 1200);
    for (const std::string& finding : probe.Findings())
        ADD_FAILURE() << "called inside the plug-in: " << finding;
    plugin->deactivate(plugin);
    plugin->destroy(plugin);
    entry->deinit();
}
