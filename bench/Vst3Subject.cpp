#include "Vst3Subject.h"

#include "BenchError.h"
#include "DisplayText.h"

#include <dlfcn.h>

#include <utility>

using namespace Vst3;

namespace {

constexpr int32_t kRealtime = 0; // ProcessModes

} // namespace

Vst3Subject::Vst3Subject(const std::string& path, std::string name) : BenchSubject(std::move(name), ""), path_(path)
{
    module_ = std::make_unique<CVst3Module>(path);
    if (!module_->Error().empty()) {
        const char* reason = dlerror();
        throw BenchError(path + ": " + module_->Error() + (reason != nullptr ? std::string(": ") + reason : "") +
                         " (build the bundle: target StereoChorusVst3)");
    }
    component_ = static_cast<IComponent*>(module_->Create(kComponentIid));
    if (component_ == nullptr)
        throw BenchError(path + ": the factory's first class gives no component");
    try {
        if (component_->initialize(nullptr) != kResultOk)
            throw BenchError(path + ": the component would not initialise");
        initialised_ = true;
        if (component_->queryInterface(kAudioProcessorIid.bytes, reinterpret_cast<void**>(&processor_)) != kResultOk ||
            processor_ == nullptr)
            throw BenchError(path + ": the component is no audio processor");
        if (component_->queryInterface(kEditControllerIid.bytes, reinterpret_cast<void**>(&controller_)) != kResultOk)
            controller_ = nullptr;

        if (component_->getBusCount(kAudio, kInput) < 1 || component_->getBusCount(kAudio, kOutput) < 1)
            throw BenchError(path + ": the component has no main audio buses");
        SpeakerArrangement in = kSpeakerStereo;
        SpeakerArrangement out = kSpeakerStereo;
        if (processor_->setBusArrangements(&in, 1, &out, 1) != kResultOk)
            throw BenchError(path + ": the component refuses stereo in and out");
        component_->activateBus(kAudio, kInput, 0, 1);
        component_->activateBus(kAudio, kOutput, 0, 1);
        if (processor_->canProcessSampleSize(kSample32) != kResultOk)
            throw BenchError(path + ": the component cannot process 32-bit samples");
        ProcessSetup setup{kRealtime, kSample32, kBenchMaxBlockFrames, kBenchSampleRate};
        if (processor_->setupProcessing(setup) != kResultOk)
            throw BenchError(path + ": the component refuses 44100 Hz and blocks of up to 4096 frames");

        describe(controller_ != nullptr ? parameterSettings() : "as the component starts");
        if (component_->setActive(1) != kResultOk)
            throw BenchError(path + ": the component would not activate");
        active_ = true;
        processor_->setProcessing(1); // optional for a plug-in: the result is advisory
        processing_ = true;
    } catch (...) {
        release();
        throw;
    }
}

Vst3Subject::~Vst3Subject()
{
    release();
}

void Vst3Subject::release()
{
    if (processing_)
        processor_->setProcessing(0);
    if (active_)
        component_->setActive(0);
    processing_ = active_ = false;
    if (controller_ != nullptr)
        controller_->release();
    if (processor_ != nullptr)
        processor_->release();
    if (component_ != nullptr) {
        if (initialised_)
            component_->terminate();
        component_->release();
    }
    controller_ = nullptr;
    processor_ = nullptr;
    component_ = nullptr;
}

// Every parameter as the host shows it: title, display text at the current value, unit.
std::string Vst3Subject::parameterSettings() const
{
    std::string settings;
    const int32_t count = controller_->getParameterCount();
    for (int32_t i = 0; i < count; ++i) {
        ParameterInfo info{};
        if (controller_->getParameterInfo(i, info) != kResultOk)
            continue;
        String128 text = {};
        controller_->getParamStringByValue(info.id, controller_->getParamNormalized(info.id), text);
        const std::string units = Narrow(info.units);
        settings += (settings.empty() ? "" : ", ") + Narrow(info.title) + " " + shortNumber(Narrow(text)) +
                    (units.empty() ? "" : " " + units);
    }
    return settings;
}

void Vst3Subject::automate(int index, double normalised)
{
    inputChanges_.Add(static_cast<ParamID>(index), 0, normalised);
}

void Vst3Subject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    // The interface takes non-const channel pointers; an effect only reads its inputs.
    float* in[kBenchChannels] = {const_cast<float*>(inputs[0]), const_cast<float*>(inputs[1])};
    float* out[kBenchChannels] = {outputs[0], outputs[1]};
    AudioBusBuffers inputBus{};
    inputBus.numChannels = kBenchChannels;
    inputBus.channelBuffers32 = in;
    AudioBusBuffers outputBus{};
    outputBus.numChannels = kBenchChannels;
    outputBus.channelBuffers32 = out;
    outputChanges_.Clear();
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = kSample32;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inputBus;
    data.outputs = &outputBus;
    data.inputParameterChanges = &inputChanges_;
    data.outputParameterChanges = &outputChanges_;
    const tresult result = processor_->process(data);
    inputChanges_.Clear();
    if (result != kResultOk)
        throw BenchError(path_ + ": process() failed");
}
