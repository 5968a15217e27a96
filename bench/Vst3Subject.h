#pragma once
// Our plug-in as a VST 3 host runs it: the module loaded through ModuleEntry and GetPluginFactory,
// the factory's audio class created as a component, initialised, its main stereo buses active,
// set up for 32-bit realtime processing at 44100 Hz and blocks of up to 4096 frames, then process() with
// the host's (empty) parameter change lists on every block.
#include "BenchSubject.h"
#include "Vst3HostObjects.h"

#include <memory>
#include <string>

class Vst3Subject : public BenchSubject
{
public:
    // Ready to process at its defaults. BenchError when the module, the factory or the component
    // is missing, or it refuses the setup.
    Vst3Subject(const std::string& path, std::string name);
    ~Vst3Subject() override;

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;
    // As one point at the block's start in the next block's input parameter changes.
    void automate(int index, double normalised) override;

private:
    std::string parameterSettings() const;
    void release();

    std::string path_;
    std::unique_ptr<CVst3Module> module_;
    Vst3::IComponent* component_ = nullptr;
    Vst3::IAudioProcessor* processor_ = nullptr;
    Vst3::IEditController* controller_ = nullptr; // the component's own, when it is a single object
    bool initialised_ = false;
    bool active_ = false;
    bool processing_ = false;
    CParameterChanges inputChanges_;
    CParameterChanges outputChanges_;
};
