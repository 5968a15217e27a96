// Hosts call the parameter entries and switch programs from their own threads while the audio
// thread processes: nothing may crash, tear or leave the parameters in a state no one set.
#include "ValidatorCase.h"
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kBlockFrames = 32;

// Deterministic per thread, cheap, and no shared state (rand() is neither).
class CRandom
{
public:
    explicit CRandom(uint32_t seed) : m_state(seed ? seed : 1u) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int count) { return count > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(count)) : 0; }
    float Unit() { return static_cast<float>(Next() >> 8) / 16777215.0f; } // 0..1 inclusive
    float Noise() { return Unit() * 2.0f - 1.0f; }

private:
    uint32_t m_state;
};

// The values getParameter may answer: 0..1 as hosts set them, widened per parameter to what the
// plug-in's programs hold (a factory program may keep a value beyond its parameter's range).
class CValueBounds
{
public:
    explicit CValueBounds(CPluginInstance& scan)
        : m_low(static_cast<size_t>(scan.ParameterCount()), 0.0f), m_high(m_low.size(), 1.0f)
    {
        for (int program = 0; program < scan.ProgramCount(); ++program) {
            scan.Dispatch(effSetProgram, 0, program);
            for (size_t index = 0; index < m_low.size(); ++index) {
                const float value = scan.GetParameter(static_cast<VstInt32>(index));
                m_low[index] = value < m_low[index] ? value : m_low[index];
                m_high[index] = value > m_high[index] ? value : m_high[index];
            }
        }
    }
    bool Allows(int index, float value) const
    {
        const size_t i = static_cast<size_t>(index);
        return i < m_low.size() && value >= m_low[i] && value <= m_high[i]; // false for NaN
    }

private:
    std::vector<float> m_low;
    std::vector<float> m_high;
};

struct SThreadFindings
{
    std::atomic<long> blocks{0};
    std::atomic<long> nonFiniteBlocks{0};
    std::atomic<long> calls{0};
    std::atomic<long> outOfRangeReads{0};
    std::atomic<long> badProgramAnswers{0};
};

void ProcessNoise(CPluginInstance& plugin, const std::atomic<bool>& stop, SThreadFindings& findings)
{
    CChannelBuffers in(plugin.Effect()->numInputs, kBlockFrames);
    CChannelBuffers out(plugin.Effect()->numOutputs, kBlockFrames);
    CRandom random(12345);
    while (!stop.load(std::memory_order_relaxed)) {
        for (int c = 0; c < in.Channels(); ++c)
            for (int f = 0; f < kBlockFrames; ++f)
                in.Channel(c)[f] = 0.5f * random.Noise();
        plugin.ProcessReplacing(in.Pointers(), out.Pointers(), kBlockFrames);
        if (!out.AllFinite())
            ++findings.nonFiniteBlocks;
        ++findings.blocks;
    }
}

// Parameter writes and reads and program switches in random order, as a host's automation and
// user-interface threads make them.
void CallParametersAndPrograms(CPluginInstance& plugin, const CValueBounds& bounds, uint32_t seed,
                               const std::atomic<bool>& stop, SThreadFindings& findings)
{
    CRandom random(seed);
    const int parameters = plugin.ParameterCount();
    const int programs = plugin.ProgramCount();
    while (!stop.load(std::memory_order_relaxed)) {
        switch (random.Below(5)) {
        case 0:
        case 1:
            plugin.SetParameter(random.Below(parameters), random.Unit());
            break;
        case 2: {
            const int index = random.Below(parameters);
            if (!bounds.Allows(index, plugin.GetParameter(index)))
                ++findings.outOfRangeReads;
            break;
        }
        case 3:
            plugin.Dispatch(effSetProgram, 0, random.Below(programs));
            break;
        default: {
            const VstIntPtr program = plugin.Dispatch(effGetProgram);
            char name[64];
            std::memset(name, 'x', sizeof name);
            plugin.Dispatch(effGetProgramName, 0, 0, name);
            if (program < 0 || program >= programs || std::memchr(name, '\0', 32) == nullptr)
                ++findings.badProgramAnswers;
            break;
        }
        }
        ++findings.calls;
    }
}

