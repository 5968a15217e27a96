#pragma once
// Our plug-in as a CLAP host runs it: clap_entry's init, the plug-in factory's first plug-in
// created for a host record and initialised, activated at 44100 Hz for blocks of up to 4096 frames,
// processing started on the (bench's) audio thread, then process() with the host's empty input
// event list and an output list on every block.
#include "BenchSubject.h"
#include "ClapHost.h"
#include "SharedLibrary.h"

#include <memory>
#include <string>

class ClapSubject : public BenchSubject
{
public:
    // Ready to process at its defaults. BenchError when the entry, factory or plug-in is missing,
    // or it refuses to start.
    ClapSubject(const std::string& path, std::string name);
    ~ClapSubject() override;

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;
    // As a value event at the next block's first frame.
    void automate(int index, double normalised) override;

private:
    std::string parameterSettings() const;
    void release();

    std::unique_ptr<SharedLibrary> library_;
    const clap::Entry* entry_ = nullptr;
    STestHost host_;
    const clap::Plugin* plugin_ = nullptr;
    bool active_ = false;
    bool processing_ = false;
    CInputEvents inputEvents_;
    COutputEvents outputEvents_;
};
