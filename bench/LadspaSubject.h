#pragma once
// A LADSPA chorus as a bench subject: one stereo instance, or one mono instance per channel.
// Ports are found by name, and every input control must be given a value, so the settings the
// table reports are all the settings there are.
#include "BenchSubject.h"
#include "LadspaLibrary.h"

#include <memory>
#include <string>
#include <vector>

struct LadspaControl
{
    std::string port;
    float value;
};

struct LadspaPeer
{
    std::string name;        // in the table
    std::string labelOrName; // of the descriptor
    std::string package;     // Debian package that ships it
    int instances;           // 1 for a stereo plug-in, 2 for a mono one (left, right)
    std::vector<std::string> inputPorts;  // audio inputs of one instance, in channel order
    std::vector<std::string> outputPorts; // audio outputs of one instance, in channel order
    std::vector<LadspaControl> controls;
};

class LadspaSubject : public BenchSubject
{
public:
    explicit LadspaSubject(const LadspaPeer& peer); // throws BenchError
    ~LadspaSubject() override;

    const std::string& libraryPath() const { return library_->path(); }

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;

private:
    void releaseInstances();
    unsigned long portIndex(const std::string& port, LADSPA_PortDescriptor kind) const;

    std::unique_ptr<LadspaLibrary> library_;
    const LADSPA_Descriptor* descriptor_;
    std::vector<LADSPA_Handle> instances_;
    std::vector<unsigned long> inputPorts_;
    std::vector<unsigned long> outputPorts_;
    // Control values by port index, shared by the instances (they run one after the other); output
    // controls land here too and are never read.
    std::vector<LADSPA_Data> controls_;
};
