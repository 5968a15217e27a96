#pragma once
// Our plug-in as a host sees it: the built shared object opened with dlopen, one effect per subject
// from its VSTPluginMain, driven only through the AEffect record (dispatcher, setParameter,
// processReplacing). Timing it this way includes the adapter, as in any host.
#include "BenchSubject.h"
#include "VstInterface.h"

#include <string>

// The opened plug-in binary. Stays open as long as any effect made from it.
class VstLibrary
{
public:
    explicit VstLibrary(const std::string& path); // throws BenchError
    ~VstLibrary();
    VstLibrary(const VstLibrary&) = delete;
    VstLibrary& operator=(const VstLibrary&) = delete;

    const std::string& path() const { return path_; }
    // A new effect, or BenchError when the entry point gives none.
    AEffect* createEffect() const;

private:
    std::string path_;
    void* handle_ = nullptr;
    VstPluginMainProc entry_ = nullptr;
};

class VstSubject : public BenchSubject
{
public:
    // Opens an effect (effOpen, 44100 Hz, blocks of up to 4096 frames) but does not start it yet, so that a
    // program can be chosen first.
    VstSubject(const VstLibrary& library, std::string name);
    ~VstSubject() override;

    // Host parameter index of the parameter with this name; BenchError when there is none.
    int parameterIndex(const std::string& parameterName) const;
    // Normalised value as the host reads it.
    float parameter(int index) const;
    // Selects the program with this name; BenchError when there is none.
    void selectProgram(const std::string& programName);
    // Before every block, sets the parameter to a and b in turn, as a host automating it would.
    void alternateParameterEveryBlock(int index, float a, float b);
    // effMainsChanged 1: from here on the effect processes. The settings the table shows are read
    // from the effect here, as the host displays them, followed by the note given.
    void start(const std::string& note = "");

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;
    void automate(int index, double normalised) override;

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    std::string text(VstInt32 opcode, VstInt32 index) const;

    AEffect* effect_;
    bool running_ = false;
    int rampIndex_ = -1;
    float rampValues_[2] = {0.0f, 0.0f};
    int rampTurn_ = 0;
};
