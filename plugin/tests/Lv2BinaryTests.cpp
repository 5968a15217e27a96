// Loads the built LV2 binary and the VST 2 one side by side, drives both with the same settings,
// changes and block sizes, and requires the same samples bit for bit.
#include "PluginLibrary.h"
#include <gtest/gtest.h>
#include <dlfcn.h>
#include <lv2/core/lv2.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

const char* const kUri = "http://www.orvane-music.com/plugins/stereo-chorus";
constexpr uint32_t kEnabledPort = 4; // the host parameters follow, in host index order
constexpr uint32_t kLatencyPort = 13;

// The chorus's host parameters 1..8: the range a VST 2 host normalises a real value over.
struct SRange
{
    float minimum, maximum;
};
const SRange kRanges[] = {{-20, 20}, {0, 100}, {0, 100}, {0, 30}, {0, 100}, {0, 20}, {0, 100}, {0, 2}};
const float kDefaults[] = {0, 100, 70, 20, 70, 0.4f, 100, 0};

std::vector<float> Signal(int frames, uint32_t seed)
{
    std::vector<float> signal(static_cast<size_t>(frames));
    uint32_t state = seed;
    for (int f = 0; f < frames; ++f) {
        state = state * 1664525u + 1013904223u;
        signal[static_cast<size_t>(f)] = 0.3f * std::sin(0.01f * static_cast<float>(f)) +
                                         0.1f * static_cast<float>(static_cast<int32_t>(state >> 8) - (1 << 23)) / (1 << 23);
    }
    return signal;
}

VstIntPtr Host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) { return opcode == audioMasterVersion ? 2400 : 0; }

class Lv2Binary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_library = dlopen(LV2_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << dlerror();
        const auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(m_library, "lv2_descriptor"));
        ASSERT_NE(entry, nullptr);
        m_descriptor = entry(0);
        ASSERT_NE(m_descriptor, nullptr);
        EXPECT_EQ(entry(1), nullptr);
    }
    void TearDown() override
    {
        if (m_library)
            dlclose(m_library);
    }
    LV2_Handle Instantiate(double rate) const { return m_descriptor->instantiate(m_descriptor, rate, "/", m_features); }

    void* m_library = nullptr;
    const LV2_Descriptor* m_descriptor = nullptr;
    const LV2_Feature* const m_features[1] = {nullptr};
};

TEST_F(Lv2Binary, PublishesItsUriAndRefusesTheRatesVst2Refuses)
{
    EXPECT_STREQ(m_descriptor->URI, kUri);
    const struct {
        double rate;
        bool taken;
    } cases[] = {{44100, true}, {192000, true}, {1, true}, {0, false}, {-48000, false}, {4e6, false},
                 {std::numeric_limits<double>::quiet_NaN(), false}, {std::numeric_limits<double>::infinity(), false}};
    for (const auto& c : cases) {
        LV2_Handle instance = Instantiate(c.rate);
        EXPECT_EQ(instance != nullptr, c.taken) << c.rate;
        if (instance)
            m_descriptor->cleanup(instance);
    }
}

TEST_F(Lv2Binary, RendersWhatTheVst2BinaryRendersWithTheSameChangesAndBlocks)
{
    PluginLibrary vstLibrary(VST_PLUGIN_PATH);
    ASSERT_TRUE(vstLibrary.IsLoaded());
    AEffect* vst = vstLibrary.Entry("VSTPluginMain")(Host);
    ASSERT_NE(vst, nullptr);
    LV2_Handle lv2 = Instantiate(48000);
    ASSERT_NE(lv2, nullptr);

    // Each block: its size and the changes (host index, real value; index 0 is the bypass)
    // made before it. Block 0's changes are the settings before the start.
    struct SChange
    {
        int index;
        float real;
    };
    const struct {
        int frames;
        std::vector<SChange> changes;
    } blocks[] = {{64, {{5, 40}, {4, 12.5f}}},
                  {1, {}},
                  {1000, {{6, 3.3f}, {7, 20}}},
                  {17, {}},
                  {4096, {{8, 1}, {1, -6}}},
                  {333, {{0, 1}}},
                  {512, {{0, 0}, {2, 50}, {3, 100}}},
                  {0, {{4, 2.5f}}},
                  {2048, {{8, 2}, {6, 0}}},
                  {300, {{8, 0}, {6, 19.5f}, {4, 30}}},
                  {1024, {}}};

    std::vector<float> ports(14, 0.0f);
    ports[kEnabledPort] = 1;
    std::copy(std::begin(kDefaults), std::end(kDefaults), ports.begin() + kEnabledPort + 1);
    for (uint32_t p = kEnabledPort; p < ports.size(); ++p)
        m_descriptor->connect_port(lv2, p, &ports[p]);
    const auto change = [&](const SChange& c) {
        if (c.index == 0) {
            vst->setParameter(vst, 0, c.real);
            ports[kEnabledPort] = 1.0f - c.real;
        } else {
            const SRange& range = kRanges[c.index - 1];
            vst->setParameter(vst, c.index, (c.real - range.minimum) / (range.maximum - range.minimum));
            ports[kEnabledPort + static_cast<uint32_t>(c.index)] = c.real;
        }
    };

    vst->dispatcher(vst, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    for (const SChange& c : blocks[0].changes)
        change(c);
    vst->dispatcher(vst, effMainsChanged, 0, 1, nullptr, 0.0f);
    m_descriptor->activate(lv2);
    uint32_t seed = 1;
    for (size_t b = 0; b < std::size(blocks); ++b) {
        if (b > 0)
            for (const SChange& c : blocks[b].changes)
                change(c);
        const int frames = blocks[b].frames;
        // One frame more than the block, so that a 0-frame block has real pointers too.
        std::vector<float> left = Signal(frames + 1, seed++), right = Signal(frames + 1, seed++);
        std::vector<float> vstL(static_cast<size_t>(frames + 1)), vstR(vstL), lv2L(vstL), lv2R(vstL);
        float* vstIn[] = {left.data(), right.data()};
        float* vstOut[] = {vstL.data(), vstR.data()};
        vst->processReplacing(vst, vstIn, vstOut, frames);
        float* lv2Audio[] = {left.data(), right.data(), lv2L.data(), lv2R.data()};
        for (uint32_t p = 0; p < 4; ++p)
            m_descriptor->connect_port(lv2, p, lv2Audio[p]);
        m_descriptor->run(lv2, static_cast<uint32_t>(frames));
        ASSERT_EQ(std::memcmp(vstL.data(), lv2L.data(), vstL.size() * sizeof(float)), 0) << "block " << b;
        ASSERT_EQ(std::memcmp(vstR.data(), lv2R.data(), vstR.size() * sizeof(float)), 0) << "block " << b;
        EXPECT_EQ(ports[kLatencyPort], 0.0f);
    }
    m_descriptor->deactivate(lv2);
    m_descriptor->cleanup(lv2);
    vst->dispatcher(vst, effClose, 0, 0, nullptr, 0.0f);
}

} // namespace
