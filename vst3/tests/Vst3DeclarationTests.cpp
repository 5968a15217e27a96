// Our VST 3 declarations against the published values, written here as the SDK writes them: an
// identifier as its four 32-bit words, a constant as its number. A wrong one loads and runs until
// a host meets it (restartComponent with 1 asked hosts to rebuild the plug-in).
#include "Vst3Interface.h"
#include <gtest/gtest.h>
#include <cstddef>
#include <cstring>

using namespace Vst3;

namespace {

// The bytes this platform's hosts compare: Windows keeps the COM GUID order, others the words
// most significant byte first.
std::string PublishedBytes(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    std::string bytes;
    auto put = [&bytes](uint32_t word, int count, bool bigEndian) {
        for (int i = 0; i < count; ++i)
            bytes += static_cast<char>(word >> (8 * (bigEndian ? count - 1 - i : i)));
    };
#if defined(_WIN32)
    put(a, 4, false);
    put(b >> 16, 2, false);
    put(b & 0xFFFF, 2, false);
    put(c, 4, true);
    put(d, 4, true);
#else
    for (uint32_t word : {a, b, c, d})
        put(word, 4, true);
#endif
    return bytes;
}

} // namespace

TEST(Vst3Declarations, InterfaceIdentifiersAreThePublishedOnes)
{
    const struct {
        const char* name;
        const Uid& ours;
        uint32_t a, b, c, d;
    } rows[] = {
        {"FUnknown", kFUnknownIid, 0x00000000, 0x00000000, 0xC0000000, 0x00000046},
        {"IPluginFactory", kPluginFactoryIid, 0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F},
        {"IPluginFactory2", kPluginFactory2Iid, 0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB},
        {"IPluginFactory3", kPluginFactory3Iid, 0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931},
        {"IPluginBase", kPluginBaseIid, 0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625},
        {"IComponent", kComponentIid, 0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802},
        {"IAudioProcessor", kAudioProcessorIid, 0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D},
        {"IEditController", kEditControllerIid, 0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E},
        {"IUnitInfo", kUnitInfoIid, 0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1},
        {"IComponentHandler", kComponentHandlerIid, 0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6},
        {"IBStream", kBStreamIid, 0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B},
        {"IPlugView", kPlugViewIid, 0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29},
        {"IPlugFrame", kPlugFrameIid, 0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3},
        {"Linux::IRunLoop", kRunLoopIid, 0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389},
        {"Linux::ITimerHandler", kTimerHandlerIid, 0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9},
        {"IProcessContextRequirements", kProcessContextRequirementsIid, 0x2A654303, 0xEF764E3D, 0x95B5FE83,
         0x730EF6D0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(std::string(row.ours.bytes, 16), PublishedBytes(row.a, row.b, row.c, row.d)) << row.name;
}

TEST(Vst3Declarations, ConstantsAreThePublishedNumbers)
{
    const struct {
        const char* name;
        long long ours, published;
    } rows[] = {
        {"kParamValuesChanged", IComponentHandler::kParamValuesChanged, 1 << 2},
        {"kCanAutomate", ParameterInfo::kCanAutomate, 1 << 0},
        {"kIsReadOnly", ParameterInfo::kIsReadOnly, 1 << 1},
        {"kIsList", ParameterInfo::kIsList, 1 << 3},
        {"kIsProgramChange", ParameterInfo::kIsProgramChange, 1 << 15},
        {"kIsBypass", ParameterInfo::kIsBypass, 1 << 16},
        {"kAudio", kAudio, 0},
        {"kEvent", kEvent, 1},
        {"kInput", kInput, 0},
        {"kOutput", kOutput, 1},
        {"kMain", kMain, 0},
        {"kAux", kAux, 1},
        {"kDefaultActive", kBusDefaultActive, 1},
        {"kSample32", kSample32, 0},
        {"kSample64", kSample64, 1},
        {"kStereo", static_cast<long long>(kSpeakerStereo), 0x3},
        {"kRootUnitId", kRootUnitId, 0},
        {"kNoParentUnitId", kNoParentUnitId, -1},
        {"kNoProgramListId", kNoProgramListId, -1},
        {"kDistributable", kDistributable, 1},
        {"kManyInstances", PClassInfo::kManyInstances, 0x7FFFFFFF},
        {"kUnicode", PFactoryInfo::kUnicode, 1 << 4},
        {"kResultOk", kResultOk, 0},
        {"kResultTrue", kResultTrue, 0},
        {"kResultFalse", kResultFalse, 1},
#if defined(_WIN32)
        {"kNoInterface", kNoInterface, static_cast<int32_t>(0x80004002)},
        {"kInvalidArgument", kInvalidArgument, static_cast<int32_t>(0x80070057)},
        {"kNotImplemented", kNotImplemented, static_cast<int32_t>(0x80004001)},
        {"kInternalError", kInternalError, static_cast<int32_t>(0x80004005)},
        {"kNotInitialized", kNotInitialized, static_cast<int32_t>(0x8000FFFF)},
        {"kOutOfMemory", kOutOfMemory, static_cast<int32_t>(0x8007000E)},
#else
        {"kNoInterface", kNoInterface, -1},
        {"kInvalidArgument", kInvalidArgument, 2},
        {"kNotImplemented", kNotImplemented, 3},
        {"kInternalError", kInternalError, 4},
        {"kNotInitialized", kNotInitialized, 5},
        {"kOutOfMemory", kOutOfMemory, 6},
#endif
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.ours, row.published) << row.name;
    EXPECT_STREQ(kAudioEffectClass, "Audio Module Class");
}

TEST(Vst3Declarations, StructuresHaveThePublishedLayout)
{
    // Offsets a host and the plug-in must agree on (the structures are packed to 8 on Windows).
    EXPECT_EQ(offsetof(AudioBusBuffers, silenceFlags), 8u);
    EXPECT_EQ(sizeof(AudioBusBuffers), 24u);
    EXPECT_EQ(offsetof(ProcessSetup, sampleRate), 16u);
    EXPECT_EQ(sizeof(ParameterInfo), 792u);
    EXPECT_EQ(offsetof(ParameterInfo, defaultNormalizedValue), 776u);
    EXPECT_EQ(offsetof(ParameterInfo, flags), 788u);
    EXPECT_EQ(offsetof(BusInfo, busType), 268u);
    EXPECT_EQ(sizeof(PClassInfo2), 16u + 4 + 32 + 64 + 4 + 128 + 64 + 64 + 64);
    const size_t firstPointer = sizeof(void*) == 8 ? 24u : 20u; // five 32-bit fields, then pointers
    EXPECT_EQ(offsetof(ProcessData, inputs), firstPointer);
    EXPECT_EQ(offsetof(ProcessData, processContext), firstPointer + 6 * sizeof(void*));
}
