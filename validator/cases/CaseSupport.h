#pragma once
// What many cases share: a started instance, deterministic noise, rendering with output
// statistics, and text buffers fenced by canary bytes.
#include "ValidatorCase.h"
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Output beyond this, from input within -1..1 and parameters a host may set, is not sound.
constexpr float kSaneBound = 1000.0f;

// White noise in -1..1 from a 32-bit xorshift: the same samples on every platform and build.
class CNoise
{
public:
    explicit CNoise(uint32_t seed = 0x2545F491u) : m_state(seed ? seed : 1u) {}
    float Next();
    void Fill(CChannelBuffers& buffers, float amplitude = 1.0f);

private:
    uint32_t m_state;
};

// A new instance, opened and running at the given rate; null (and a failure) when the entry
// point gives none.
CPluginInstance* StartInstance(CCaseContext& context, float sampleRate = 44100.0f, VstInt32 blockSize = 512);

// Input and output buffers sized for the record's channel counts.
CChannelBuffers InputsFor(const CPluginInstance& plugin, int frames, float fill = 0.0f);
CChannelBuffers OutputsFor(const CPluginInstance& plugin, int frames, float fill = 0.0f);

bool IsDenormal(float x);

struct SSignalStats
{
    bool finite = true;
    float peak = 0.0f;      // largest finite magnitude
    int64_t denormals = 0;  // subnormal samples
    int64_t frames = 0;

    void Add(CChannelBuffers& buffers, int frames);
    bool Sane() const { return finite && peak <= kSaneBound; }
    std::string Describe() const; // "peak 0.93" or "not finite"
};

using BlockFill = std::function<void(CChannelBuffers& inputs, int64_t firstFrame)>;

// Runs `frames` frames through processReplacing in blocks of `blockSize`, the input of each block
// filled by `fill`, and gathers what came out.
SSignalStats Render(CPluginInstance& plugin, int64_t frames, int blockSize, const BlockFill& fill);
BlockFill NoiseFill(CNoise& noise, float amplitude = 1.0f);
BlockFill SilenceFill();

// Frames after which an input fault must have left the plug-in: its declared tail, else 2 s.
int64_t RecoveryFrames(CPluginInstance& plugin, float sampleRate);

// Largest difference between two renders over their first `frames` frames.
float MaxDifference(CChannelBuffers& a, CChannelBuffers& b, int frames);

// A text buffer as a host hands it over: `length` writable bytes with canary bytes on both sides.
class CTextProbe
{
public:
    explicit CTextProbe(int length);
    char* Buffer() { return m_bytes.data() + kFence; }
    // Empty when the plug-in kept to the buffer: nothing written outside it and, when it wrote
    // anything or claimed success, a terminator inside it. Otherwise what went wrong.
    std::string Verify(VstIntPtr result) const;
    std::string Text() const;

private:
    static constexpr int kFence = 32;
    static constexpr char kCanary = static_cast<char>(0xCD);
    static constexpr char kUnwritten = static_cast<char>(0xA5);
    int m_length;
    std::string m_bytes;
};

// One text opcode into a fenced buffer of `length` bytes; records a failure naming `what` when
// the plug-in strays. The text written, when `text` is given.
bool ProbeText(CCaseContext& context, CPluginInstance& plugin, VstInt32 opcode, VstInt32 index, int length,
               const std::string& what, std::string* text = nullptr);

// A value as short text, for notes and failure reasons.
std::string Describe(float value);

// Channel pointers into `buffers` starting at frame `offset`, for processing a slice of them.
std::vector<float*> PointersAt(CChannelBuffers& buffers, int offset);

// Processes all of `in` into `out` (replacing) in consecutive blocks whose sizes cycle through
// `sizes`.
void ProcessInSlices(CPluginInstance& plugin, CChannelBuffers& in, CChannelBuffers& out, const std::vector<int>& sizes);
