#pragma once
// An LV2 plug-in (ours, or a peer) as an LV2 host runs it: the bundle's Turtle read for the binary
// and the ports, the descriptor found by URI through lv2_descriptor, every control input connected
// to its default or to the value given for its symbol, optional event ports left unconnected, the
// audio ports connected to the host's buffers before each run.
#include "BenchSubject.h"
#include "Lv2Bundle.h"
#include "SharedLibrary.h"

#include <lv2/core/lv2.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Control input values by port symbol, in place of the bundle's defaults.
using Lv2Controls = std::vector<std::pair<std::string, float>>;

class Lv2Subject : public BenchSubject
{
public:
    // Instantiated at 44100 Hz and activated. BenchError when the bundle, the binary, the URI or
    // a port's default is missing, a given symbol names no control input, or the plug-in requires
    // a feature this host does not offer.
    Lv2Subject(const std::string& bundle, const std::string& uri, std::string name, const Lv2Controls& given = {});
    ~Lv2Subject() override;

    const std::string& binaryPath() const { return library_->path(); }

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;
    void automate(int index, double normalised) override;

private:
    std::unique_ptr<SharedLibrary> library_;
    const LV2_Descriptor* descriptor_ = nullptr;
    LV2_Handle instance_ = nullptr;
    std::vector<float> controls_; // by port index; audio ports' entries unused
    struct ControlInput
    {
        uint32_t port;
        float minimum, maximum;
    };
    std::vector<ControlInput> controlInputs_; // in port order
    uint32_t audioIn_[kBenchChannels] = {};
    uint32_t audioOut_[kBenchChannels] = {};
};