void RunThreadsFor(double seconds, CPluginInstance& plugin, const CValueBounds& bounds, SThreadFindings& findings)
{
    std::atomic<bool> stop{false};
    std::thread audio(ProcessNoise, std::ref(plugin), std::cref(stop), std::ref(findings));
    std::thread first(CallParametersAndPrograms, std::ref(plugin), std::cref(bounds), 1u, std::cref(stop), std::ref(findings));
    std::thread second(CallParametersAndPrograms, std::ref(plugin), std::cref(bounds), 2u, std::cref(stop), std::ref(findings));
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    audio.join();
    first.join();
    second.join();
}

// What getParameter must answer for a value just set: the value itself, except for a switch
// such as "Bypass" that stores only on or off.
bool ReadsBackAsSet(float set, float read) { return read == set || (read == (set > 0.5f ? 1.0f : 0.0f)); }

} // namespace

VALIDATOR_CASE("threads", "parameters and programs while processing", ParametersAndProgramsWhileProcessing)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return;
    plugin.Start(44100.0f, kBlockFrames);
    const CValueBounds bounds(context.Create());
    SThreadFindings findings;
    RunThreadsFor(context.ThreadSeconds(), plugin, bounds, findings);
    context.Note(std::to_string(findings.blocks.load()) + " blocks, " + std::to_string(findings.calls.load()) +
                 " parameter and program calls");
    context.Expect(findings.blocks > 0, "the audio thread processed no block");
    context.Expect(findings.nonFiniteBlocks == 0,
                   std::to_string(findings.nonFiniteBlocks.load()) + " blocks had samples that are not finite");
    context.Expect(findings.outOfRangeReads == 0,
                   std::to_string(findings.outOfRangeReads.load()) + " getParameter answers were neither within 0..1 nor a program's value");
    context.Expect(findings.badProgramAnswers == 0,
                   std::to_string(findings.badProgramAnswers.load()) +
                       " program answers were out of range or names without their end");

    // Afterwards every value is one a host or a program gave, and values set from one thread read back.
    const int parameters = plugin.ParameterCount();
    for (int index = 0; index < parameters; ++index) {
        const float value = plugin.GetParameter(index);
        context.Expect(bounds.Allows(index, value), "parameter " + std::to_string(index) + " reads " +
                                               std::to_string(value) + " after the threads ended");
    }
    CRandom random(99);
    std::vector<float> set(static_cast<size_t>(parameters));
    for (int index = 0; index < parameters; ++index) {
        set[static_cast<size_t>(index)] = index == 0 ? 0.0f : random.Unit(); // processing stays audible
        plugin.SetParameter(index, set[static_cast<size_t>(index)]);
    }
    for (int index = 0; index < parameters; ++index) {
        const float read = plugin.GetParameter(index);
        context.Expect(ReadsBackAsSet(set[static_cast<size_t>(index)], read),
                       "parameter " + std::to_string(index) + " was set to " +
                           std::to_string(set[static_cast<size_t>(index)]) + " but reads " + std::to_string(read));
    }
    const int lastProgram = plugin.ProgramCount() - 1;
    plugin.Dispatch(effSetProgram, 0, lastProgram);
    context.Expect(plugin.Dispatch(effGetProgram) == lastProgram, "effGetProgram does not give the program just set");
    CChannelBuffers in(plugin.Effect()->numInputs, kBlockFrames, 0.25f);
    CChannelBuffers out(plugin.Effect()->numOutputs, kBlockFrames);
    for (int block = 0; block < 8; ++block)
        plugin.ProcessReplacing(in.Pointers(), out.Pointers(), kBlockFrames);
    context.Expect(out.AllFinite(), "output is not finite after the threads ended");
}
