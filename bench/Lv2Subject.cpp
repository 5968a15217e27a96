#include "Lv2Subject.h"

#include "BenchError.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

using DescriptorFunction = const LV2_Descriptor* (*)(uint32_t index);

std::string number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

} // namespace

Lv2Subject::Lv2Subject(const std::string& bundle, const std::string& uri, std::string name, const Lv2Controls& given)
    : BenchSubject(std::move(name), "")
{
    const Lv2BundleInfo info = readLv2Bundle(bundle, uri);
    if (!info.requiredFeatures.empty())
        throw BenchError("<" + uri + "> requires the feature <" + info.requiredFeatures[0] +
                         ">, which the bench does not provide");

    std::string settings;
    int audioIns = 0;
    int audioOuts = 0;
    controls_.assign(info.ports.size(), 0.0f);
    for (const Lv2PortInfo& port : info.ports) {
        if (port.audio) {
            int& count = port.input ? audioIns : audioOuts;
            if (count == kBenchChannels)
                throw BenchError("<" + uri + "> has more than two audio " + (port.input ? "inputs" : "outputs"));
            (port.input ? audioIn_ : audioOut_)[count++] = port.index;
        } else if (port.input && !port.optional) {
            const auto value = std::find_if(given.begin(), given.end(),
                                            [&](const auto& control) { return control.first == port.symbol; });
            if (value == given.end() && !port.hasDefault)
                throw BenchError("control port \"" + port.symbol + "\" of <" + uri + "> has no lv2:default");
            controls_[port.index] = value == given.end() ? port.defaultValue : value->second;
            controlInputs_.push_back({port.index, port.minimum, port.maximum});
            settings += (settings.empty() ? "" : ", ") + port.name + " " + number(controls_[port.index]);
        }
    }
    for (const auto& control : given)
        if (std::none_of(info.ports.begin(), info.ports.end(), [&](const Lv2PortInfo& port) {
                return port.symbol == control.first && !port.audio && !port.optional && port.input;
            }))
            throw BenchError("<" + uri + "> has no control input \"" + control.first + "\"");
    if (audioIns != kBenchChannels || audioOuts != kBenchChannels)
        throw BenchError("<" + uri + "> is not a stereo effect (" + std::to_string(audioIns) + " audio inputs, " +
                         std::to_string(audioOuts) + " outputs)");
    describe(settings + (given.empty() ? " (the bundle's defaults, on the control ports)" : ""));

    library_ = std::make_unique<SharedLibrary>(info.binaryPath, "build the bundle: target StereoChorus.lv2");
    const auto entry = reinterpret_cast<DescriptorFunction>(library_->symbol("lv2_descriptor"));
    for (uint32_t i = 0; descriptor_ == nullptr; ++i) {
        const LV2_Descriptor* candidate = entry(i);
        if (candidate == nullptr)
            throw BenchError(info.binaryPath + " has no descriptor for <" + uri + ">");
        if (candidate->URI != nullptr && uri == candidate->URI)
            descriptor_ = candidate;
    }

    const LV2_Feature* const features[] = {nullptr};
    const std::string bundlePath = bundle + "/";
    instance_ = descriptor_->instantiate(descriptor_, kBenchSampleRate, bundlePath.c_str(), features);
    if (instance_ == nullptr)
        throw BenchError("<" + uri + "> would not instantiate at " + number(static_cast<float>(kBenchSampleRate)) + " Hz");
    // Control outputs (the latency report) write into their entries too, which nothing reads.
    for (const Lv2PortInfo& port : info.ports)
        if (!port.audio && !port.optional)
            descriptor_->connect_port(instance_, port.index, &controls_[port.index]);
    if (descriptor_->activate != nullptr)
        descriptor_->activate(instance_);
}

Lv2Subject::~Lv2Subject()
{
    if (instance_ == nullptr)
        return;
    if (descriptor_->deactivate != nullptr)
        descriptor_->deactivate(instance_);
    descriptor_->cleanup(instance_);
}

void Lv2Subject::automate(int index, double normalised)
{
    if (index < 0 || index >= static_cast<int>(controlInputs_.size()))
        BenchSubject::automate(index, normalised);
    const ControlInput& control = controlInputs_[static_cast<size_t>(index)];
    controls_[control.port] =
        static_cast<float>(control.minimum + normalised * (static_cast<double>(control.maximum) - control.minimum));
}

void Lv2Subject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    // A host connects the buffers of each cycle before running; an input port's data is only read.
    for (int c = 0; c < kBenchChannels; ++c) {
        descriptor_->connect_port(instance_, audioIn_[c], const_cast<float*>(inputs[c]));
        descriptor_->connect_port(instance_, audioOut_[c], outputs[c]);
    }
    descriptor_->run(instance_, static_cast<uint32_t>(frames));
}
