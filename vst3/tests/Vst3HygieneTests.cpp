// The VST 3 audio thread's manners, watched by the validator's probes: process, with the
// parameter changes and program changes it applies, must not allocate, lock or call the system
// (Linux: the probe's malloc and lock hooks and a seccomp trap; Windows: counting thunks on
// every import of the plug-in module).
#include "AudioThreadProbe.h"
#include "Vst3HostObjects.h"
#include <gtest/gtest.h>
#include <cctype>
#include <functional>
#include <string>

using namespace Vst3;

namespace {

constexpr ParamID kProgramChangeId = 0x10000;
constexpr int kMaxFrames = 512;
constexpr int kBlockSizes[] = {512, 32, 1, 0, 511, 64};

// What the host does before each block: fills the block's parameter changes.
using BlockChanges = std::function<void(CParameterChanges&, int step)>;

struct Case
{
    const char* name;
    BlockChanges changes;
};

class Vst3Hygiene : public ::testing::TestWithParam<Case>
{
};

TEST_P(Vst3Hygiene, ProcessingNeitherAllocatesNorLocksNorCallsTheSystem)
{
    CVst3Module module(VST3_PATH);
    ASSERT_TRUE(module.Error().empty()) << module.Error();
    auto* component = static_cast<IComponent*>(module.Create(kComponentIid));
    ASSERT_NE(component, nullptr);
    IAudioProcessor* processor = nullptr;
    ASSERT_EQ(component->queryInterface(kAudioProcessorIid.bytes, reinterpret_cast<void**>(&processor)), kResultOk);
    component->initialize(nullptr);
    ProcessSetup setup{0, kSample32, kMaxFrames, 44100.0};
    processor->setupProcessing(setup);
    component->setActive(1);
    processor->setProcessing(1);

    CAudioThreadProbe probe(module.Factory());
    if (!probe.Unavailable().empty()) {
        processor->release();
        component->release();
        GTEST_SKIP() << probe.Unavailable();
    }
    static float in[2][kMaxFrames], out[2][kMaxFrames];
    for (float& sample : in[0])
        sample = 0.25f;
    float* inputs[] = {in[0], in[1]};
    float* outputs[] = {out[0], out[1]};
    AudioBusBuffers input{}, output{};
    input.numChannels = output.numChannels = 2;
    input.channelBuffers32 = inputs;
    output.channelBuffers32 = outputs;
    CParameterChanges changes;
    ProcessData data{};
    data.symbolicSampleSize = kSample32;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &input;
    data.outputs = &output;
    data.inputParameterChanges = &changes;
    const BlockChanges& fill = GetParam().changes;
    probe.RunOnAudioThread([&] {
        int step = 0;
        for (int frames : kBlockSizes)
            for (int block = 0; block < 200; ++block, ++step) {
                changes.Clear();
                fill(changes, step);
                data.numSamples = frames;
                CProbedCall watched;
                processor->process(data);
            }
    });
    for (const std::string& finding : probe.Findings())
        ADD_FAILURE() << "called inside the plug-in: " << finding;
    processor->setProcessing(0);
    component->setActive(0);
    component->terminate();
    processor->release();
    component->release();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Vst3Hygiene,
    ::testing::Values(
        Case{"automation points inside blocks, so that ramps start and land",
             [](CParameterChanges& changes, int step) {
                 if (step % 2 == 0) {
                     const ParamID id = 1 + static_cast<ParamID>(step / 2) % 8;
                     changes.Add(id, 0, 0.1);
                     changes.Add(id, 17, static_cast<double>((step * 37) % 100) / 99.0);
                 }
             }},
        Case{"in and out of bypass", [](CParameterChanges& changes, int step) {
                 changes.Add(0, 0, step % 7 == 0 ? 0.0 : 1.0);
             }},
        Case{"program changes", [](CParameterChanges& changes, int step) {
                 if (step % 5 == 0)
                     changes.Add(kProgramChangeId, 0, static_cast<double>(step / 5 % 16) / 15.0);
             }}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
