// Loads the built StereoChorus.clap (natively, or the DLL under Wine) as a CLAP host does and
// proves what a host gets; renders are compared bit for bit with the VST 2 binary beside it.
#include "ClapHost.h"
#include "ClapLibrary.h"
#include "ProcessMeasures.h"
#include "ProductVersion.h"
#include "PluginUnderTest.h"
#include "VstInterface.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

constexpr char kPluginId[] = "com.orvane-music.stereo-chorus";
constexpr double kRate = 44100.0;
constexpr int kParamCount = 9;

// Deterministic test audio: a saw plus LCG noise.
std::vector<float> TestSignal(size_t frames, uint32_t seed)
{
    std::vector<float> signal(frames);
    uint32_t state = seed;
    for (size_t f = 0; f < frames; ++f) {
        state = state * 1664525u + 1013904223u;
        const float noise = static_cast<float>(static_cast<int32_t>(state >> 8) - (1 << 23)) / (1 << 23);
        signal[f] = 0.4f * (static_cast<float>(f % 200) / 100.0f - 1.0f) + 0.1f * noise;
    }
    return signal;
}

// One byte buffer as a CLAP stream, for reading or writing; `chunk` bounds each call's size.
struct SMemoryStream
{
    std::vector<uint8_t> bytes;
    size_t position = 0;
    size_t chunk = SIZE_MAX;
    clap::InputStream in{this, [](const clap::InputStream* s, void* buffer, uint64_t size) -> int64_t {
                             auto* self = static_cast<SMemoryStream*>(s->ctx);
                             const size_t n = std::min<size_t>({static_cast<size_t>(size), self->chunk,
                                                               self->bytes.size() - self->position});
                             if (n > 0)
                                 std::memcpy(buffer, self->bytes.data() + self->position, n);
                             self->position += n;
                             return static_cast<int64_t>(n);
                         }};
    clap::OutputStream out{this, [](const clap::OutputStream* s, const void* buffer, uint64_t size) -> int64_t {
                               auto* self = static_cast<SMemoryStream*>(s->ctx);
                               const size_t n = std::min<size_t>(static_cast<size_t>(size), self->chunk);
                               const auto* data = static_cast<const uint8_t*>(buffer);
                               self->bytes.insert(self->bytes.end(), data, data + n);
                               return static_cast<int64_t>(n);
                           }};
};

// The .clap and the VST 2 binary it is measured against: the build's, or an installed pair the
// environment names (the installer's test loads them from where they were installed).
const char* const kClapPath = PluginUnderTest("STEREO_CHORUS_CLAP", CLAP_PLUGIN_PATH);
const char* const kVst2Path = PluginUnderTest("STEREO_CHORUS_VST2", VST2_PLUGIN_PATH);

