// Loads the built plug-in binary (the .so, or a DLL under Wine) and drives it as a host would.
// The same source runs against all three binaries.
#include "PluginLibrary.h"
#include "ProductVersion.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct HostState
{
    VstIntPtr version = 2400;
    int automations = 0;
    int versionQueries = 0;
};
HostState host;

VstIntPtr Host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    if (opcode == audioMasterVersion) {
        ++host.versionQueries;
        return host.version;
    }
    if (opcode == audioMasterAutomate)
        ++host.automations;
    return 0;
}

class PluginBinary : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { library = std::make_unique<PluginLibrary>(PLUGIN_PATH); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(library->IsLoaded()) << "cannot load " << PLUGIN_PATH;
        host = HostState();
        effect = library->Entry("VSTPluginMain")(Host);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override
    {
        if (effect)
            Dispatch(effClose);
    }

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0)
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    std::string Text(VstInt32 opcode, VstInt32 index = 0)
    {
        char text[256] = {};
        Dispatch(opcode, index, 0, text);
        return text;
    }
    void Process(std::vector<float>& left, std::vector<float>& right, std::vector<float>& outLeft,
                 std::vector<float>& outRight, int frames)
    {
        float* in[] = {left.data(), right.data()};
        float* out[] = {outLeft.data(), outRight.data()};
        effect->processReplacing(effect, in, out, frames);
    }

    static std::unique_ptr<PluginLibrary> library;
    AEffect* effect = nullptr;
};
std::unique_ptr<PluginLibrary> PluginBinary::library;

// Deterministic test audio that needs no maths library: a saw plus LCG noise.
std::vector<float> TestSignal(int frames, uint32_t seed)
{
    std::vector<float> signal(static_cast<size_t>(frames));
    uint32_t state = seed;
    for (int f = 0; f < frames; ++f) {
        state = state * 1664525u + 1013904223u;
        const float noise = static_cast<float>(static_cast<int32_t>(state >> 8) - (1 << 23)) / (1 << 23);
        const float saw = static_cast<float>(f % 200) / 100.0f - 1.0f;
        signal[static_cast<size_t>(f)] = 0.4f * saw + 0.1f * noise;
    }
    return signal;
}

