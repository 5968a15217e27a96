// The LV2 adapter over the real stereo chorus, in this process so that every allocation is seen.
#include "CountingAllocator.h"
#include "Lv2Plugin.h"
#include "StereoChorusDescription.h"
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

TEST(Lv2Realtime, RunAllocatesNothingWhateverTheHostDoes)
{
    if (!CountingAllocator::IsActive())
        GTEST_SKIP() << "this build's runtime owns operator new";
    const SPluginDescription& product = StereoChorusDescription();
    const auto plugin = CLv2Plugin::Create(product.createEffect(), 48000.0, product.outputRefreshRate);
    ASSERT_NE(plugin, nullptr);
    std::vector<float> l(512, 0.25f), r(512, -0.25f), ol(512), orr(512);
    std::vector<float> ports = {0, 0, 0, 0, 1, 0, 100, 70, 20, 70, 0.4f, 100, 0, 0};
    float* audio[] = {l.data(), r.data(), ol.data(), orr.data()};
    for (uint32_t p = 0; p < ports.size(); ++p)
        plugin->ConnectPort(p, p < 4 ? audio[p] : &ports[p]);
    plugin->Activate();

    const long before = CountingAllocator::Allocations();
    plugin->Run(512); // the first block settles on the port values
    const float depths[] = {3.0f, std::numeric_limits<float>::quiet_NaN(), 1e30f, 40.0f};
    for (const float depth : depths) {
        ports[9] = depth;
        ports[12] = ports[12] == 0.0f ? 1.0f : 0.0f; // LFO Type
        ports[4] = ports[4] > 0.5f ? 0.0f : 1.0f;   // enabled
        plugin->Run(512);
        plugin->Run(0);
    }
    plugin->ConnectPort(0, nullptr);
    plugin->Run(512);
    EXPECT_EQ(CountingAllocator::Allocations(), before);
}

} // namespace
