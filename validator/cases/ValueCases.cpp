// Values and indexes no host should send, and some do: non-finite and absurd parameter values,
// indexes outside the published ranges, and absent text buffers.
#include "CaseSupport.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

const std::vector<float>& AbsurdValues()
{
    static const std::vector<float> values = {
        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        -1e30f, 1e30f, -FLT_MAX, FLT_MAX, -1.0f, 2.0f,
        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(), FLT_MIN / 3.0f};
    return values;
}

std::vector<float> ParameterValues(CPluginInstance& plugin)
{
    std::vector<float> values;
    for (int p = 0; p < plugin.ParameterCount(); ++p)
        values.push_back(plugin.GetParameter(p));
    return values;
}

void RestoreParameters(CPluginInstance& plugin, const std::vector<float>& values)
{
    for (size_t p = 0; p < values.size(); ++p)
        plugin.SetParameter(static_cast<VstInt32>(p), values[p]);
}

std::string ParameterText(int p, float value) { return "parameter " + std::to_string(p) + " = " + Describe(value); }

// After abuse, a host restores sane values; once a tail has passed the output must be sound.
void ExpectRecovery(CCaseContext& context, CPluginInstance& plugin, const std::string& after)
{
    CNoise noise(5);
    Render(plugin, RecoveryFrames(plugin, 44100.0f), 512, NoiseFill(noise, 0.5f));
    const SSignalStats stats = Render(plugin, 44100, 512, NoiseFill(noise, 0.5f));
    context.Expect(stats.Sane(), "a tail after " + after + ": " + stats.Describe());
}

double Rms(CChannelBuffers& buffers)
{
    double sum = 0.0;
    for (int c = 0; c < buffers.Channels(); ++c)
        for (int f = 0; f < buffers.Frames(); ++f)
            sum += static_cast<double>(buffers.Channel(c)[f]) * buffers.Channel(c)[f];
    return std::sqrt(sum / std::max(1, buffers.Channels() * buffers.Frames()));
}

// Back at its original values the plug-in must sound like an instance that never saw the abuse:
// an oscillator or filter state stuck at NaN or infinity shows as a different loudness of noise,
// even where the output stays finite.
void ExpectSameLoudness(CCaseContext& context, CPluginInstance& abused, const std::vector<float>& values)
{
    CPluginInstance* fresh = StartInstance(context);
    if (!fresh)
        return;
    RestoreParameters(*fresh, values);
    const int frames = 44100;
    CChannelBuffers in = InputsFor(abused, frames);
    CNoise noise(9);
    noise.Fill(in, 0.5f);
    CChannelBuffers heard = OutputsFor(abused, frames);
    CChannelBuffers expected = OutputsFor(*fresh, frames);
    ProcessInSlices(abused, in, heard, {512});
    ProcessInSlices(*fresh, in, expected, {512});
    const double ratio = Rms(heard) / std::max(Rms(expected), 1e-9);
    context.Note("loudness after the abuse " + Describe(static_cast<float>(ratio)) + " x that of a fresh instance");
    context.Expect(ratio > 0.89 && ratio < 1.12, "back at its original values the plug-in is " +
                                                     Describe(static_cast<float>(ratio)) +
                                                     " x as loud as a fresh instance: some state was lost");
}

// Indexes past both ends and far away, for parameters (count = numParams) or programs.
std::vector<VstInt32> BadIndexes(int count)
{
    return {-1, count, count + 1, 1 << 30, std::numeric_limits<VstInt32>::min()};
}

} // namespace

VALIDATOR_CASE("values", "absurd parameter values while processing", AbsurdParameterValues)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    const std::vector<float> original = ParameterValues(*plugin);
    CChannelBuffers in = InputsFor(*plugin, 256);
    CChannelBuffers out = OutputsFor(*plugin, 256);
    CNoise noise;
    int notFinite = 0;
    for (int p = 0; p < plugin->ParameterCount(); ++p) {
        for (float value : AbsurdValues()) {
            const float before = plugin->GetParameter(p);
            plugin->SetParameter(p, value);
            noise.Fill(in, 0.5f);
            plugin->ProcessReplacing(in.Pointers(), out.Pointers(), 256);
            if (!out.AllFinite() && ++notFinite <= 3)
                context.Fail(ParameterText(p, value) + ": output not finite");
            const float after = plugin->GetParameter(p);
            context.Expect(std::isfinite(after), ParameterText(p, value) + ": getParameter gives " + Describe(after));
            // A value that is no number must not replace a good one by something outside 0..1.
            if (!std::isfinite(value))
                context.Expect(after == before || (after >= 0.0f && after <= 1.0f),
                               ParameterText(p, value) + ": getParameter went from " + Describe(before) + " to " +
                                   Describe(after));
            ProbeText(context, *plugin, effGetParamDisplay, p, 9, ParameterText(p, value) + ": the display text");
            plugin->SetParameter(p, before);
        }
    }
    if (notFinite > 3)
        context.Fail(std::to_string(notFinite) + " blocks in all had output that was not finite");

    // Every parameter at once, block after block.
    SSignalStats together;
    for (float value : AbsurdValues()) {
        for (int p = 0; p < plugin->ParameterCount(); ++p)
            plugin->SetParameter(p, value);
        for (int block = 0; block < 2; ++block) {
            noise.Fill(in, 0.5f);
            plugin->ProcessReplacing(in.Pointers(), out.Pointers(), 256);
            together.Add(out, 256);
        }
    }
    context.Expect(together.finite, "every parameter absurd at once: output not finite");
    RestoreParameters(*plugin, original);
    ExpectRecovery(context, *plugin, "absurd values were replaced by the original ones");
    ExpectSameLoudness(context, *plugin, original);
    const std::vector<float> restored = ParameterValues(*plugin);
    for (size_t p = 0; p < original.size(); ++p)
        context.Expect(restored[p] == original[p], "parameter " + std::to_string(p) + " reads " +
                                                       Describe(restored[p]) + " after being set back to " +
                                                       Describe(original[p]));
}

