// Our VST 3 test host: loads the built bundle (the .so, or the module under Wine) as hosts do and
// checks what it publishes against the VST 2 binary of the same platform, which must compute the
// same samples.
#include "PluginLibrary.h"
#include "PluginUnderTest.h"
#include "ProcessMeasures.h"
#include "ProductVersion.h"
#include "Vst3HostObjects.h"
#include <gtest/gtest.h>
#if defined(_WIN32)
#include "TestWindows.h"
#endif
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <memory>
#include <vector>

using namespace Vst3;

namespace {

constexpr ParamID kProgramChangeId = 0x10000;
constexpr double kRate = 48000.0;
constexpr int kMaxBlock = 4096;

VstIntPtr Vst2Host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

// One VST 3 instance and its interfaces.
struct Instance
{
    explicit Instance(const CVst3Module& module)
    {
        component = static_cast<IComponent*>(module.Create(kComponentIid));
        if (!component)
            return;
        component->queryInterface(kAudioProcessorIid.bytes, reinterpret_cast<void**>(&processor));
        component->queryInterface(kEditControllerIid.bytes, reinterpret_cast<void**>(&controller));
        component->queryInterface(kUnitInfoIid.bytes, reinterpret_cast<void**>(&units));
    }
    ~Instance()
    {
        if (controller)
            controller->release();
        if (units)
            units->release();
        if (processor)
            processor->release();
        if (component) {
            component->terminate();
            component->release();
        }
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
    bool Valid() const { return component && processor && controller && units; }

    void Start(double rate = kRate, int maxBlock = kMaxBlock)
    {
        component->initialize(nullptr);
        ProcessSetup setup{0, kSample32, maxBlock, rate};
        processor->setupProcessing(setup);
        component->setActive(1);
        processor->setProcessing(1);
    }
    tresult Process(float** in, float** out, int frames, CParameterChanges* changes = nullptr)
    {
        AudioBusBuffers input{};
        input.numChannels = 2;
        input.channelBuffers32 = in;
        AudioBusBuffers output{};
        output.numChannels = 2;
        output.channelBuffers32 = out;
        ProcessData data{};
        data.symbolicSampleSize = kSample32;
        data.numSamples = frames;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &input;
        data.outputs = &output;
        data.inputParameterChanges = changes;
        return processor->process(data);
    }
    std::vector<uint8_t> State()
    {
        CMemoryStream stream;
        EXPECT_EQ(component->getState(&stream), kResultOk);
        return stream.Bytes();
    }
    std::string ParamText(ParamID id, double value)
    {
        String128 text = {};
        EXPECT_EQ(controller->getParamStringByValue(id, value, text), kResultOk);
        return Narrow(text);
    }

    IComponent* component = nullptr;
    IAudioProcessor* processor = nullptr;
    IEditController* controller = nullptr;
    IUnitInfo* units = nullptr;
};

// One VST 2 instance of the same platform's binary.
struct Vst2Instance
{
    explicit Vst2Instance(const PluginLibrary& library) : effect(library.Entry("VSTPluginMain")(Vst2Host)) {}
    ~Vst2Instance()
    {
        if (effect)
            Dispatch(effClose);
    }
    Vst2Instance(const Vst2Instance&) = delete;
    Vst2Instance& operator=(const Vst2Instance&) = delete;
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
    void Start()
    {
        Dispatch(effOpen);
        Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
        Dispatch(effSetBlockSize, 0, kMaxBlock);
        Dispatch(effMainsChanged, 0, 1);
    }
    AEffect* effect;
};

// Deterministic stereo test audio: a saw plus LCG noise per channel.
std::vector<float> Signal(int frames, uint32_t seed)
{
    std::vector<float> signal(static_cast<size_t>(frames));
    uint32_t state = seed;
    for (int f = 0; f < frames; ++f) {
        state = state * 1664525u + 1013904223u;
        signal[static_cast<size_t>(f)] =
            0.5f * static_cast<float>(f % 97) / 97.0f - 0.25f + static_cast<float>(state >> 8) / 16777216.0f * 0.2f - 0.1f;
    }
    return signal;
}

// The bundle's module and the VST 2 binary it is measured against: the build's, or an installed
// pair the environment names (the installer's test loads them from where they were installed).
const char* const kVst3Path = PluginUnderTest("STEREO_CHORUS_VST3", VST3_PATH);
const char* const kVst2Path = PluginUnderTest("STEREO_CHORUS_VST2", VST2_PATH);

class Vst3Bundle : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        module = std::make_unique<CVst3Module>(kVst3Path);
        vst2 = std::make_unique<PluginLibrary>(kVst2Path);
    }
    static void TearDownTestSuite()
    {
        module.reset();
        vst2.reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(module->Error().empty()) << module->Error();
        ASSERT_TRUE(vst2->IsLoaded()) << "cannot load " << kVst2Path;
    }

    static std::unique_ptr<CVst3Module> module;
    static std::unique_ptr<PluginLibrary> vst2;
};
std::unique_ptr<CVst3Module> Vst3Bundle::module;
std::unique_ptr<PluginLibrary> Vst3Bundle::vst2;