class ClapBinary : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { library = std::make_unique<CClapLibrary>(kClapPath); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(library->IsLoaded()) << "cannot load " << kClapPath;
        entry = static_cast<const clap::Entry*>(library->Symbol("clap_entry"));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->init(kClapPath));
        factory = static_cast<const clap::PluginFactory*>(entry->getFactory(clap::kPluginFactoryId));
        ASSERT_NE(factory, nullptr);
        plugin = Create();
        ASSERT_NE(plugin, nullptr);
        params = Extension<clap::PluginParams>(clap::kExtParams);
        state = Extension<clap::PluginState>(clap::kExtState);
        ASSERT_NE(params, nullptr);
        ASSERT_NE(state, nullptr);
    }
    void TearDown() override
    {
        if (plugin)
            plugin->destroy(plugin);
        if (entry)
            entry->deinit();
    }

    const clap::Plugin* Create()
    {
        const clap::Plugin* created = factory->createPlugin(factory, &host.record, kPluginId);
        if (created && !created->init(created)) {
            created->destroy(created);
            return nullptr;
        }
        return created;
    }
    template <class Table>
    const Table* Extension(const char* id) const
    {
        return static_cast<const Table*>(plugin->getExtension(plugin, id));
    }
    void Start(double rate = kRate)
    {
        ASSERT_TRUE(plugin->activate(plugin, rate, 1, 4096));
        ASSERT_TRUE(plugin->startProcessing(plugin));
    }
    double Value(clap::Id id) const
    {
        double value = NAN;
        EXPECT_TRUE(params->getValue(plugin, id, &value));
        return value;
    }
    std::vector<double> Values() const
    {
        std::vector<double> values;
        for (clap::Id id = 0; id < kParamCount; ++id)
            values.push_back(Value(id));
        return values;
    }
    std::string Text(clap::Id id, double value) const
    {
        char text[64] = {};
        EXPECT_TRUE(params->valueToText(plugin, id, value, text, sizeof text));
        return text;
    }
    // One block through the plug-in's one stereo port; the outputs start as NaN garbage.
    clap::ProcessStatus Block(const float* left, const float* right, float* outLeft, float* outRight, uint32_t frames,
                              const CInputEvents& events, COutputEvents* outEvents = nullptr)
    {
        float* in[] = {const_cast<float*>(left), const_cast<float*>(right)};
        float* out[] = {outLeft, outRight};
        clap::AudioBuffer input{in, nullptr, 2, 0, 0};
        clap::AudioBuffer output{out, nullptr, 2, 0, 0};
        COutputEvents sink;
        clap::Process process{-1, frames, nullptr, &input, &output, 1, 1, events.Get(),
                              (outEvents ? outEvents : &sink)->Get()};
        return plugin->process(plugin, &process);
    }

    // Values applied with no block running, as a host does before activating or between blocks.
    void Flush(std::initializer_list<std::pair<clap::Id, double>> values) const
    {
        CInputEvents events;
        for (const auto& value : values)
            events.Add(value.first, value.second);
        params->flush(plugin, events.Get(), nullptr);
    }
    // Renders `input` (both channels) in blocks of `block` frames.
    std::vector<float> Render(const std::vector<float>& input, uint32_t block)
    {
        std::vector<float> out(input.size()), right(input.size());
        const CInputEvents none;
        for (size_t f = 0; f < input.size(); f += block) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(block, input.size() - f));
            EXPECT_EQ(Block(&input[f], &input[f], &out[f], &right[f], n, none), clap::kProcessContinue);
        }
        return out;
    }
    // How many frames after a passage of `passage` frames the output still sounds.
    uint32_t MeasuredRing(size_t frames, size_t passage = 8192)
    {
        std::vector<float> input = TestSignal(passage, 5);
        input.resize(passage + frames, 0.0f);
        const std::vector<float> out = Render(input, 512);
        size_t last = passage - 1;
        for (size_t f = passage; f < out.size(); ++f)
            if (out[f] != 0.0f)
                last = f;
        return static_cast<uint32_t>(last - (passage - 1));
    }

    static std::unique_ptr<CClapLibrary> library;
    STestHost host;
    const clap::Entry* entry = nullptr;
    const clap::PluginFactory* factory = nullptr;
    const clap::Plugin* plugin = nullptr;
    const clap::PluginParams* params = nullptr;
    const clap::PluginState* state = nullptr;
};
std::unique_ptr<CClapLibrary> ClapBinary::library;

bool Finite(const std::vector<float>& samples)
{
    for (float sample : samples)
        if (!std::isfinite(sample))
            return false;
    return true;
}

} // namespace