VALIDATOR_CASE("values", "indexes outside the published ranges", BadIndexCalls)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    const AEffect record = *plugin->Effect();
    const std::vector<float> original = ParameterValues(*plugin);
    const VstIntPtr program = plugin->Dispatch(effGetProgram);

    for (VstInt32 index : BadIndexes(plugin->ParameterCount())) {
        const std::string what = "parameter index " + std::to_string(index);
        plugin->SetParameter(index, 0.7f);
        const float value = plugin->GetParameter(index);
        context.Expect(std::isfinite(value), what + ": getParameter gives " + Describe(value));
        ProbeText(context, *plugin, effGetParamName, index, 24, what + ": the name");
        ProbeText(context, *plugin, effGetParamLabel, index, 24, what + ": the label");
        ProbeText(context, *plugin, effGetParamDisplay, index, 9, what + ": the display text");
        plugin->Dispatch(effCanBeAutomated, index);
        char text[64] = "0.5";
        plugin->Dispatch(effString2Parameter, index, 0, text);
        plugin->Dispatch(effGetParameterProperties, index, 0, std::vector<char>(1024).data());
    }

    std::vector<VstIntPtr> programs;
    for (VstInt32 index : BadIndexes(plugin->ProgramCount()))
        programs.push_back(index);
    // A 64-bit host's value that a plug-in cutting it to 32 bits would read as program 1.
    if (sizeof(VstIntPtr) > 4)
        programs.push_back(static_cast<VstIntPtr>(static_cast<int64_t>(1) << 32 | 1));
    for (VstIntPtr index : programs) {
        const std::string what = "program index " + std::to_string(static_cast<long long>(index));
        plugin->Dispatch(effSetProgram, 0, index);
        context.Expect(plugin->Dispatch(effGetProgram) == program, what + ": effSetProgram changed the program");
        ProbeText(context, *plugin, effGetProgramNameIndexed, static_cast<VstInt32>(index), 32,
                  what + ": the indexed program name");
    }

    // Nothing strayed into the record or the parameters of the program in use.
    const AEffect& now = *plugin->Effect();
    context.Expect(now.magic == record.magic && now.numParams == record.numParams &&
                       now.numPrograms == record.numPrograms && now.numInputs == record.numInputs &&
                       now.numOutputs == record.numOutputs && now.flags == record.flags,
                   "the effect record changed");
    const std::vector<float> after = ParameterValues(*plugin);
    for (size_t p = 0; p < original.size(); ++p)
        context.Expect(after[p] == original[p], "parameter " + std::to_string(p) + " changed from " +
                                                    Describe(original[p]) + " to " + Describe(after[p]));
    ExpectRecovery(context, *plugin, "calls with bad indexes");
}

VALIDATOR_CASE("values", "text opcodes with no buffer", NullTextPointers)
{
    CPluginInstance* plugin = StartInstance(context);
    if (!plugin)
        return;
    const int parameters = plugin->ParameterCount();
    const int programs = plugin->ProgramCount();
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay, effString2Parameter,
                            effGetParameterProperties, effCanBeAutomated})
        for (VstInt32 p = -1; p <= parameters; ++p)
            plugin->Dispatch(opcode, p, 0, nullptr);
    for (VstInt32 p = -1; p <= programs; ++p)
        plugin->Dispatch(effGetProgramNameIndexed, p, -1, nullptr);
    for (VstInt32 opcode : {effGetProgramName, effSetProgramName, effGetEffectName, effGetVendorString,
                            effGetProductString, effGetErrorText, effCanDo, effVendorSpecific, effGetChunk,
                            effSetChunk, effProcessEvents, effGetInputProperties, effGetOutputProperties,
                            effGetSpeakerArrangement, effSetSpeakerArrangement, effGetMidiProgramName,
                            effGetMidiKeyName, effGetCurrentMidiProgram, effGetMidiProgramCategory,
                            effEditGetRect, effGetIcon})
        plugin->Dispatch(opcode, 0, 0, nullptr);
    ExpectRecovery(context, *plugin, "text opcodes with no buffer");
}