uint64_t Fnv1a(uint64_t hash, const std::vector<float>& samples)
{
    for (float sample : samples) {
        uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        for (int b = 0; b < 4; ++b) {
            hash ^= (bits >> (8 * b)) & 0xFFu;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

// The product version as VST 2 hosts read it: 1.2.3 is 1203.
constexpr VstIntPtr kVendorVersion = kProductVersionMajor * 1000 + kProductVersionMinor * 100 + kProductVersionPatch;

} // namespace

TEST_F(PluginBinary, RecordAfterMainDescribesTheStereoChorus)
{
    EXPECT_EQ(host.versionQueries, 1);
    EXPECT_EQ(effect->magic, 0x56737450);
    EXPECT_EQ(effect->uniqueID, 0x36716E76);
    EXPECT_EQ(effect->version, kVendorVersion);
    EXPECT_EQ(effect->flags & effFlagsCanReplacing, effFlagsCanReplacing);
    EXPECT_EQ(effect->flags, EXPECTED_FLAGS);
    EXPECT_EQ(effect->numParams, 9);
    EXPECT_EQ(effect->numPrograms, 16);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_NE(effect->process, nullptr);
    EXPECT_NE(effect->processReplacing, nullptr);
}

TEST_F(PluginBinary, MainAndVstPluginMainAreTheSameEntryAndRefuseAVersionlessHost)
{
    VstPluginMainProc main = library->Entry("main");
    ASSERT_NE(main, nullptr);
    AEffect* second = main(Host);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, effect);
    EXPECT_EQ(second->uniqueID, 0x36716E76);
    EXPECT_EQ(second->dispatcher(second, effClose, 0, 0, nullptr, 0), 1);
    host.version = 0;
    EXPECT_EQ(main(Host), nullptr);
}

TEST_F(PluginBinary, DispatcherAnswersEveryRequestOfItsTable)
{
    const VstIntPtr withEditor = (EXPECTED_FLAGS & effFlagsHasEditor) ? 1 : 0;
    const struct { VstInt32 opcode; VstIntPtr answer; } rows[] = {
        {effOpen, 0}, {effGetVu, 0}, {effEditGetRect, withEditor}, {effEditClose, 0}, {effEditIdle, 0},
        {effEditDraw, 0}, {effEditMouse, 0}, {effEditKey, 0}, {effEditTop, 0}, {effEditSleep, 0},
        {effIdentify, 0x4E764566}, {effGetChunk, 0}, {effSetChunk, 0}, {effProcessEvents, 0},
        {effCanBeAutomated, 1}, {effString2Parameter, 0}, {effGetNumProgramCategories, 1},
        {effGetProgramNameIndexed, 0}, {effCopyProgram, 0}, {effConnectInput, 1}, {effConnectOutput, 1},
        {effGetInputProperties, 0}, {effGetOutputProperties, 0}, {effGetPlugCategory, 0},
        {effGetCurrentPosition, 0}, {effGetDestinationBuffer, 0}, {effOfflineNotify, 0}, {effOfflinePrepare, 0},
        {effOfflineRun, 0}, {effProcessVarIo, 0}, {effSetSpeakerArrangement, 0}, {effSetBypass, 0},
        {effGetErrorText, 0}, {effGetVendorVersion, kVendorVersion}, {effVendorSpecific, 0}, {effCanDo, 0},
        {effGetTailSize, 4096}, {effIdle, 0}, {effGetIcon, 0}, {effSetViewPosition, 0},
        {effGetParameterProperties, 0}, {effKeysRequired, 1}, {effGetVstVersion, 2300},
        {effEditKeyDown, 0}, {effEditKeyUp, 0}, {effSetEditKnobMode, 0},
        {effGetMidiProgramName, 0}, {effGetCurrentMidiProgram, -1}, {effGetMidiProgramCategory, 0},
        {effHasMidiProgramsChanged, 0}, {effGetMidiKeyName, 0}, {effBeginSetProgram, 0}, {effEndSetProgram, 0},
        {effGetSpeakerArrangement, 0}, {effShellGetNextPlugin, 0}, {effStartProcess, 0}, {effStopProcess, 0},
        {effSetPanLaw, 0}, {effBeginLoadBank, 0}, {effBeginLoadProgram, 0}, {77, 0}, {-1, 0}, {1000, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Dispatch(row.opcode), row.answer) << "opcode " << row.opcode;
    EXPECT_EQ(Dispatch(effSetTotalSampleToProcess, 0, 4096), 4096);
    EXPECT_EQ(Dispatch(effGetProgram), 0);
    EXPECT_EQ(Dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
}

TEST_F(PluginBinary, DispatcherAnswersIdentityAndCapabilityRequests)
{
    EXPECT_EQ(Text(effGetVendorString), "Orvane's Music Software");
    EXPECT_EQ(Text(effGetEffectName), "Stereo Chorus");
    EXPECT_EQ(Text(effGetProductString), "Stereo Chorus");
    for (const char* capability : {"bypass", "receiveVstEvents", "2in2out"}) {
        char text[32];
        std::strcpy(text, capability);
        EXPECT_EQ(Dispatch(effCanDo, 0, 0, text), 0) << capability;
    }
    EXPECT_EQ(Dispatch(effSetBypass, 0, 1), 0);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.0f);
    void* chunk = nullptr;
    EXPECT_EQ(Dispatch(effGetChunk, 0, 0, &chunk), 0);
    EXPECT_EQ(chunk, nullptr);
    void* arrangement[2] = {&chunk, &chunk};
    EXPECT_EQ(Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangement[0]), &arrangement[1]), 0);
    EXPECT_EQ(arrangement[0], nullptr);
    EXPECT_EQ(arrangement[1], nullptr);
}