TEST_F(ClapBinary, EntryAndFactoryDescribeOnePluginWithOurIdVendorAndFeatures)
{
    EXPECT_EQ(entry->clapVersion.major, 1u);
    EXPECT_EQ(factory->getPluginCount(factory), 1u);
    const clap::PluginDescriptor* descriptor = factory->getPluginDescriptor(factory, 0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(factory->getPluginDescriptor(factory, 1), nullptr);
    EXPECT_STREQ(descriptor->id, kPluginId);
    EXPECT_STREQ(descriptor->name, "Stereo Chorus");
    EXPECT_STREQ(descriptor->vendor, "Orvane's Music Software");
    EXPECT_STREQ(descriptor->version, kProductVersion);
    std::vector<std::string> features;
    for (const char* const* f = descriptor->features; *f; ++f)
        features.push_back(*f);
    EXPECT_EQ(features, (std::vector<std::string>{"audio-effect", "chorus", "stereo"}));
    EXPECT_EQ(plugin->desc, descriptor);
    EXPECT_EQ(entry->getFactory("no.such.factory"), nullptr);
    EXPECT_EQ(factory->createPlugin(factory, &host.record, "com.orvane-music.other"), nullptr);
    EXPECT_EQ(factory->createPlugin(factory, nullptr, kPluginId), nullptr);
}

TEST_F(ClapBinary, ExtensionsAreAStereoInPlacePairNoLatencyTheTailAndTheGuiInThePlatformsWindowSystem)
{
    const auto* ports = Extension<clap::PluginAudioPorts>(clap::kExtAudioPorts);
    ASSERT_NE(ports, nullptr);
    for (bool input : {true, false}) {
        ASSERT_EQ(ports->count(plugin, input), 1u);
        clap::AudioPortInfo info{};
        ASSERT_TRUE(ports->get(plugin, 0, input, &info));
        EXPECT_EQ(info.channelCount, 2u);
        EXPECT_STREQ(info.portType, "stereo");
        EXPECT_EQ(info.flags & clap::kAudioPortIsMain, clap::kAudioPortIsMain);
        EXPECT_EQ(info.inPlacePair, 0u);
        EXPECT_FALSE(ports->get(plugin, 1, input, &info));
    }
    const auto* latency = Extension<clap::PluginLatency>(clap::kExtLatency);
    const auto* tail = Extension<clap::PluginTail>(clap::kExtTail);
    ASSERT_NE(latency, nullptr);
    ASSERT_NE(tail, nullptr);
    EXPECT_EQ(latency->get(plugin), 0u);
    EXPECT_EQ(tail->get(plugin), 1501u); // 20 ms swept by 70 %: 34 ms at 44.1 kHz, and two frames
    EXPECT_NE(Extension<clap::PluginPresetLoad>(clap::kExtPresetLoad), nullptr);
    EXPECT_EQ(Extension<void>("clap.no-such-extension"), nullptr);
    // Every build has the editor: a Win32 window on Windows, an X11 one elsewhere.
    const auto* gui = Extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
#if defined(_WIN32)
    const char* native = clap::kWindowApiWin32;
    const char* foreign = clap::kWindowApiX11;
#else
    const char* native = clap::kWindowApiX11;
    const char* foreign = clap::kWindowApiWin32;
#endif
    EXPECT_TRUE(gui->isApiSupported(plugin, native, false));
    EXPECT_FALSE(gui->isApiSupported(plugin, native, true));
    EXPECT_FALSE(gui->isApiSupported(plugin, foreign, false));
    EXPECT_FALSE(gui->create(plugin, foreign, false));
}

TEST_F(ClapBinary, ParametersAreTheNineInTheirOwnUnitsWithTheVst2Texts)
{
    const struct
    {
        const char* name;
        double min, max, def;
        uint32_t flags;
        double sample;
        const char* text;
    } rows[] = {
        {"Bypass", 0, 1, 0, clap::kParamIsBypass | clap::kParamIsStepped, 1, "On"},
        {"Gain", -20, 20, 0, 0, -6, "-6.00000 dB"},
        {"Dry", 0, 100, 100, 0, 55, "55.00000 %"},
        {"Wet", 0, 100, 70, 0, 70, "70.00000 %"},
        {"Delay", 0, 30, 20, 0, 12.5, "12.50000 ms"},
        {"Depth", 0, 100, 70, 0, 40, "40.00000 %"},
        {"LFO Frequency", 0, 20, 0.4, 0, 0.8, "0.800000 Hz"},
        {"Stereo", 0, 100, 100, 0, 30, "30.00000 %"},
        {"LFO Type", 0, 2, 0, clap::kParamIsStepped, 1, "1.000000"},
    };
    ASSERT_EQ(params->count(plugin), static_cast<uint32_t>(kParamCount));
    for (uint32_t i = 0; i < kParamCount; ++i) {
        SCOPED_TRACE(rows[i].name);
        clap::ParamInfo info{};
        ASSERT_TRUE(params->getInfo(plugin, i, &info));
        EXPECT_EQ(info.id, i);
        EXPECT_STREQ(info.name, rows[i].name);
        EXPECT_EQ(info.minValue, rows[i].min);
        EXPECT_EQ(info.maxValue, rows[i].max);
        EXPECT_EQ(info.defaultValue, static_cast<double>(static_cast<float>(rows[i].def)));
        EXPECT_EQ(info.flags, rows[i].flags | clap::kParamIsAutomatable);
        EXPECT_EQ(Value(i), info.defaultValue);
        const std::string text = Text(i, rows[i].sample);
        EXPECT_EQ(text, rows[i].text);
        double back = NAN;
        ASSERT_TRUE(params->textToValue(plugin, i, text.c_str(), &back));
        EXPECT_EQ(back, static_cast<double>(static_cast<float>(rows[i].sample)));
        EXPECT_FALSE(params->textToValue(plugin, i, "loud", &back));
    }
    clap::ParamInfo info{};
    EXPECT_FALSE(params->getInfo(plugin, kParamCount, &info));
    double value = 0;
    EXPECT_FALSE(params->getValue(plugin, kParamCount, &value));
    char text[8];
    EXPECT_TRUE(params->valueToText(plugin, 5, 12.345678, text, sizeof text)); // cut, terminated
    EXPECT_STREQ(text, "12.3456");
}

TEST_F(ClapBinary, ValueTextsReadBackAsThemselvesForEveryParameter)
{
    EXPECT_EQ(Text(4, 0.03), "0.030000 ms"); // the VST 2 display cuts it to 0.029999
    for (clap::Id id = 1; id < kParamCount; ++id) {
        clap::ParamInfo info{};
        ASSERT_TRUE(params->getInfo(plugin, id, &info));
        for (int step = 0; step <= 1000; ++step) {
            const double value = info.minValue + (info.maxValue - info.minValue) * step / 1000.0 + 0.0000137 * step;
            const std::string text = Text(id, value);
            double back = NAN;
            ASSERT_TRUE(params->textToValue(plugin, id, text.c_str(), &back)) << text;
            ASSERT_EQ(Text(id, back), text) << info.name << " at " << value;
        }
    }
}

TEST_F(ClapBinary, ResetForgetsThePastAndPlaysOnBitForBitAsAFreshInstance)
{
    // The fresh instance gets its values before it is activated, as hosts do. LFO Type 2 keeps the
    // waveform in use: a new instance's sine, whatever played before the reset.
    const std::initializer_list<std::pair<clap::Id, double>> settings = {{4, 25.0}, {5, 80.0}, {6, 3.3}, {8, 2.0}};
    const std::vector<float> signal = TestSignal(6000, 3);
    std::vector<float> after(9000, 0.0f);
    std::copy(signal.begin(), signal.end(), after.begin() + 3000);

    Flush(settings);
    Start();
    std::vector<float> fresh = Render(after, 512);
    ASSERT_TRUE(std::all_of(fresh.begin(), fresh.begin() + 3000, [](float s) { return s == 0.0f; }));

    const clap::Plugin* used = Create();
    ASSERT_NE(used, nullptr);
    std::swap(plugin, used);
    Flush({{4, 12.0}, {5, 30.0}, {6, 0.5}, {8, 1.0}});
    Start();
    Render(TestSignal(5000, 4), 441); // a passage, its sweep somewhere along
    Flush(settings);                   // values that would ramp in over the next block
    plugin->reset(plugin);
    const std::vector<float> reset = Render(after, 512);
    plugin->destroy(plugin);
    plugin = used;
    for (size_t f = 0; f < fresh.size(); ++f)
        ASSERT_EQ(reset[f], fresh[f]) << "frame " << f;
}

TEST_F(ClapBinary, TheTailIsWhatTheSettingsRingAndTheHostHearsWhenItChanges)
{
    const auto* tail = Extension<clap::PluginTail>(clap::kExtTail);
    ASSERT_NE(tail, nullptr);
    // Unswept, a delay rings exactly as long as it is: 30 ms is 1323 frames at 44.1 kHz.
    Flush({{4, 30.0}, {5, 0.0}});
    Start();
    const uint32_t rung = MeasuredRing(6000);
    EXPECT_GE(tail->get(plugin), rung);
    EXPECT_LE(tail->get(plugin), rung + 2);
    EXPECT_EQ(host.tailChanges.load(), 0);

    // "De-pitch" sweeps to 171 ms, beyond VST 2's answer of 4096 frames; where the sweep
    // stands decides how much of that a passage's end meets, never more.
    const auto* load = Extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
    ASSERT_TRUE(load->fromLocation(plugin, clap::kPresetLocationPlugin, nullptr, "5"));
    uint32_t depitch = 0; // passages ending at eight points of the sweep's 2 Hz period
    for (size_t k = 0; k < 8; ++k)
        depitch = std::max(depitch, MeasuredRing(12000, 4096 + k * 2756));
    EXPECT_GT(depitch, 7000u);
    EXPECT_GE(tail->get(plugin), depitch);
    EXPECT_EQ(tail->get(plugin), 7543u); // 100 ms swept by 71 %, at 44.1 kHz
    EXPECT_EQ(host.tailChanges.load(), 1);
}

TEST_F(ClapBinary, RendersWithValuesInsideBlocksAreBitIdenticalToTheVst2BinaryAlsoInPlace)
{
    // A change within a block: the block's last value per parameter is its ramp target.
    struct SChange
    {
        int block;
        clap::Id id;
        double value;
        uint32_t time;
    };
    const SChange changes[] = {{1, 5, 90, 0},   {1, 5, 40, 17},  {1, 6, 0.8, 3},  {3, 7, 30, 0},   {3, 3, 55, 0},
                               {4, 8, 1, 0},    {5, 0, 1, 0},    {6, 0, 0, 0},    {6, 4, 12.5, 9}, {6, 1, -6, 0},
                               {8, 2, 0, 0},    {8, 6, 19.5, 1}, {9, 4, 0, 0},    {9, 8, 0, 0},
                               // values whose float lands elsewhere than the double's normalisation
                               {2, 1, -19.852, 0}, {7, 6, 0.777, 0}, {7, 2, 1.665, 5}, {10, 4, 1.1655, 0}};
    const uint32_t sizes[] = {512, 300, 1, 1024, 77, 4096, 256, 33, 700, 64, 2000};
    size_t total = 0;
    for (uint32_t size : sizes)
        total += size;
    const std::vector<float> left = TestSignal(total, 1), right = TestSignal(total, 2);

    // The VST 2 binary: normalised values as a VST 2 host sends them, set before each block.
    CClapLibrary vst2(kVst2Path);
    ASSERT_TRUE(vst2.IsLoaded()) << kVst2Path;
    auto main = reinterpret_cast<VstPluginMainProc>(vst2.Symbol("VSTPluginMain"));
    ASSERT_NE(main, nullptr);
    AEffect* effect = main([](AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) -> VstIntPtr {
        return opcode == audioMasterVersion ? 2400 : 0;
    });
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, 4096, nullptr, 0);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0);
    std::vector<float> vstLeft(total), vstRight(total), clapLeft(total, NAN), clapRight(total, NAN);
    size_t at = 0;
    for (int b = 0; b < static_cast<int>(std::size(sizes)); ++b) {
        for (const SChange& change : changes) {
            if (change.block != b)
                continue;
            clap::ParamInfo info{};
            ASSERT_TRUE(params->getInfo(plugin, change.id, &info));
            const float min = static_cast<float>(info.minValue), max = static_cast<float>(info.maxValue);
            effect->setParameter(effect, static_cast<VstInt32>(change.id),
                                 (static_cast<float>(change.value) - min) / (max - min));
        }
        float* in[] = {const_cast<float*>(&left[at]), const_cast<float*>(&right[at])};
        float* out[] = {&vstLeft[at], &vstRight[at]};
        effect->processReplacing(effect, in, out, static_cast<VstInt32>(sizes[b]));
        at += sizes[b];
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0);

    // The same through CLAP, with separate buffers and in place (the port pair's buffers shared).
    for (bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "separate buffers");
        const clap::Plugin* fresh = Create();
        ASSERT_NE(fresh, nullptr);
        std::swap(plugin, fresh);
        fresh->destroy(fresh);
        Start();
        if (inPlace) {
            clapLeft = left;
            clapRight = right;
        }
        at = 0;
        for (int b = 0; b < static_cast<int>(std::size(sizes)); ++b) {
            CInputEvents events;
            events.AddGesture(clap::kEventParamGestureBegin, 5); // a host's gesture marks change nothing
            for (const SChange& change : changes)
                if (change.block == b)
                    events.Add(change.id, change.value, change.time);
            const float* inLeft = inPlace ? &clapLeft[at] : &left[at];
            const float* inRight = inPlace ? &clapRight[at] : &right[at];
            ASSERT_EQ(Block(inLeft, inRight, &clapLeft[at], &clapRight[at], sizes[b], events), clap::kProcessContinue);
            at += sizes[b];
        }
        EXPECT_EQ(std::memcmp(clapLeft.data(), vstLeft.data(), total * sizeof(float)), 0);
        EXPECT_EQ(std::memcmp(clapRight.data(), vstRight.data(), total * sizeof(float)), 0);
        EXPECT_NE(std::memcmp(clapLeft.data(), left.data(), total * sizeof(float)), 0); // chorused, not copied
    }
    EXPECT_EQ(Value(4), static_cast<double>(1.1655f));
    EXPECT_EQ(Value(6), static_cast<double>(19.5f));
}

