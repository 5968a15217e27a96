#include "Lv2HostSession.h"
#include "FuzzInput.h"
#include "Lv2PortLayout.h"
#include "PluginCore.h"
#include "StereoChorusDescription.h"
#include <lv2/core/lv2.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, long long a = 0)
{
    std::fprintf(stderr, "LV2 host session: %s (%lld)\n", what, a);
    std::abort();
}

constexpr uint32_t kMaxFrames = 4096;
constexpr long kFrameBudget = 1 << 15;
constexpr int kMaxSteps = 4096;
// Instantiation and activate size and clear the delay lines (megabytes at the highest rates): a
// few per session find what they can, more only slow the fuzzer down.
constexpr int kMaxSetups = 12;
constexpr float kGarbage = 7.0f;

// What the bundle's Turtle tells a host, taken from a core of the product's own: the port layout
// and each factory program's control values, as a host applies a preset from presets.ttl.
struct SBundleFacts
{
    SBundleFacts() : core(StereoChorusDescription().createEffect(), nullptr, 20.0), layout(core)
    {
        for (int p = 0; p < core.GetProgramCount(); ++p) {
            std::vector<float> values{core.GetProgramValue(p, 0) > 0.5f ? 0.0f : 1.0f}; // "enabled"
            for (int k = 1; k < layout.ControlInputs(); ++k)
                values.push_back(core.ToReal(k, core.GetProgramValue(p, k)));
            presets.push_back(values);
        }
    }
    CPluginCore core;
    CLv2PortLayout layout;
    std::vector<std::vector<float>> presets;
};

const SBundleFacts& Facts()
{
    static const SBundleFacts facts;
    return facts;
}

class CLv2Session
{
public:
    explicit CLv2Session(CFuzzInput& input)
        : m_in(input), m_layout(Facts().layout), m_ports(static_cast<size_t>(m_layout.Count()), nullptr),
          m_audio(static_cast<size_t>(m_layout.AudioInputs() + m_layout.AudioOutputs()), std::vector<float>(kMaxFrames)),
          m_controls(static_cast<size_t>(m_layout.Count()), 0.0f)
    {
    }

    const SSessionReport& Report() const { return m_report; }

    void Run()
    {
        m_descriptor = lv2_descriptor(0);
        if (!m_descriptor || lv2_descriptor(1))
            Fail("the entry does not publish exactly one plug-in");
        Instantiate(44100.0);
        for (int step = 0; step < kMaxSteps && !m_in.Empty(); ++step)
            Step();
        Cleanup();
    }

private:
    void Step()
    {
        switch (m_in.Byte() % 11) {
        case 0: AnyInstance(); break;
        case 1:
        case 2: Connect(); break;
        case 3:
            if (++m_setups <= kMaxSetups)
                m_descriptor->activate(m_instance);
            break;
        case 4: m_descriptor->deactivate(m_instance); break;
        case 5:
        case 6:
        case 7: RunBlock(); break;
        case 8: SetControl(); break;
        case 9: ApplyPreset(); break;
        default:
            if (m_descriptor->extension_data && m_descriptor->extension_data(m_in.Byte() & 1 ? LV2_CORE__isLive : "urn:x"))
                Fail("extension data the plug-in does not have");
            break;
        }
    }

    // The plug-in as hosts make it: every port connected to its place, the controls at the
    // first preset's values.
    void Instantiate(double rate)
    {
        m_instance = m_descriptor->instantiate(m_descriptor, rate, "/nowhere/", nullptr);
        // The plug-in takes the rate as the core does, as a float.
        const float taken = static_cast<float>(rate);
        const bool valid = taken >= CPluginCore::kLowestSampleRate && taken <= CPluginCore::kHighestSampleRate;
        if (!m_instance) {
            if (valid)
                Fail("a usable rate was refused", static_cast<long long>(rate));
            Instantiate(48000.0);
            return;
        }
        if (!valid)
            Fail("a rate outside 1 Hz .. 3.072 MHz was taken");
        m_bypassed = false;
        for (uint32_t port = 0; port < m_ports.size(); ++port)
            ConnectTo(port, Place(port));
        Preset(0);
    }

    void Cleanup()
    {
        m_descriptor->cleanup(m_instance);
        m_instance = nullptr;
    }

    void AnyInstance()
    {
        static const double kRates[] = {44100.0, 48000.0, 96000.0, 22050.0, 1.0, 0.0, -44100.0, 3072000.0, 4e6, NAN};
        const uint8_t choice = m_in.Byte();
        double rate = kRates[choice % 10];
        if (choice >= 224) {
            const uint64_t bits = m_in.Qword();
            std::memcpy(&rate, &bits, sizeof rate);
        }
        if (++m_setups > kMaxSetups)
            return;
        Cleanup();
        Instantiate(rate);
    }

    bool IsAudio(uint32_t port) const { return port < m_audio.size(); }
    float* Place(uint32_t port) { return IsAudio(port) ? m_audio[port].data() : &m_controls[port]; }

    void ConnectTo(uint32_t port, float* place)
    {
        m_descriptor->connect_port(m_instance, port, place);
        if (port < m_ports.size())
            m_ports[port] = place;
    }