TEST_F(PluginBinary, ParametersHaveTheirNamesUnitsAndDefaultTexts)
{
    const char* names[] = {"Bypass", "Gain", "Dry", "Wet", "Delay", "Depth", "LFO Frequency", "Stereo", "LFO Type"};
    const char* labels[] = {"", "dB", "%", "%", "ms", "%", "Hz", "%", ""};
    const char* displays[] = {"Off", "0.000000", "100.0000", "70.00000", "20.00000", "70.00000", "0.399999",
                              "100.0000", "0.000000"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Text(effGetParamName, i), names[i]);
        EXPECT_EQ(Text(effGetParamLabel, i), labels[i]);
        EXPECT_EQ(Text(effGetParamDisplay, i), displays[i]) << names[i];
    }
    EXPECT_EQ(Text(effGetParamName, 9), "Unknown Parameter");
    EXPECT_FLOAT_EQ(effect->getParameter(effect, 1), 0.5f);
    EXPECT_FLOAT_EQ(effect->getParameter(effect, 6), 0.02f);
    effect->setParameter(effect, 1, 0.25f);
    EXPECT_EQ(Text(effGetParamDisplay, 1), "-10.0000");
}

TEST_F(PluginBinary, SixteenProgramsAreTheFactoryPresetsThenDefault)
{
    const char* expected[] = {"Default", "Clean Chorus", "Drive Chorus", "Crazy Voice", "Normalized", "De-pitch",
                              "Short Delay", "Oscillator", "Vibrato", "Gargle", "Mono Chorus", "Default",
                              "Default", "Default", "Default", "Default"};
    for (int p = 0; p < 16; ++p) {
        Dispatch(effSetProgram, 0, p);
        EXPECT_EQ(Text(effGetProgramName), expected[p]);
    }
    Dispatch(effSetProgram, 0, 5); // De-pitch keeps its 100 ms, beyond the Delay range
    EXPECT_EQ(Text(effGetParamDisplay, 4), "100.0000");
    EXPECT_EQ(Text(effGetParamDisplay, 2), "0.000000");
    Dispatch(effSetProgram, 0, 16);
    EXPECT_EQ(Dispatch(effGetProgram), 5);
}

TEST_F(PluginBinary, ProgramsKeepTheirEditsAcrossProgramChanges)
{
    Dispatch(effSetProgram, 0, 2);
    effect->setParameter(effect, 5, 0.9f);
    char name[] = "My Chorus";
    Dispatch(effSetProgramName, 0, 0, name);
    Dispatch(effSetProgram, 0, 7);
    EXPECT_EQ(Text(effGetProgramName), "Oscillator");
    EXPECT_EQ(Text(effGetParamDisplay, 8), "1.000000");
    Dispatch(effSetProgram, 0, 2);
    EXPECT_EQ(Text(effGetProgramName), "My Chorus");
    EXPECT_FLOAT_EQ(effect->getParameter(effect, 5), 0.9f);
}

TEST_F(PluginBinary, GainChangeArrivesAsARampAcrossOneBlockThenHolds)
{
    effect->setParameter(effect, 3, 0.0f); // Wet 0: output = level x input
    Dispatch(effMainsChanged, 0, 1);
    const int frames = 256;
    std::vector<float> ones(frames, 1.0f), outL(frames), outR(frames);
    Process(ones, ones, outL, outR, frames);
    EXPECT_FLOAT_EQ(outL[100], 0.9710078f);

    effect->setParameter(effect, 1, 1.0f); // Gain 0 -> +20 dB
    Process(ones, ones, outL, outR, frames);
    EXPECT_FLOAT_EQ(outL[0], 0.9710078f);
    for (int f = 1; f < frames; ++f)
        ASSERT_GT(outL[f], outL[f - 1]) << "frame " << f;
    EXPECT_LT(outL[frames - 1], 10.11155f);
    EXPECT_GT(outL[frames - 1], 9.0f);

    Process(ones, ones, outL, outR, frames);
    EXPECT_FLOAT_EQ(outL[0], 10.11155f);
    EXPECT_FLOAT_EQ(outR[frames - 1], 10.11155f);
    EXPECT_EQ(host.automations, 0); // the chorus has no output parameters to report
}