TEST_F(ClapBinary, FlushAppliesValuesWithNoAudioAndOutOfRangeValuesAreHeldToTheRange)
{
    CInputEvents events;
    events.Add(5, 40);
    events.Add(1, 1e9);
    events.Add(2, NAN);
    events.Add(77, 1);
    COutputEvents out;
    params->flush(plugin, events.Get(), out.Get());
    EXPECT_EQ(Value(5), 40.0);
    EXPECT_EQ(Value(1), 20.0);
    EXPECT_EQ(Value(2), 100.0);
    EXPECT_TRUE(out.rows.empty());
    params->flush(plugin, nullptr, nullptr); // a host passing no lists
}

TEST_F(ClapBinary, StateRoundTripsProgramsAndBypassAndEveryBadStreamIsRefusedChangingNothing)
{
    CInputEvents events;
    events.Add(0, 1);
    events.Add(3, 25);
    params->flush(plugin, events.Get(), nullptr);
    SMemoryStream saved;
    saved.chunk = 7; // a stream that takes a few bytes at a time
    ASSERT_TRUE(state->save(plugin, &saved.out));
    const std::vector<double> before = Values();

    const clap::Plugin* second = Create();
    ASSERT_NE(second, nullptr);
    std::swap(plugin, second);
    const std::vector<double> fresh = Values();
    auto load = [&](std::vector<uint8_t> bytes) {
        SMemoryStream stream;
        stream.bytes = std::move(bytes);
        stream.chunk = 5;
        return state->load(plugin, &stream.in);
    };
    std::vector<uint8_t> truncated(saved.bytes.begin(), saved.bytes.end() - 1);
    std::vector<uint8_t> oversized = saved.bytes;
    oversized.push_back(0);
    std::vector<uint8_t> version = saved.bytes;
    version[4] = 2;
    std::vector<uint8_t> garbage(saved.bytes.size(), 0xA5);
    std::vector<uint8_t> notANumber = saved.bytes;
    std::memset(&notANumber[notANumber.size() - 4], 0xFF, 4);
    for (const auto& bad : {truncated, oversized, version, garbage, notANumber, std::vector<uint8_t>()}) {
        EXPECT_FALSE(load(bad));
        EXPECT_EQ(Values(), fresh);
    }
    EXPECT_FALSE(state->load(plugin, nullptr));
    const int rescans = host.rescans;
    EXPECT_TRUE(load(saved.bytes));
    EXPECT_EQ(Values(), before);
    EXPECT_EQ(host.rescans, rescans + 1);
    std::swap(plugin, second);
    second->destroy(second);
}

