#include "CaseSupport.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

float CNoise::Next()
{
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    // The top 24 bits give exact floats; centred on zero.
    return static_cast<float>(m_state >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

void CNoise::Fill(CChannelBuffers& buffers, float amplitude)
{
    for (int c = 0; c < buffers.Channels(); ++c)
        for (int f = 0; f < buffers.Frames(); ++f)
            buffers.Channel(c)[f] = Next() * amplitude;
}

CPluginInstance* StartInstance(CCaseContext& context, float sampleRate, VstInt32 blockSize)
{
    CPluginInstance& plugin = context.Create();
    if (!context.Expect(plugin.IsValid(), "the entry point returned no effect"))
        return nullptr;
    plugin.Start(sampleRate, blockSize);
    return &plugin;
}

CChannelBuffers InputsFor(const CPluginInstance& plugin, int frames, float fill)
{
    return CChannelBuffers(plugin.Effect()->numInputs, frames, fill);
}

CChannelBuffers OutputsFor(const CPluginInstance& plugin, int frames, float fill)
{
    return CChannelBuffers(plugin.Effect()->numOutputs, frames, fill);
}

bool IsDenormal(float x) { return std::fpclassify(x) == FP_SUBNORMAL; }

void SSignalStats::Add(CChannelBuffers& buffers, int count)
{
    for (int c = 0; c < buffers.Channels(); ++c) {
        const float* samples = buffers.Channel(c);
        for (int f = 0; f < count; ++f) {
            const float x = samples[f];
            if (!std::isfinite(x)) {
                finite = false;
                continue;
            }
            peak = std::max(peak, std::fabs(x));
            if (IsDenormal(x))
                ++denormals;
        }
    }
    frames += count;
}

std::string SSignalStats::Describe() const
{
    if (!finite)
        return "output not finite";
    char text[64];
    std::snprintf(text, sizeof text, "peak %.3g", static_cast<double>(peak));
    return text;
}

SSignalStats Render(CPluginInstance& plugin, int64_t frames, int blockSize, const BlockFill& fill)
{
    SSignalStats stats;
    CChannelBuffers in = InputsFor(plugin, blockSize);
    CChannelBuffers out = OutputsFor(plugin, blockSize);
    for (int64_t done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<int64_t>(blockSize, frames - done));
        fill(in, done);
        plugin.ProcessReplacing(in.Pointers(), out.Pointers(), n);
        stats.Add(out, n);
        done += n;
    }
    return stats;
}

BlockFill NoiseFill(CNoise& noise, float amplitude)
{
    return [&noise, amplitude](CChannelBuffers& in, int64_t) { noise.Fill(in, amplitude); };
}

BlockFill SilenceFill()
{
    return [](CChannelBuffers& in, int64_t) { in.Fill(0.0f); };
}

int64_t RecoveryFrames(CPluginInstance& plugin, float sampleRate)
{
    const VstIntPtr tail = plugin.Dispatch(effGetTailSize);
    // Some plug-ins answer 1 for "no tail"; a tail beyond a minute is not a delay line.
    const int64_t limit = static_cast<int64_t>(60.0f * sampleRate);
    if (tail > 1 && tail <= limit)
        return static_cast<int64_t>(tail);
    return static_cast<int64_t>(2.0f * sampleRate);
}

float MaxDifference(CChannelBuffers& a, CChannelBuffers& b, int frames)
{
    float worst = 0.0f;
    const int channels = std::min(a.Channels(), b.Channels());
    for (int c = 0; c < channels; ++c)
        for (int f = 0; f < frames; ++f) {
            const float d = std::fabs(a.Channel(c)[f] - b.Channel(c)[f]);
            if (!(d <= worst))
                worst = std::isnan(d) ? INFINITY : d;
        }
    return worst;
}

CTextProbe::CTextProbe(int length)
    : m_length(length), m_bytes(static_cast<size_t>(kFence + length + kFence), kCanary)
{
    std::fill(m_bytes.begin() + kFence, m_bytes.begin() + kFence + length, kUnwritten);
}

std::string CTextProbe::Verify(VstIntPtr result) const
{
    for (int i = 0; i < kFence; ++i)
        if (m_bytes[static_cast<size_t>(i)] != kCanary)
            return "wrote before the buffer";
    for (size_t i = static_cast<size_t>(kFence + m_length); i < m_bytes.size(); ++i)
        if (m_bytes[i] != kCanary)
            return "wrote " + std::to_string(i - kFence + 1) + " bytes or more into a buffer of " +
                   std::to_string(m_length);
    const auto begin = m_bytes.begin() + kFence;
    const auto end = begin + m_length;
    const bool written = std::any_of(begin, end, [](char c) { return c != kUnwritten; });
    if ((written || result != 0) && std::find(begin, end, '\0') == end)
        return "left the text unterminated within " + std::to_string(m_length) + " bytes";
    return "";
}

std::string CTextProbe::Text() const
{
    const auto begin = m_bytes.begin() + kFence;
    return std::string(begin, std::find(begin, begin + m_length, '\0'));
}

bool ProbeText(CCaseContext& context, CPluginInstance& plugin, VstInt32 opcode, VstInt32 index, int length,
               const std::string& what, std::string* text)
{
    CTextProbe probe(length);
    const VstIntPtr result = plugin.Dispatch(opcode, index, 0, probe.Buffer());
    const std::string problem = probe.Verify(result);
    if (text)
        *text = probe.Text();
    return context.Expect(problem.empty(), what + " " + problem);
}

std::string Describe(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::vector<float*> PointersAt(CChannelBuffers& buffers, int offset)
{
    std::vector<float*> pointers;
    for (int c = 0; c < buffers.Channels(); ++c)
        pointers.push_back(buffers.Channel(c) + offset);
    return pointers;
}

void ProcessInSlices(CPluginInstance& plugin, CChannelBuffers& in, CChannelBuffers& out, const std::vector<int>& sizes)
{
    const int frames = std::min(in.Frames(), out.Frames());
    size_t next = 0;
    for (int done = 0; done < frames && !sizes.empty();) {
        const int n = std::min(sizes[next], frames - done);
        next = (next + 1) % sizes.size();
        std::vector<float*> inputs = PointersAt(in, done);
        std::vector<float*> outputs = PointersAt(out, done);
        plugin.ProcessReplacing(inputs.data(), outputs.data(), n);
        done += n;
    }
}
