#include "LadspaSubject.h"

#include "BenchError.h"

#include <cstdio>

namespace {

std::string peerSettings(const LadspaPeer& peer)
{
    std::string text = peer.instances > 1 ? std::to_string(peer.instances) + " mono instances: " : "";
    for (const LadspaControl& control : peer.controls) {
        char value[32];
        std::snprintf(value, sizeof value, "%g", static_cast<double>(control.value));
        text += (&control == &peer.controls.front() ? "" : ", ") + control.port + " = " + value;
    }
    return text;
}

const char* kindName(LADSPA_PortDescriptor kind)
{
    return LADSPA_IS_PORT_AUDIO(kind) ? (LADSPA_IS_PORT_INPUT(kind) ? "an audio input" : "an audio output")
                                      : "a control input";
}

} // namespace

LadspaSubject::LadspaSubject(const LadspaPeer& peer)
    : BenchSubject(peer.name, peerSettings(peer)), library_(openLadspaLibraryWith(peer.labelOrName, peer.package)),
      descriptor_(library_->find(peer.labelOrName))
{
    if (static_cast<int>(peer.inputPorts.size() * peer.instances) != kBenchChannels ||
        static_cast<int>(peer.outputPorts.size() * peer.instances) != kBenchChannels)
        throw BenchError(peer.name + ": the audio ports of all instances must make two channels");
    for (const std::string& port : peer.inputPorts)
        inputPorts_.push_back(portIndex(port, LADSPA_PORT_INPUT | LADSPA_PORT_AUDIO));
    for (const std::string& port : peer.outputPorts)
        outputPorts_.push_back(portIndex(port, LADSPA_PORT_OUTPUT | LADSPA_PORT_AUDIO));

    controls_.assign(descriptor_->PortCount, 0.0f);
    std::vector<bool> given(descriptor_->PortCount, false);
    for (const LadspaControl& control : peer.controls) {
        const unsigned long port = portIndex(control.port, LADSPA_PORT_INPUT | LADSPA_PORT_CONTROL);
        const LADSPA_PortRangeHint& hint = descriptor_->PortRangeHints[port];
        const float scale = LADSPA_IS_HINT_SAMPLE_RATE(hint.HintDescriptor) ? static_cast<float>(kBenchSampleRate) : 1.0f;
        if ((LADSPA_IS_HINT_BOUNDED_BELOW(hint.HintDescriptor) && control.value < hint.LowerBound * scale) ||
            (LADSPA_IS_HINT_BOUNDED_ABOVE(hint.HintDescriptor) && control.value > hint.UpperBound * scale))
            throw BenchError(peer.name + ": \"" + control.port + "\" is set outside the range the plug-in declares");
        controls_[port] = control.value;
        given[port] = true;
    }
    for (unsigned long port = 0; port < descriptor_->PortCount; ++port) {
        const LADSPA_PortDescriptor kind = descriptor_->PortDescriptors[port];
        if (LADSPA_IS_PORT_CONTROL(kind) && LADSPA_IS_PORT_INPUT(kind) && !given[port])
            throw BenchError(peer.name + ": control \"" + descriptor_->PortNames[port] +
                             "\" has no value in the bench's settings");
    }

    for (int i = 0; i < peer.instances; ++i) {
        LADSPA_Handle instance = descriptor_->instantiate(descriptor_, static_cast<unsigned long>(kBenchSampleRate));
        if (instance == nullptr) {
            releaseInstances(); // the destructor does not run for a constructor that throws
            throw BenchError(peer.name + ": the plug-in refused to instantiate at 44100 Hz");
        }
        instances_.push_back(instance);
        for (unsigned long port = 0; port < descriptor_->PortCount; ++port)
            if (LADSPA_IS_PORT_CONTROL(descriptor_->PortDescriptors[port]))
                descriptor_->connect_port(instance, port, &controls_[port]);
        if (descriptor_->activate != nullptr)
            descriptor_->activate(instance);
    }
}

LadspaSubject::~LadspaSubject()
{
    releaseInstances();
}

void LadspaSubject::releaseInstances()
{
    for (LADSPA_Handle instance : instances_) {
        if (descriptor_->deactivate != nullptr)
            descriptor_->deactivate(instance);
        descriptor_->cleanup(instance);
    }
    instances_.clear();
}

unsigned long LadspaSubject::portIndex(const std::string& port, LADSPA_PortDescriptor kind) const
{
    for (unsigned long i = 0; i < descriptor_->PortCount; ++i)
        if (port == descriptor_->PortNames[i]) {
            if ((descriptor_->PortDescriptors[i] & kind) != kind)
                throw BenchError(name() + ": port \"" + port + "\" is not " + kindName(kind));
            return i;
        }
    std::string known;
    for (unsigned long i = 0; i < descriptor_->PortCount; ++i)
        known += std::string(i == 0 ? "" : ", ") + "\"" + descriptor_->PortNames[i] + "\"";
    throw BenchError(name() + " (" + library_->path() + ") has no port \"" + port + "\"; its ports are " + known);
}

void LadspaSubject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    // Hosts connect audio ports before each run; the inputs are only read.
    int channel = 0;
    for (LADSPA_Handle instance : instances_) {
        const int first = channel;
        for (unsigned long port : inputPorts_)
            descriptor_->connect_port(instance, port, const_cast<LADSPA_Data*>(inputs[channel++]));
        channel = first;
        for (unsigned long port : outputPorts_)
            descriptor_->connect_port(instance, port, outputs[channel++]);
        descriptor_->run(instance, static_cast<unsigned long>(frames));
    }
}