TEST_F(ClapBinary, FactoryProgramsAreListedByNameAndLoadedByTheirKey)
{
    for (const char* id : {clap::kPresetDiscoveryFactoryId, clap::kPresetDiscoveryFactoryDraftId}) {
        const auto* presets = static_cast<const clap::PresetDiscoveryFactory*>(entry->getFactory(id));
        ASSERT_NE(presets, nullptr) << id;
        ASSERT_EQ(presets->count(presets), 1u);
        const clap::PresetProviderDescriptor* descriptor = presets->getDescriptor(presets, 0);
        ASSERT_NE(descriptor, nullptr);

        struct SIndex
        {
            std::vector<clap::PresetLocation> locations;
            std::vector<std::pair<std::string, std::string>> found; // name, key
            std::vector<std::string> pluginIds;
        } index;
        clap::PresetIndexer indexer{clap::kVersion, "test", "", "", "", &index, nullptr, nullptr, nullptr, nullptr};
        indexer.declareFiletype = [](const clap::PresetIndexer*, const clap::PresetFiletype*) { return true; };
        indexer.declareLocation = [](const clap::PresetIndexer* self, const clap::PresetLocation* location) {
            static_cast<SIndex*>(self->indexerData)->locations.push_back(*location);
            return true;
        };
        indexer.declareSoundpack = [](const clap::PresetIndexer*, const void*) { return true; };
        indexer.getExtension = [](const clap::PresetIndexer*, const char*) -> const void* { return nullptr; };
        const clap::PresetProvider* provider = presets->create(presets, &indexer, descriptor->id);
        ASSERT_NE(provider, nullptr);
        ASSERT_TRUE(provider->init(provider));
        ASSERT_EQ(index.locations.size(), 1u);
        EXPECT_EQ(index.locations[0].kind, clap::kPresetLocationPlugin);
        EXPECT_EQ(index.locations[0].location, nullptr);
        EXPECT_EQ(index.locations[0].flags, clap::kPresetIsFactoryContent);

        clap::PresetMetadataReceiver receiver{};
        receiver.receiverData = &index;
        receiver.beginPreset = [](const clap::PresetMetadataReceiver* r, const char* name, const char* key) {
            static_cast<SIndex*>(r->receiverData)->found.emplace_back(name, key);
            return true;
        };
        receiver.addPluginId = [](const clap::PresetMetadataReceiver* r, const clap::UniversalPluginId* id) {
            static_cast<SIndex*>(r->receiverData)->pluginIds.push_back(std::string(id->abi) + ":" + id->id);
        };
        ASSERT_TRUE(provider->getMetadata(provider, clap::kPresetLocationPlugin, nullptr, &receiver));
        provider->destroy(provider);
        const std::vector<std::string> names = {"Clean Chorus", "Drive Chorus", "Crazy Voice", "Normalized",
                                                "De-pitch",     "Short Delay",  "Oscillator",  "Vibrato",
                                                "Gargle",       "Mono Chorus"};
        ASSERT_EQ(index.found.size(), names.size());
        for (size_t p = 0; p < names.size(); ++p) {
            EXPECT_EQ(index.found[p].first, names[p]);
            EXPECT_EQ(index.found[p].second, std::to_string(p + 1));
            EXPECT_EQ(index.pluginIds[p], std::string("clap:") + kPluginId);
        }
    }
    const auto* load = Extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
    const std::vector<double> defaults = Values();
    for (const char* bad : {"", "11x", "-1", "16", "99999999999999999999"})
        EXPECT_FALSE(load->fromLocation(plugin, clap::kPresetLocationPlugin, nullptr, bad)) << bad;
    EXPECT_FALSE(load->fromLocation(plugin, clap::kPresetLocationFile, "/tmp/x", "1"));
    EXPECT_EQ(host.presetErrors, 6);
    EXPECT_EQ(Values(), defaults);
    const int rescans = host.rescans;
    EXPECT_TRUE(load->fromLocation(plugin, clap::kPresetLocationPlugin, nullptr, "10")); // Mono Chorus
    EXPECT_EQ(host.presetsLoaded, 1);
    EXPECT_EQ(host.rescans, rescans + 1);
    EXPECT_EQ(host.lastRescanFlags, clap::kParamRescanValues);
    plugin->onMainThread(plugin); // the callback the program change asked for finds nothing left
    EXPECT_EQ(host.rescans, rescans + 1);
    EXPECT_EQ(Value(7), 0.0); // Stereo 0 %
    EXPECT_NE(Values(), defaults);
}