    // A port (or an index no port has) connected to its own place, to nothing, or an output to
    // an input's buffer (in place) or to the other output's.
    void Connect()
    {
        const uint8_t choice = m_in.Byte();
        const uint32_t port = choice < 240 ? choice % (m_ports.size() + 2) : m_in.Dword();
        const uint8_t how = m_in.Byte() % 4;
        float* place = port < m_ports.size() ? Place(port) : &m_controls[0];
        if (how == 0)
            place = nullptr;
        else if (how == 1 && IsAudio(port))
            place = m_audio[m_in.Byte() % m_audio.size()].data();
        ConnectTo(port, place);
    }

    void SetControl()
    {
        const uint32_t k = m_in.Byte() % static_cast<uint32_t>(m_layout.ControlInputs());
        m_controls[static_cast<size_t>(m_layout.ControlInput(static_cast<int>(k)))] =
            m_in.Byte() & 1 ? m_in.Float() : static_cast<float>(m_in.Word() % 2001) / 10.0f - 50.0f;
    }

    void Preset(size_t program)
    {
        const std::vector<float>& values = Facts().presets[program % Facts().presets.size()];
        for (size_t k = 0; k < values.size(); ++k)
            m_controls[static_cast<size_t>(m_layout.ControlInput(static_cast<int>(k)))] = values[k];
    }

    void ApplyPreset() { Preset(m_in.Byte()); }

    float* Port(int index) const { return m_ports[static_cast<size_t>(index)]; }

    // The enabled port's value as the plug-in takes it at the next block: a finite value
    // connected, else the last one taken.
    void FollowEnabled()
    {
        const float* enabled = Port(m_layout.ControlInput(0));
        if (enabled && std::isfinite(*enabled))
            m_bypassed = !(*enabled > 0.5f);
    }

    void RunBlock()
    {
        uint32_t frames = m_in.Byte() & 1 ? m_in.Word() % (kMaxFrames + 1) : m_in.Byte() % 67;
        if (m_frames + frames > kFrameBudget)
            frames %= 64;
        m_frames += frames;
        CSampleNoise noise(m_in.Dword());
        const bool hostile = m_in.Byte() % 8 == 0;
        for (int c = 0; c < m_layout.AudioInputs(); ++c)
            for (uint32_t f = 0; f < frames; ++f)
                m_audio[static_cast<size_t>(c)][f] = hostile && (noise.Bits() & 127) == 0 ? m_in.Float() : noise.Audio();
        for (int c = 0; c < m_layout.AudioOutputs(); ++c)
            if (Port(m_layout.FirstAudioOutput() + c) == m_audio[static_cast<size_t>(m_layout.FirstAudioOutput() + c)].data())
                std::fill_n(m_audio[static_cast<size_t>(m_layout.FirstAudioOutput() + c)].begin(), frames, kGarbage);
        const std::vector<std::vector<float>> dry(m_audio.begin(), m_audio.begin() + m_layout.AudioInputs());
        FollowEnabled();
        m_descriptor->run(m_instance, frames);
        CheckBlock(dry, frames);
        for (int c = 0; c < m_layout.AudioOutputs(); ++c)
            if (const float* out = Port(m_layout.FirstAudioOutput() + c))
                m_report.Add(out, frames);
        if (const float* latency = Port(m_layout.Latency()))
            if (*latency != 0.0f)
                Fail("the latency port does not read 0");
    }

    bool OwnPlaces() const
    {
        for (int port = 0; port < static_cast<int>(m_audio.size()); ++port)
            if (Port(port) != m_audio[static_cast<size_t>(port)].data())
                return false;
        return true;
    }

    // With every audio port in its own place: bypassed, each output is its input; playing, finite
    // input gives finite output. With an audio port missing, what is connected hears silence.
    void CheckBlock(const std::vector<std::vector<float>>& dry, uint32_t frames) const
    {
        bool complete = true;
        for (int port = 0; port < static_cast<int>(m_audio.size()); ++port)
            complete = complete && Port(port);
        for (int c = 0; c < m_layout.AudioOutputs(); ++c) {
            const float* out = Port(m_layout.FirstAudioOutput() + c);
            for (uint32_t f = 0; out && f < frames; ++f) {
                if (!complete && out[f] != 0.0f)
                    Fail("an output without every audio port connected is not silent", f);
                if (!complete || !OwnPlaces())
                    continue;
                const float in = dry[static_cast<size_t>(c)][f];
                if (m_bypassed && std::memcmp(&out[f], &in, sizeof in) != 0)
                    Fail("bypass did not pass the input through", f);
                if (!m_bypassed && !std::isfinite(out[f]) && FiniteInput(dry, f))
                    Fail("a non-finite sample from finite input", f);
            }
        }
    }

    static bool FiniteInput(const std::vector<std::vector<float>>& dry, uint32_t f)
    {
        for (const std::vector<float>& channel : dry)
            if (!std::isfinite(channel[f]))
                return false;
        return true;
    }

    CFuzzInput& m_in;
    const CLv2PortLayout& m_layout;
    const LV2_Descriptor* m_descriptor = nullptr;
    LV2_Handle m_instance = nullptr;
    std::vector<float*> m_ports; // where each port is connected, as the plug-in was told
    std::vector<std::vector<float>> m_audio;
    std::vector<float> m_controls;
    bool m_bypassed = false;
    long m_frames = 0;
    int m_setups = 0;
    SSessionReport m_report{'L'};
};

} // namespace

SSessionReport RunLv2HostSession(const uint8_t* data, size_t size) { return PlaySession<CLv2Session>(data, size); }
