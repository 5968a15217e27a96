#pragma once
// One instance of the plug-in under test, seen from the host's side: the record, the calls a host
// makes, and stereo buffers to process with.
#include "VstInterface.h"
#include <atomic>
#include <memory>
#include <string>
#include <vector>

// What the host callback saw, for every instance of the run.
struct SHostLog
{
    std::atomic<int> automations{0};
    std::atomic<int> versionQueries{0};
    std::atomic<int> otherCalls{0};
};
SHostLog& HostLog();
VstIntPtr ValidatorHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt);

class CPluginInstance
{
public:
    explicit CPluginInstance(VstPluginMainProc entry);
    ~CPluginInstance();
    CPluginInstance(const CPluginInstance&) = delete;
    CPluginInstance& operator=(const CPluginInstance&) = delete;

    bool IsValid() const { return m_effect != nullptr; }
    AEffect* Effect() const { return m_effect; }
    bool IsClosed() const { return m_effect == nullptr; }

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // effOpen, sample rate, block size and effMainsChanged(1): what every host does first.
    void Start(float sampleRate = 44100.0f, VstInt32 blockSize = 512);
    void Close(); // effClose; the record is gone afterwards

    void SetParameter(VstInt32 index, float value) { m_effect->setParameter(m_effect, index, value); }
    float GetParameter(VstInt32 index) { return m_effect->getParameter(m_effect, index); }
    int ParameterCount() const { return m_effect ? m_effect->numParams : 0; }
    int ProgramCount() const { return m_effect ? m_effect->numPrograms : 0; }

    // Runs processReplacing (or the accumulating process) over the given channel pointers.
    void ProcessReplacing(float** inputs, float** outputs, VstInt32 frames);
    void ProcessAccumulating(float** inputs, float** outputs, VstInt32 frames);

private:
    AEffect* m_effect = nullptr;
};

// Non-interleaved audio for as many channels as the plug-in declares.
class CChannelBuffers
{
public:
    CChannelBuffers(int channels, int frames, float fill = 0.0f);
    // The pointers point into this object's storage: a copy would share them.
    CChannelBuffers(const CChannelBuffers&) = delete;
    CChannelBuffers& operator=(const CChannelBuffers&) = delete;
    float** Pointers() { return m_pointers.data(); }
    float* Channel(int c) { return m_pointers[static_cast<size_t>(c)]; }
    int Channels() const { return static_cast<int>(m_pointers.size()); }
    int Frames() const { return m_frames; }
    void Fill(float value);
    bool AllFinite() const;

private:
    int m_frames;
    std::vector<std::vector<float>> m_storage;
    std::vector<float*> m_pointers;
};