TEST_F(ClapBinary, BadUseIsRefusedOrSurvivedWithFiniteOutput)
{
    for (double rate : {0.0, -44100.0, 0.5, 3072001.0, 1e300, double(NAN), double(INFINITY)})
        EXPECT_FALSE(plugin->activate(plugin, rate, 1, 4096)) << rate;
    EXPECT_FALSE(plugin->startProcessing(plugin)); // not active

    const std::vector<float> in = TestSignal(256, 3);
    std::vector<float> left(256, NAN), right(256, NAN);
    const CInputEvents none;
    EXPECT_EQ(Block(in.data(), in.data(), left.data(), right.data(), 256, none), clap::kProcessError);
    EXPECT_TRUE(Finite(left) && Finite(right)); // before activate: silence

    host.onAudioThread = true; // main-thread calls from the audio thread are refused
    EXPECT_FALSE(plugin->activate(plugin, kRate, 1, 4096));
    SMemoryStream stream;
    EXPECT_FALSE(state->save(plugin, &stream.out));
    host.onAudioThread = false;

    ASSERT_TRUE(plugin->activate(plugin, 96000.0, 1, 64));
    EXPECT_FALSE(plugin->activate(plugin, kRate, 1, 64)); // twice without deactivate
    std::fill(left.begin(), left.end(), NAN);
    EXPECT_EQ(Block(in.data(), in.data(), left.data(), right.data(), 256, none), clap::kProcessContinue)
        << "process before start_processing, with a block over the announced maximum";
    EXPECT_TRUE(Finite(left) && Finite(right));
    ASSERT_TRUE(plugin->startProcessing(plugin));
    EXPECT_EQ(Block(in.data(), in.data(), left.data(), right.data(), 0, none), clap::kProcessContinue);

    // Missing buffers: no crash, and whatever output exists is silence.
    float* channels[] = {left.data(), nullptr};
    clap::AudioBuffer halfMissing{channels, nullptr, 2, 0, 0};
    clap::AudioBuffer noData{nullptr, nullptr, 2, 0, 0};
    float* outs[] = {left.data(), right.data()};
    clap::AudioBuffer output{outs, nullptr, 2, 0, 0};
    clap::AudioBuffer mono{outs, nullptr, 1, 0, 0};
    const struct
    {
        const clap::AudioBuffer* in;
        uint32_t inCount;
        clap::AudioBuffer* out;
        uint32_t outCount;
    } cases[] = {{nullptr, 0, &output, 1}, {&halfMissing, 1, &output, 1}, {&noData, 1, &output, 1},
                 {&output, 1, nullptr, 0}, {&output, 1, &noData, 1},      {&output, 1, &mono, 1}};
    for (const auto& c : cases) {
        std::fill(left.begin(), left.end(), NAN);
        std::fill(right.begin(), right.end(), NAN);
        clap::Process process{0, 256, nullptr, c.in, c.out, c.inCount, c.outCount, nullptr, nullptr};
        EXPECT_EQ(plugin->process(plugin, &process), clap::kProcessError);
        if (c.out == &output) {
            EXPECT_TRUE(Finite(left) && Finite(right));
        }
    }
    EXPECT_EQ(plugin->process(plugin, nullptr), clap::kProcessError);
    plugin->stopProcessing(plugin);
    plugin->stopProcessing(plugin);
    plugin->deactivate(plugin);
    plugin->deactivate(plugin);
    EXPECT_EQ(Block(in.data(), in.data(), left.data(), right.data(), 256, none), clap::kProcessError);
}