TEST_F(Vst3Bundle, ExportsTheEntryPointsAndOneModulationEffectClassOfTheVendor)
{
#if defined(_WIN32)
    EXPECT_TRUE(module->Exports("InitDll") && module->Exports("ExitDll"));
#else
    EXPECT_TRUE(module->Exports("ModuleEntry") && module->Exports("ModuleExit"));
#endif
    IPluginFactory* factory = module->Factory();
    PFactoryInfo info{};
    ASSERT_EQ(factory->getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Orvane's Music Software");
    ASSERT_EQ(factory->countClasses(), 1);

    IPluginFactory3* factory3 = nullptr;
    ASSERT_EQ(factory->queryInterface(kPluginFactory3Iid.bytes, reinterpret_cast<void**>(&factory3)), kResultOk);
    PClassInfo2 info2{};
    ASSERT_EQ(factory3->getClassInfo2(0, &info2), kResultOk);
    EXPECT_STREQ(info2.category, "Audio Module Class");
    EXPECT_STREQ(info2.name, "Stereo Chorus");
    EXPECT_STREQ(info2.subCategories, "Fx|Modulation");
    EXPECT_STREQ(info2.version, kProductVersion);
    EXPECT_STREQ(info2.vendor, "Orvane's Music Software");
    // The published class id, byte for byte as this platform's hosts see it.
    const Uid expected = MakeUid(0x4F6D7653, 0x43686F72, 0x75733376, 0x36716E76);
    EXPECT_EQ(std::memcmp(info2.cid, expected.bytes, 16), 0);
    PClassInfoW wide{};
    ASSERT_EQ(factory3->getClassInfoUnicode(0, &wide), kResultOk);
    EXPECT_EQ(Narrow(wide.vendor), "Orvane's Music Software");
    factory3->release();

    void* none = nullptr;
    const Uid unknownClass = MakeUid(1, 2, 3, 4);
    EXPECT_NE(factory->createInstance(unknownClass.bytes, kComponentIid.bytes, &none), kResultOk);
    EXPECT_EQ(none, nullptr);
}

TEST_F(Vst3Bundle, HasOneStereoBusEachWayAndRefusesSixtyFourBitSamples)
{
    Instance plugin(*module);
    ASSERT_TRUE(plugin.Valid());
    EXPECT_EQ(plugin.component->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(plugin.component->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(plugin.component->getBusCount(kEvent, kInput), 0);
    for (int32_t direction : {kInput, kOutput}) {
        BusInfo bus{};
        ASSERT_EQ(plugin.component->getBusInfo(kAudio, direction, 0, bus), kResultOk);
        EXPECT_EQ(bus.channelCount, 2);
        EXPECT_EQ(bus.busType, kMain);
        SpeakerArrangement arrangement = 0;
        ASSERT_EQ(plugin.processor->getBusArrangement(direction, 0, arrangement), kResultOk);
        EXPECT_EQ(arrangement, kSpeakerStereo);
    }
    BusInfo bus{};
    EXPECT_NE(plugin.component->getBusInfo(kAudio, kInput, 1, bus), kResultOk);
    SpeakerArrangement mono = 1, stereo = kSpeakerStereo;
    EXPECT_EQ(plugin.processor->setBusArrangements(&mono, 1, &mono, 1), kResultFalse);
    EXPECT_EQ(plugin.processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    EXPECT_EQ(plugin.processor->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(plugin.processor->canProcessSampleSize(kSample64), kResultFalse);
    ProcessSetup setup64{0, kSample64, 512, kRate};
    EXPECT_NE(plugin.processor->setupProcessing(setup64), kResultOk);
    for (double rate : {0.0, -44100.0, std::nan(""), 1e9}) {
        ProcessSetup bad{0, kSample32, 512, rate};
        EXPECT_NE(plugin.processor->setupProcessing(bad), kResultOk) << rate;
    }
}

// The value a display text shows, and how far apart two of its values may be: one unit of its
// last digit ("-6.00000": 1e-5).
double LastDigit(const std::string& text)
{
    const size_t point = text.find('.');
    return point == std::string::npos ? 1.0 : std::pow(10.0, -static_cast<double>(text.size() - point - 1));
}

TEST_F(Vst3Bundle, ParametersHaveTheVst2TitlesUnitsAndDisplayTexts)
{
    Instance plugin(*module);
    Vst2Instance reference(*vst2);
    ASSERT_TRUE(plugin.Valid());
    ASSERT_NE(reference.effect, nullptr);
    const int count = reference.effect->numParams;
    ASSERT_EQ(plugin.controller->getParameterCount(), count + 1);
    for (int i = 0; i < count; ++i) {
        ParameterInfo info{};
        ASSERT_EQ(plugin.controller->getParameterInfo(i, info), kResultOk);
        EXPECT_EQ(info.id, static_cast<ParamID>(i));
        EXPECT_EQ(Narrow(info.title), reference.Text(effGetParamName, i));
        EXPECT_EQ(Narrow(info.units), reference.Text(effGetParamLabel, i));
        EXPECT_EQ((info.flags & ParameterInfo::kIsBypass) != 0, i == 0) << i;
        EXPECT_TRUE(info.flags & ParameterInfo::kCanAutomate);
        for (float value : {0.0f, 0.1f, 0.25f, 0.5f, 0.77f, 1.0f}) {
            reference.effect->setParameter(reference.effect, i, value);
            // The VST 2 display's digits, the last one rounded where VST 2 cuts it.
            const std::string text = plugin.ParamText(info.id, value);
            const std::string display = reference.Text(effGetParamDisplay, i);
            if (i == 0)
                EXPECT_EQ(text, display);
            else
                EXPECT_NEAR(std::atof(text.c_str()), std::atof(display.c_str()), 1.01 * LastDigit(display))
                    << text << " against " << display;
            std::vector<Char16> wide(text.begin(), text.end());
            wide.push_back(0);
            ParamValue parsed = -1.0;
            ASSERT_EQ(plugin.controller->getParamValueByString(info.id, wide.data(), parsed), kResultOk) << text;
            EXPECT_EQ(plugin.ParamText(info.id, parsed), text); // reads back as itself
            if (i != 0) {
                EXPECT_NEAR(parsed, value, 1e-5) << text; // eight characters keep about six digits
            }
        }
        plugin.controller->setParamNormalized(info.id, 0.25);
        EXPECT_EQ(plugin.controller->getParamNormalized(info.id), i == 0 ? 0.0 : 0.25);
    }
    ParameterInfo lfoType{}, program{};
    ASSERT_EQ(plugin.controller->getParameterInfo(count - 1, lfoType), kResultOk);
    EXPECT_EQ(Narrow(lfoType.title), "LFO Type");
    // Its choices 0 .. 2 (sine, triangle, custom) are the steps of the VST 2 normalisation, so
    // normalised 0.5 is the triangle in both formats.
    EXPECT_EQ(lfoType.stepCount, 2);
    EXPECT_EQ(plugin.ParamText(lfoType.id, 0.5), "1.000000");
    EXPECT_TRUE(lfoType.flags & ParameterInfo::kIsList);
    ASSERT_EQ(plugin.controller->getParameterInfo(count, program), kResultOk);
    EXPECT_EQ(program.id, kProgramChangeId);
    EXPECT_EQ(program.stepCount, 15);
    EXPECT_TRUE(program.flags & ParameterInfo::kIsProgramChange);
    ParameterInfo none{};
    EXPECT_NE(plugin.controller->getParameterInfo(count + 1, none), kResultOk);
    String128 text = {};
    EXPECT_NE(plugin.controller->getParamStringByValue(12345, 0.5, text), kResultOk);
}

TEST_F(Vst3Bundle, ProgramsAreListedByNameAndChosenByTheProgramChangeParameter)
{
    Instance plugin(*module);
    Vst2Instance reference(*vst2);
    ASSERT_TRUE(plugin.Valid());
    ASSERT_EQ(plugin.units->getProgramListCount(), 1);
    ProgramListInfo list{};
    ASSERT_EQ(plugin.units->getProgramListInfo(0, list), kResultOk);
    ASSERT_EQ(list.programCount, 16);
    UnitInfo unit{};
    ASSERT_EQ(plugin.units->getUnitInfo(0, unit), kResultOk);
    EXPECT_EQ(unit.programListId, list.id);
    for (int p = 0; p < list.programCount; ++p) {
        String128 name = {};
        ASSERT_EQ(plugin.units->getProgramName(list.id, p, name), kResultOk);
        reference.Dispatch(effSetProgram, 0, p);
        EXPECT_EQ(Narrow(name), reference.Text(effGetProgramName)) << p;
        EXPECT_EQ(plugin.ParamText(kProgramChangeId, p / 15.0), Narrow(name));
    }
    String128 first = {};
    plugin.units->getProgramName(list.id, 1, first);
    EXPECT_EQ(Narrow(first), "Clean Chorus");
    String128 outside = {};
    EXPECT_NE(plugin.units->getProgramName(list.id, 16, outside), kResultOk);

    // Choosing program 1 gives its values, as VST 2's effSetProgram does.
    ASSERT_EQ(plugin.controller->setParamNormalized(kProgramChangeId, 1 / 15.0), kResultOk);
    reference.Dispatch(effSetProgram, 0, 1);
    EXPECT_NEAR(plugin.controller->getParamNormalized(kProgramChangeId), 1 / 15.0, 1e-12);
    for (int i = 0; i < reference.effect->numParams; ++i)
        EXPECT_EQ(static_cast<float>(plugin.controller->getParamNormalized(static_cast<ParamID>(i))),
                  reference.effect->getParameter(reference.effect, i)) << i;
}

TEST_F(Vst3Bundle, StateRoundTripsAndEveryBadStreamIsRefusedChangingNothing)
{
    Instance source(*module);
    ASSERT_TRUE(source.Valid());
    source.controller->setParamNormalized(kProgramChangeId, 3 / 15.0);
    source.controller->setParamNormalized(5, 0.125);
    source.controller->setParamNormalized(0, 1.0);
    const std::vector<uint8_t> saved = source.State();
    ASSERT_GT(saved.size(), 20u);

    Instance target(*module);
    ASSERT_TRUE(target.Valid());
    CMemoryStream pieces(saved);
    pieces.readLimit = 7; // hosts reading files hand the bytes out in pieces
    ASSERT_EQ(target.component->setState(&pieces), kResultOk);
    EXPECT_EQ(target.State(), saved);
    EXPECT_EQ(target.controller->getParamNormalized(5), 0.125);
    EXPECT_EQ(target.controller->getParamNormalized(0), 1.0);
    CMemoryStream again(saved);
    EXPECT_EQ(target.controller->setComponentState(&again), kResultOk);
    EXPECT_EQ(target.State(), saved);

    auto with = [&saved](const std::function<void(std::vector<uint8_t>&)>& change) {
        std::vector<uint8_t> bytes = saved;
        change(bytes);
        return bytes;
    };
    auto putWord = [](std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
        for (int k = 0; k < 4; ++k)
            bytes[at + static_cast<size_t>(k)] = static_cast<uint8_t>(value >> (8 * k));
    };
    const struct
    {
        const char* name;
        std::vector<uint8_t> bytes;
    } bad[] = {
        {"empty", {}},
        {"header cut short", with([](std::vector<uint8_t>& b) { b.resize(10); })},
        {"one byte short", with([](std::vector<uint8_t>& b) { b.pop_back(); })},
        {"one byte too many", with([](std::vector<uint8_t>& b) { b.push_back(0); })},
        {"twice as long", with([](std::vector<uint8_t>& b) { b.insert(b.end(), b.begin(), b.end()); })},
        {"wrong magic", with([](std::vector<uint8_t>& b) { b[0] ^= 0xFF; })},
        {"wrong version", with([&](std::vector<uint8_t>& b) { putWord(b, 4, 2); })},
        {"other value count", with([&](std::vector<uint8_t>& b) { putWord(b, 8, 3); })},
        {"other program count", with([&](std::vector<uint8_t>& b) { putWord(b, 12, 17); })},
        {"current program out of range", with([&](std::vector<uint8_t>& b) { putWord(b, 16, 16); })},
        {"a value not a number", with([&](std::vector<uint8_t>& b) { putWord(b, 20 + 32, 0x7FC00000); })},
        {"unterminated name", with([](std::vector<uint8_t>& b) { std::memset(b.data() + 20, 'x', 32); })},
        {"garbage", with([](std::vector<uint8_t>& b) {
             uint32_t state = 99;
             for (uint8_t& byte : b)
                 byte = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
         })},
    };
    Instance fresh(*module);
    ASSERT_TRUE(fresh.Valid());
    const std::vector<uint8_t> before = fresh.State();
    for (const auto& stream : bad) {
        CMemoryStream component(stream.bytes), controller(stream.bytes);
        EXPECT_EQ(fresh.component->setState(&component), kResultFalse) << stream.name;
        EXPECT_EQ(fresh.controller->setComponentState(&controller), kResultFalse) << stream.name;
        EXPECT_LE(component.Position(), stream.bytes.size());
        EXPECT_EQ(fresh.State(), before) << stream.name;
    }
    EXPECT_EQ(fresh.component->setState(nullptr), kInvalidArgument);
}

// A block of the render scenario: its size, and the automation points inside it.
struct Point
{
    ParamID id;
    int32_t offset;
    double value;
};
struct Block
{
    int frames;
    std::vector<Point> points;
};

// Renders the blocks through the VST 3 bundle (with every point) and the VST 2 binary (with each
// parameter's last value set before the block); both outputs side by side.
void RenderBoth(const CVst3Module& module, const PluginLibrary& library, const std::vector<Block>& blocks,
                std::vector<float>& vst3Out, std::vector<float>& vst2Out)
{
    Instance plugin(module);
    Vst2Instance reference(library);
    ASSERT_TRUE(plugin.Valid());
    plugin.Start();
    reference.Start();
    int total = 0;
    for (const Block& block : blocks)
        total += block.frames;
    const std::vector<float> left = Signal(total, 1), right = Signal(total, 2);
    vst3Out.assign(2 * static_cast<size_t>(total), 0.0f);
    vst2Out.assign(2 * static_cast<size_t>(total), 0.0f);
    std::vector<float> out3(2 * kMaxBlock), out2(2 * kMaxBlock);
    int at = 0;
    CParameterChanges changes;
    for (const Block& block : blocks) {
        changes.Clear();
        for (const Point& point : block.points) {
            changes.Add(point.id, point.offset, point.value);
            if (point.id == kProgramChangeId)
                reference.Dispatch(effSetProgram, 0, static_cast<VstIntPtr>(std::lround(point.value * 15)));
        }
        for (const Point& point : block.points) // the last value of each parameter reaches VST 2
            if (point.id != kProgramChangeId)
                reference.effect->setParameter(reference.effect, static_cast<VstInt32>(point.id),
                                               static_cast<float>(point.value));
        float* in[] = {const_cast<float*>(left.data()) + at, const_cast<float*>(right.data()) + at};
        float* o3[] = {out3.data(), out3.data() + kMaxBlock};
        float* o2[] = {out2.data(), out2.data() + kMaxBlock};
        ASSERT_EQ(plugin.Process(in, o3, block.frames, &changes), kResultOk);
        reference.effect->processReplacing(reference.effect, in, o2, block.frames);
        for (int f = 0; f < block.frames; ++f) {
            const size_t k = 2 * static_cast<size_t>(at + f);
            vst3Out[k] = o3[0][f], vst3Out[k + 1] = o3[1][f];
            vst2Out[k] = o2[0][f], vst2Out[k + 1] = o2[1][f];
        }
        at += block.frames;
    }
}

TEST_F(Vst3Bundle, PlainValuesBecomeTheNormalisedValuesVstrenderAndTheOtherFormatsGiveThem)
{
    // (value - minimum) / range in single precision: a host handing plain values (Ardour) renders
    // what vstrender, CLAP and LV2 render for the same real values, as VST 2 does for that value.
    Instance plugin(*module);
    ASSERT_TRUE(plugin.Valid());
    const struct {
        ParamID id;
        float plain, minimum, maximum;
    } values[] = {{6, 0.8f, 0.0f, 20.0f}, {4, 0.03f, 0.0f, 30.0f}, {1, -6.7f, -20.0f, 20.0f}, {5, 33.3f, 0.0f, 100.0f}};
    std::vector<Block> blocks = {{512, {}}, {1024, {}}};
    for (const auto& v : values) {
        const double normalised = plugin.controller->plainParamToNormalized(v.id, static_cast<double>(v.plain));
        EXPECT_EQ(static_cast<float>(normalised), (v.plain - v.minimum) / (v.maximum - v.minimum)) << v.id;
        blocks[0].points.push_back({v.id, 0, normalised});
    }
    std::vector<float> vst3Out, vst2Out;
    RenderBoth(*module, *vst2, blocks, vst3Out, vst2Out);
    EXPECT_EQ(vst3Out, vst2Out);
}

TEST_F(Vst3Bundle, RendersTheSameBitsAsTheVst2BinaryWithAutomationInsideBlocks)
{
    const std::vector<Block> blocks = {
        {512, {{kProgramChangeId, 0, 1 / 15.0}}},
        {0, {{3, 0, 1.0}}}, // a block of 0 frames carries a change only
        {1, {}},
        {157, {{5, 0, 0.2}, {5, 40, 0.6}, {5, 150, 0.9}}}, // points inside the block: the last is the target
        {4096, {{6, 100, 0.8}, {7, 0, 0.0}, {7, 2000, 0.3}}},
        {300, {{0, 10, 1.0}}},
        {300, {{0, 299, 0.0}, {8, 0, 1.0}}},
        {1000, {{kProgramChangeId, 0, 6 / 15.0}, {2, 500, 0.5}}},
        {2048, {}},
    };
    std::vector<float> vst3Out, vst2Out;
    RenderBoth(*module, *vst2, blocks, vst3Out, vst2Out);
    ASSERT_EQ(vst3Out.size(), vst2Out.size());
    EXPECT_EQ(std::memcmp(vst3Out.data(), vst2Out.data(), vst3Out.size() * sizeof(float)), 0);

    // The automation changed the sound: the same blocks without it render otherwise.
    std::vector<Block> still = blocks;
    for (Block& block : still)
        block.points.clear();
    std::vector<float> stillOut, unused;
    RenderBoth(*module, *vst2, still, stillOut, unused);
    EXPECT_NE(std::memcmp(vst3Out.data(), stillOut.data(), vst3Out.size() * sizeof(float)), 0);
}

TEST_F(Vst3Bundle, EveryOrderOfSetupActivationAndProcessingHostsUseGivesSoundOutput)
{
    // Each host call sequence before and between blocks; "p" processes a block of 256 frames.
    const struct
    {
        const char* name;
        const char* calls;
    } orders[] = {
        {"process straight after creation", "p"},
        {"setup, process without activation", "sp"},
        {"activate before setup", "aspP"},
        {"processing on before activation", "sPap"},
        {"deactivate and reactivate between blocks", "saPpdap"},
        {"setup again while active", "saPpsp"},
        {"processing off, on again", "saPpQPp"},
        {"terminate and initialize again", "saPpdQtisaPp"},
    };
    const std::vector<float> signal = Signal(256, 9);
    for (const auto& order : orders) {
        Instance plugin(*module);
        ASSERT_TRUE(plugin.Valid());
        float out[2][256];
        float* in[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
        float* outputs[] = {out[0], out[1]};
        bool sound = true;
        for (const char* call = order.calls; *call; ++call) {
            ProcessSetup setup{0, kSample32, 256, kRate};
            switch (*call) {
            case 's': EXPECT_EQ(plugin.processor->setupProcessing(setup), kResultOk) << order.name; break;
            case 'a': plugin.component->setActive(1); break;
            case 'd': plugin.component->setActive(0); break;
            case 'P': plugin.processor->setProcessing(1); break;
            case 'Q': plugin.processor->setProcessing(0); break;
            case 't': plugin.component->terminate(); break;
            case 'i': plugin.component->initialize(nullptr); break;
            default:
                std::fill(out[0], out[0] + 256, NAN);
                std::fill(out[1], out[1] + 256, NAN);
                EXPECT_EQ(plugin.Process(in, outputs, 256), kResultOk) << order.name;
                for (int f = 0; f < 256; ++f)
                    sound = sound && std::isfinite(out[0][f]) && std::isfinite(out[1][f]) && std::fabs(out[0][f]) < 10.0f;
            }
        }
        EXPECT_TRUE(sound) << order.name;
    }
}

TEST_F(Vst3Bundle, AbsurdValuesFromTheHostKeepTheOutputFiniteAndTheValuesWithinRange)
{
    const double absurd[] = {std::nan(""), INFINITY, -INFINITY, -1.0, 2.0, 1e30, -1e300, 4.9e-324};
    Instance plugin(*module);
    ASSERT_TRUE(plugin.Valid());
    plugin.Start(kRate, 64);
    const std::vector<float> signal = Signal(64, 5);
    float out[2][64];
    float* in[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
    float* outputs[] = {out[0], out[1]};
    CParameterChanges changes;
    const ParamID ids[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, kProgramChangeId, 9, 12345};
    for (ParamID id : ids)
        for (double value : absurd) {
            const double before = plugin.controller->getParamNormalized(id);
            plugin.controller->setParamNormalized(id, value);
            const double after = plugin.controller->getParamNormalized(id);
            EXPECT_TRUE(after >= 0.0 && after <= 1.0) << id << " set to " << value << " reads " << after;
            if (std::isnan(value)) {
                EXPECT_EQ(after, before) << id; // a non-number changes nothing
            }
            changes.Clear();
            changes.Add(id, 0, value);
            ASSERT_EQ(plugin.Process(in, outputs, 64, &changes), kResultOk);
            for (int f = 0; f < 64; ++f)
                ASSERT_TRUE(std::isfinite(out[0][f]) && std::isfinite(out[1][f])) << id << " at " << value;
            String128 text = {};
            plugin.controller->getParamStringByValue(id, value, text);
        }
}

TEST_F(Vst3Bundle, BlocksWithoutTheInputBusRenderWhatSilentInputDoes)
{
    auto render = [](bool withInput) {
        Instance plugin(*module);
        plugin.Start(kRate, 512);
        std::vector<float> silence(512, 0.0f), out(2 * 512, 9.0f);
        const std::vector<float> signal = Signal(512, 6);
        float* sound[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
        float* quiet[] = {silence.data(), silence.data()};
        float* outputs[] = {out.data(), out.data() + 512};
        plugin.Process(sound, outputs, 512); // a tail to hear
        AudioBusBuffers input{}, output{};
        input.numChannels = 2;
        input.channelBuffers32 = quiet;
        output.numChannels = 2;
        output.channelBuffers32 = outputs;
        ProcessData data{};
        data.symbolicSampleSize = kSample32;
        data.numSamples = 512;
        data.numInputs = withInput ? 1 : 0;
        data.numOutputs = 1;
        data.inputs = withInput ? &input : nullptr;
        data.outputs = &output;
        EXPECT_EQ(plugin.processor->process(data), kResultOk);
        return out;
    };
    const std::vector<float> without = render(false);
    EXPECT_EQ(without, render(true));
    EXPECT_NE(without, std::vector<float>(2 * 512, 0.0f)); // the chorus's tail
}

// The host's UI loop as the plug-in meets it: on Linux the run loop its context answers, turned
// here by hand; on Windows this thread's message queue.
#if defined(_WIN32)
using UiLoopBase = FUnknown;
#else
using UiLoopBase = IRunLoop;
#endif
class CUiLoop final : public UiLoopBase
{
public:
    tresult VST3_CALL queryInterface(const TUID iid, void** object) override
    {
        *object = nullptr;
#if !defined(_WIN32)
        if (SameUid(iid, kRunLoopIid))
            *object = static_cast<IRunLoop*>(this);
#else
        (void)iid;
#endif
        return *object ? kResultOk : kNoInterface;
    }
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
#if !defined(_WIN32)
    tresult VST3_CALL registerEventHandler(IEventHandler*, int) override { return kResultFalse; }
    tresult VST3_CALL unregisterEventHandler(IEventHandler*) override { return kResultOk; }
    tresult VST3_CALL registerTimer(ITimerHandler* handler, uint64_t) override
    {
        timers.push_back(handler);
        return kResultOk;
    }
    tresult VST3_CALL unregisterTimer(ITimerHandler* handler) override
    {
        timers.erase(std::remove(timers.begin(), timers.end(), handler), timers.end());
        return kResultOk;
    }
    std::vector<ITimerHandler*> timers;
#endif
    // One turn: every timer due fires.
    void Turn()
    {
#if defined(_WIN32)
        const DWORD end = GetTickCount() + 100;
        MSG message;
        while (GetTickCount() < end) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(5);
        }
#else
        for (ITimerHandler* timer : std::vector<ITimerHandler*>(timers))
            timer->onTimer();
#endif
    }
};

TEST_F(Vst3Bundle, ProgramChangesReachTheHostAsOneValuesChangedRestartFromItsUiLoopNeverInsideItsCall)
{
    // The host's loop and handler outlive the plug-in, which holds both until terminate.
    CUiLoop loop;
    CRecordingHandler handler;
    Instance plugin(*module);
    ASSERT_EQ(plugin.component->initialize(&loop), kResultOk);
    plugin.controller->setComponentHandler(&handler);
    ProcessSetup setup{0, kSample32, 512, kRate};
    plugin.processor->setupProcessing(setup);
    plugin.component->setActive(1);

    // A program chosen through the controller, as Ardour does under its locks: nothing until the
    // loop turns, then the published kParamValuesChanged (4; 1 would reload the plug-in).
    ASSERT_EQ(plugin.controller->setParamNormalized(kProgramChangeId, 3.0 / 15), kResultOk);
    EXPECT_TRUE(handler.calls.empty());
    loop.Turn();
    EXPECT_EQ(handler.calls, std::vector<std::string>{"restart 4"});
    loop.Turn();
    EXPECT_EQ(handler.calls.size(), 1u);

    // A program change automated in a block, on the audio thread.
    std::vector<float> in(512, 0.1f), out(1024);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {out.data(), out.data() + 512};
    CParameterChanges changes;
    changes.Add(kProgramChangeId, 0, 5.0 / 15);
    ASSERT_EQ(plugin.Process(inputs, outputs, 512, &changes), kResultOk);
    EXPECT_EQ(handler.calls.size(), 1u);
    loop.Turn();
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"restart 4", "restart 4"}));

    // One value is no program: the host knows what it set.
    plugin.controller->setParamNormalized(3, 0.5);
    loop.Turn();
    EXPECT_EQ(handler.calls.size(), 2u);
    plugin.controller->setComponentHandler(nullptr);
}

TEST_F(Vst3Bundle, TheProcessorReadsNoFieldOfTheProcessContext)
{
    Instance plugin(*module);
    IProcessContextRequirements* requirements = nullptr;
    ASSERT_EQ(plugin.component->queryInterface(kProcessContextRequirementsIid.bytes,
                                               reinterpret_cast<void**>(&requirements)),
              kResultOk);
    ASSERT_NE(requirements, nullptr);
    EXPECT_EQ(requirements->getProcessContextRequirements(), 0u);
    requirements->release();
}

TEST_F(Vst3Bundle, SilentOutputsAreFlaggedAndFlaggedSilentInputPastTheTailIsNotProcessed)
{
    Instance plugin(*module);
    plugin.Start(kRate, 512);
    const std::vector<float> signal = Signal(512, 8);
    std::vector<float> garbage(512, NAN), out(1024, 9.0f);
    float* sound[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
    float* outputs[] = {out.data(), out.data() + 512};
    auto block = [&](float** inputs, uint64_t inputFlags) {
        AudioBusBuffers input{}, output{};
        input.numChannels = output.numChannels = 2;
        input.channelBuffers32 = inputs;
        input.silenceFlags = inputFlags;
        output.channelBuffers32 = outputs;
        output.silenceFlags = 0x55;
        ProcessData data{};
        data.symbolicSampleSize = kSample32;
        data.numSamples = 512;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &input;
        data.outputs = &output;
        EXPECT_EQ(plugin.processor->process(data), kResultOk);
        return output.silenceFlags;
    };
    EXPECT_EQ(block(sound, 0), 0u);
    // Input flagged silent whose buffers hold garbage: processed while the tail rings (the
    // output is not silent), then skipped, so the garbage is never read.
    std::vector<float> zeros(512, 0.0f);
    float* quiet[] = {zeros.data(), zeros.data()};
    const uint32_t tail = plugin.processor->getTailSamples();
    int ringing = 0;
    for (uint32_t heard = 0; heard < tail; heard += 512)
        ringing += block(quiet, 3) != 3u ? 1 : 0; // a channel still sounds
    EXPECT_GT(ringing, 0) << tail;
    float* junk[] = {garbage.data(), garbage.data()};
    EXPECT_EQ(block(junk, 3), 3u);
    EXPECT_EQ(out, std::vector<float>(1024, 0.0f));
    // Unflagged silence still comes out flagged.
    EXPECT_EQ(block(quiet, 0), 3u);
    EXPECT_EQ(block(sound, 0), 0u);
}

TEST_F(Vst3Bundle, TheTailIsWhatTheCurrentSettingsRing)
{
    auto ring = [](Instance& plugin) {
        std::vector<float> input = Signal(4096, 9);
        input.resize(4096 + 16384, 0.0f);
        std::vector<float> out(2 * 512);
        size_t last = 4095;
        for (size_t f = 0; f < input.size(); f += 512) {
            float* in[] = {&input[f], &input[f]};
            float* outputs[] = {out.data(), out.data() + 512};
            plugin.Process(in, outputs, 512);
            for (size_t k = 0; k < 512; ++k)
                if (out[k] != 0.0f)
                    last = f + k;
        }
        return static_cast<uint32_t>(last - 4095);
    };
    Instance plugin(*module);
    plugin.Start(kRate, 512);
    EXPECT_EQ(plugin.processor->getTailSamples(), 1633u); // 20 ms swept by 70 % at 48 kHz, and two frames
    plugin.controller->setParamNormalized(4, 1.0);              // 30 ms unswept: 1440 frames
    plugin.controller->setParamNormalized(5, 0.0);
    const uint32_t unswept = ring(plugin);
    EXPECT_GE(plugin.processor->getTailSamples(), unswept);
    EXPECT_LE(plugin.processor->getTailSamples(), unswept + 2);
    plugin.controller->setParamNormalized(kProgramChangeId, 5.0 / 15); // De-pitch: up to 171 ms
    const uint32_t rung = ring(plugin);
    EXPECT_GT(rung, 4096u); // beyond VST 2's answer
    EXPECT_GE(plugin.processor->getTailSamples(), rung);
}

TEST_F(Vst3Bundle, BlocksLargerThanAnnouncedRenderWhatTheSameBlocksAnnouncedDo)
{
    auto render = [](int announced) {
        Instance plugin(*module);
        plugin.Start(kRate, announced);
        const std::vector<float> signal = Signal(8192, 4);
        std::vector<float> out(2 * 8192);
        float* in[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
        float* outputs[] = {out.data(), out.data() + 8192};
        plugin.Process(in, outputs, 8192);
        return out;
    };
    EXPECT_EQ(render(64), render(8192));
}

TEST_F(Vst3Bundle, FiveHundredCreateAndDestroyCyclesLeaveNoHeapBehind)
{
    constexpr int kCycles = 500;
    auto cycle = [] {
        Instance plugin(*module);
        if (!plugin.Valid())
            return false;
        plugin.Start(44100.0, 64);
        float in[2][64] = {}, out[2][64] = {};
        float* inputs[] = {in[0], in[1]};
        float* outputs[] = {out[0], out[1]};
        plugin.Process(inputs, outputs, 64);
        CMemoryStream state;
        plugin.component->getState(&state);
        plugin.processor->setProcessing(0);
        plugin.component->setActive(0);
        return true;
    };
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(cycle());
    const int64_t before = HeapBytesInUse();
    for (int i = 0; i < kCycles; ++i)
        ASSERT_TRUE(cycle());
    const int64_t after = HeapBytesInUse();
    if (before < 0 || after < 0)
        GTEST_SKIP() << "no heap count on this platform";
    EXPECT_LT(after - before, 8 * kCycles) << "heap grew by " << after - before << " bytes";
}

TEST_F(Vst3Bundle, ValuesAndProgramsSetFromOtherThreadsWhileProcessingKeepTheOutputFinite)
{
    Instance plugin(*module);
    ASSERT_TRUE(plugin.Valid());
    plugin.Start(44100.0, 32);
    std::atomic<bool> running{true};
    auto hostThread = [&](uint32_t seed) {
        uint32_t state = seed;
        while (running.load()) {
            state = state * 1664525u + 1013904223u;
            const double value = static_cast<double>(state >> 8) / 16777216.0;
            if (state % 11 == 0)
                plugin.controller->setParamNormalized(kProgramChangeId, value);
            else
                plugin.controller->setParamNormalized(static_cast<ParamID>(state % 9), value);
            plugin.controller->getParamNormalized(static_cast<ParamID>((state >> 4) % 9));
        }
    };
    std::thread first(hostThread, 1u), second(hostThread, 2u);
    const std::vector<float> signal = Signal(32, 3);
    float out[2][32] = {};
    float* in[] = {const_cast<float*>(signal.data()), const_cast<float*>(signal.data())};
    float* outputs[] = {out[0], out[1]};
    bool finite = true;
    CParameterChanges changes;
    for (int block = 0; block < 4000; ++block) {
        changes.Clear();
        changes.Add(static_cast<ParamID>(1 + block % 8), 31, (block % 13) / 12.0);
        plugin.Process(in, outputs, 32, &changes);
        for (int f = 0; f < 32; ++f)
            finite = finite && std::isfinite(out[0][f]) && std::isfinite(out[1][f]);
    }
    running = false;
    first.join();
    second.join();
    EXPECT_TRUE(finite);
    for (ParamID id = 0; id < 9; ++id) {
        const double value = plugin.controller->getParamNormalized(id);
        EXPECT_TRUE(value >= 0.0 && value <= 1.0) << id << ": " << value;
    }
}

#if defined(_WIN32)
int CountChildren(HWND parent)
{
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

TEST_F(Vst3Bundle, TheEditorViewKnowsItsSizeAttachesAndDetachesAndClosesWithThePlugin)
{
    testing_support::CHostWindow window(800, 400);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    auto plugin = std::make_unique<Instance>(*module);
    ASSERT_TRUE(plugin->Valid());
    IPlugView* view = plugin->controller->createView("editor");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(plugin->controller->createView("editor"), nullptr); // one window object, one view
    EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported("X11EmbedWindowID"), kResultFalse);
    EXPECT_NE(view->attached(window.Get(), "X11EmbedWindowID"), kResultOk);
    ViewRect before{};
    ASSERT_EQ(view->getSize(&before), kResultOk);
    EXPECT_GT(before.right - before.left, 300);
    EXPECT_GT(before.bottom - before.top, 100);
    EXPECT_EQ(CountChildren(window.Get()), 0); // measuring left no window in the host's

    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_EQ(view->attached(window.Get(), "HWND"), kResultOk) << cycle;
        EXPECT_EQ(CountChildren(window.Get()), 1);
        ViewRect after{};
        ASSERT_EQ(view->getSize(&after), kResultOk);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
        testing_support::PumpMessages();
        ASSERT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(CountChildren(window.Get()), 0);
    }
    // Released with the view attached: the window goes with the plug-in, the view stays harmless.
    ASSERT_EQ(view->attached(window.Get(), "HWND"), kResultOk);
    plugin.reset();
    EXPECT_EQ(CountChildren(window.Get()), 0);
    view->removed();
    ViewRect late{};
    view->getSize(&late);
    view->release();
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
}
#else
TEST_F(Vst3Bundle, AViewIsOfferedOnlyForTheX11EmbedWindowWhereTheBuildHasAnEditor)
{
    Instance plugin(*module);
    ASSERT_TRUE(plugin.Valid());
    IPlugView* view = plugin.controller->createView("editor");
    if (!view)
        return; // no editor in this build: hosts show their own parameter view
    EXPECT_EQ(view->isPlatformTypeSupported("X11EmbedWindowID"), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultFalse);
    view->release();
}
#endif

} // namespace