TEST_F(PluginBinary, BypassPassesTheInputThroughUnchanged)
{
    Dispatch(effMainsChanged, 0, 1);
    effect->setParameter(effect, 0, 1.0f);
    std::vector<float> left = TestSignal(512, 1), right = TestSignal(512, 2), outL(512), outR(512);
    Process(left, right, outL, outR, 512);
    EXPECT_EQ(outL, left);
    EXPECT_EQ(outR, right);
}

TEST_F(PluginBinary, RendersTheSameBitsOnEveryPlatform)
{
    Dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    Dispatch(effMainsChanged, 0, 1);
    const int block = 500;
    std::vector<float> outL(block), outR(block);
    uint64_t hash = 1469598103934665603ull;
    for (int b = 0; b < 600; ++b) {
        if (b == 0)
            Dispatch(effSetProgram, 0, 1); // Clean Chorus
        if (b == 150)
            effect->setParameter(effect, 5, 0.95f); // Depth ramps within one block
        if (b == 300)
            Dispatch(effSetProgram, 0, 7); // Oscillator: triangle, Gain -3 dB
        if (b == 450)
            Dispatch(effSetProgram, 0, 5); // De-pitch: reads wrap around the line
        std::vector<float> left = TestSignal(block, 3 + b), right = TestSignal(block, 1000 + b);
        Process(left, right, outL, outR, block);
        hash = Fnv1a(Fnv1a(hash, outL), outR);
    }
    EXPECT_EQ(hash, EXPECTED_RENDER_HASH) << std::hex << hash;
}

TEST_F(PluginBinary, AnyFiniteParameterValuesGiveFiniteOutput)
{
    Dispatch(effMainsChanged, 0, 1);
    const float extremes[] = {1e30f, -1e30f, 3.0e38f, -3.0e38f, 1e6f, -1e6f, 1e9f};
    std::vector<float> outL(256), outR(256);
    for (float extreme : extremes) {
        for (VstInt32 index = 1; index <= 8; ++index) {
            Dispatch(effSetProgram, 0, 1);
            effect->setParameter(effect, index, extreme);
            for (int b = 0; b < 3; ++b) { // the ramp block, the landing block, a steady block
                std::vector<float> left = TestSignal(256, 7 + b), right = TestSignal(256, 9 + b);
                Process(left, right, outL, outR, 256);
                for (int f = 0; f < 256; ++f)
                    ASSERT_TRUE(std::isfinite(outL[f]) && std::isfinite(outR[f]))
                        << "parameter " << index << " at " << extreme << ", block " << b << ", frame " << f;
            }
        }
    }
}

#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
#include <malloc.h>

// Runs after the suite above has let go of the binary, so every load here is a real load.
TEST(PluginBinaryUnload, LoadingAndUnloadingTwentyTimesLeavesNoHeapBehind)
{
    const auto heapInUse = [] {
        const struct mallinfo2 info = mallinfo2();
        return static_cast<long long>(info.uordblks + info.hblkhd);
    };
    const auto loadAndUnload = [] {
        PluginLibrary library(PLUGIN_PATH);
        ASSERT_TRUE(library.IsLoaded());
    };
    loadAndUnload();
    const long long before = heapInUse();
    for (int i = 0; i < 20; ++i)
        loadAndUnload();
    EXPECT_LT(heapInUse() - before, 20 * 1024); // the runtime's reserve alone was 71 KB a load
}
#endif