TEST_F(ClapBinary, FiveHundredCreateAndDestroyCyclesLeaveTheHeapAsItWas)
{
    const std::vector<float> in = TestSignal(512, 4);
    std::vector<float> left(512), right(512);
    auto cycle = [&] {
        const clap::Plugin* other = Create();
        ASSERT_NE(other, nullptr);
        std::swap(plugin, other);
        Start();
        CInputEvents events;
        events.Add(5, 33);
        Block(in.data(), in.data(), left.data(), right.data(), 512, events);
        plugin->stopProcessing(plugin);
        plugin->deactivate(plugin);
        std::swap(plugin, other);
        other->destroy(other);
    };
    for (int i = 0; i < 20; ++i)
        cycle();
    const int64_t before = HeapBytesInUse();
    if (before < 0)
        GTEST_SKIP() << "no heap count on this platform";
    for (int i = 0; i < 500; ++i)
        cycle();
    EXPECT_LT(HeapBytesInUse() - before, 16 * 1024);
}

TEST_F(ClapBinary, MainThreadCallsWhileTheAudioThreadProcessesLeaveSoundOutputAndValuesInRange)
{
    // What CLAP lets a host do at once: the audio thread processes with values inside its blocks
    // while the main thread reads values and texts, loads factory programs and saves and loads
    // the state.
    const auto* load = Extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
    SMemoryStream saved;
    ASSERT_TRUE(state->save(plugin, &saved.out));
    Start();
    std::atomic<bool> audioDone{false};
    std::atomic<bool> finite{true};
    std::thread audio([&] {
        const std::vector<float> in = TestSignal(32, 5);
        std::vector<float> left(32), right(32);
        for (int block = 0; block < 4000; ++block) {
            CInputEvents events;
            events.Add(static_cast<clap::Id>(1 + block % 8), static_cast<double>(block % 21));
            Block(in.data(), in.data(), left.data(), right.data(), 32, events);
            if (!Finite(left) || !Finite(right))
                finite = false;
        }
        audioDone = true;
    });
    int rounds = 0;
    while (!audioDone) {
        for (clap::Id id = 0; id < kParamCount; ++id) {
            clap::ParamInfo info{};
            params->getInfo(plugin, id, &info);
            const double value = Value(id);
            EXPECT_TRUE(value >= info.minValue && value <= info.maxValue) << id << " " << value;
            Text(id, value);
        }
        load->fromLocation(plugin, clap::kPresetLocationPlugin, nullptr, std::to_string(1 + rounds % 10).c_str());
        SMemoryStream copy;
        copy.bytes = saved.bytes;
        EXPECT_TRUE(state->load(plugin, &copy.in));
        ++rounds;
    }
    audio.join();
    EXPECT_TRUE(finite);
    EXPECT_GT(rounds, 0);
}

#if defined(_WIN32)
BOOL CALLBACK CountWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

TEST_F(ClapBinary, EditorWindowCyclesInTheHostsWindowLeaveNoWindowBehind)
{
    const auto* gui = Extension<clap::PluginGui>(clap::kExtGui);
    ASSERT_NE(gui, nullptr);
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    auto children = [&] {
        int count = 0;
        EnumChildWindows(parent, CountWindow, reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->getPreferredApi(plugin, &api, &floating));
    EXPECT_STREQ(api, clap::kWindowApiWin32);
    EXPECT_FALSE(floating);
    clap::Window window{};
    window.api = clap::kWindowApiWin32;
    window.win32 = parent;
    EXPECT_FALSE(gui->setParent(plugin, &window)); // before create
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(gui->create(plugin, clap::kWindowApiWin32, false));
        EXPECT_FALSE(gui->create(plugin, clap::kWindowApiWin32, false)); // twice
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(gui->getSize(plugin, &width, &height));
        EXPECT_GT(width, 100u);
        EXPECT_GT(height, 100u);
        EXPECT_FALSE(gui->canResize(plugin));
        ASSERT_TRUE(gui->setParent(plugin, &window));
        EXPECT_GT(children(), 0);
        EXPECT_TRUE(gui->show(plugin));
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        EXPECT_TRUE(gui->hide(plugin));
        gui->destroy(plugin);
        EXPECT_EQ(children(), 0);
    }
    // Destroyed with the window open: the window goes with the plug-in.
    ASSERT_TRUE(gui->create(plugin, clap::kWindowApiWin32, false));
    ASSERT_TRUE(gui->setParent(plugin, &window));
    plugin->destroy(plugin);
    plugin = nullptr;
    EXPECT_EQ(children(), 0);
    DestroyWindow(parent);
}
#endif
