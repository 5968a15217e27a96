#include "ClapHostSession.h"
#include "ClapHost.h"
#include "FuzzInput.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" const clap::Entry clap_entry;

namespace {

[[noreturn]] void Fail(const char* what, long long a = 0)
{
    std::fprintf(stderr, "CLAP host session: %s (%lld)\n", what, a);
    std::abort();
}

constexpr char kPluginId[] = "com.orvane-music.stereo-chorus";
constexpr uint32_t kMaxFrames = 8192;
constexpr long kFrameBudget = 1 << 15;
constexpr int kMaxSteps = 4096;
// Creation and activation size and clear the delay lines (megabytes at the highest rates): a few
// per session find what they can, more only slow the fuzzer down.
constexpr int kMaxSetups = 12;
constexpr char kCanary = 'Z';

// A CLAP stream over bytes that hands out or takes at most `chunk` bytes a call, and answers
// an error (-1) from call number `failAt` on, as a host's file or network stream may.
struct SSessionStream
{
    std::vector<uint8_t> bytes;
    size_t position = 0;
    size_t chunk = SIZE_MAX;
    int calls = 0;
    int failAt = -1;

    bool Failing() { return failAt >= 0 && calls++ >= failAt; }
    clap::InputStream in{this, [](const clap::InputStream* s, void* buffer, uint64_t size) -> int64_t {
                             auto* self = static_cast<SSessionStream*>(s->ctx);
                             if (self->Failing())
                                 return -1;
                             const size_t n = std::min<size_t>(
                                 {static_cast<size_t>(size), self->chunk, self->bytes.size() - self->position});
                             if (n)
                                 std::memcpy(buffer, self->bytes.data() + self->position, n);
                             self->position += n;
                             return static_cast<int64_t>(n);
                         }};
    clap::OutputStream out{this, [](const clap::OutputStream* s, const void* buffer, uint64_t size) -> int64_t {
                               auto* self = static_cast<SSessionStream*>(s->ctx);
                               if (self->Failing())
                                   return -1;
                               const size_t n = std::min<size_t>(static_cast<size_t>(size), self->chunk);
                               const auto* data = static_cast<const uint8_t*>(buffer);
                               self->bytes.insert(self->bytes.end(), data, data + n);
                               return static_cast<int64_t>(n);
                           }};
};

class CClapSession
{
public:
    explicit CClapSession(CFuzzInput& input) : m_in(input) {}

    const SSessionReport& Report() const { return m_report; }

    void Run()
    {
        if (!clap_entry.init || !clap_entry.init("") || !clap_entry.getFactory)
            Fail("the entry does not start");
        m_factory = static_cast<const clap::PluginFactory*>(clap_entry.getFactory(clap::kPluginFactoryId));
        if (!m_factory)
            Fail("no plug-in factory");
        Create();
        for (int step = 0; step < kMaxSteps && !m_in.Empty(); ++step)
            Step();
        m_plugin->destroy(m_plugin);
        clap_entry.deinit();
    }

private:
    template <class Table>
    const Table* Extension(const char* id) const
    {
        const auto* table = static_cast<const Table*>(m_plugin->getExtension(m_plugin, id));
        if (!table)
            Fail("an extension the plug-in offers went missing");
        return table;
    }

    void Create()
    {
        m_host = std::make_unique<STestHost>();
        m_plugin = m_factory->createPlugin(m_factory, &m_host->record, kPluginId);
        if (!m_plugin || !m_plugin->init(m_plugin))
            Fail("the plug-in was not created");
        m_params = Extension<clap::PluginParams>(clap::kExtParams);
        m_state = Extension<clap::PluginState>(clap::kExtState);
        m_presets = Extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
        m_count = m_params->count(m_plugin);
        m_active = false;
    }

    void Step()
    {
        switch (m_in.Byte() % 14) {
        case 0: Activate(); break;
        case 1: Deactivate(); break;
        case 2: StartOrStop(); break;
        case 3: m_plugin->reset(m_plugin); break;
        case 4:
        case 5:
        case 6: Process(); break;
        case 7: Texts(); break;
        case 8: Flush(); break;
        case 9: SaveAndRestore(); break;
        case 10: HostileState(); break;
        case 11: LoadPreset(); break;
        case 12: MainThread(); break;
        default:
            if (++m_setups <= kMaxSetups) {
                m_plugin->destroy(m_plugin);
                Create();
            }
            break;
        }
    }

    void Activate()
    {
        static const double kRates[] = {44100.0, 48000.0, 96000.0, 192000.0, 8000.0, 1.0, 0.5, 3072000.0, 1e12, -1.0};
        const uint8_t choice = m_in.Byte();
        double rate = kRates[choice % 10];
        if (choice >= 200) {
            const uint64_t bits = m_in.Qword();
            std::memcpy(&rate, &bits, sizeof rate);
        }
        const uint32_t minFrames = m_in.Word();
        const uint32_t maxFrames = choice & 1 ? m_in.Word() : m_in.Dword();
        if (++m_setups > kMaxSetups)
            return;
        const bool accepted = m_plugin->activate(m_plugin, rate, minFrames, maxFrames);
        if (accepted && m_active)
            Fail("a second activate without deactivate was accepted");
        if (accepted && !(rate >= 1.0 && rate <= 3072000.0))
            Fail("a rate outside 1 Hz .. 3.072 MHz was accepted");
        m_active = m_active || accepted;
    }

    void Deactivate()
    {
        m_plugin->deactivate(m_plugin);
        m_active = false;
    }

    void StartOrStop()
    {
        if (m_in.Byte() & 1) {
            if (m_plugin->startProcessing(m_plugin) && !m_active)
                Fail("processing started without activate");
        } else {
            m_plugin->stopProcessing(m_plugin);
        }
    }

    clap::Id AnyId()
    {
        const uint8_t choice = m_in.Byte();
        return choice < 224 ? static_cast<clap::Id>(choice % (m_count + 2)) : m_in.Dword();
    }

    double AnyValue()
    {
        const uint8_t choice = m_in.Byte();
        if (choice < 96)
            return static_cast<double>(m_in.Word() % 2001) / 10.0 - 50.0; // ordinary real values
        if (choice < 160)
            return static_cast<double>(m_in.Float());
        const uint64_t bits = m_in.Qword();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Values, gestures and events the plug-in has to skip, at times in order or not, inside the
    // block or beyond it.
    void AddEvents(CInputEvents& events, uint32_t frames)
    {
        const int count = m_in.Byte() % 9;
        for (int e = 0; e < count; ++e) {
            const uint8_t kind = m_in.Byte();
            const uint32_t time = kind & 0x80 ? m_in.Dword() : (frames ? m_in.Word() % frames : 0);
            // Each read in its own statement: the order of a call's arguments differs between
            // compilers, and a session must read its bytes in one order to replay.
            if (kind % 4 == 3) {
                const uint16_t type = kind & 4 ? static_cast<uint16_t>(clap::kEventParamGestureBegin)
                                               : static_cast<uint16_t>(m_in.Byte());
                events.AddGesture(type, AnyId());
            } else {
                const clap::Id id = AnyId();
                events.Add(id, AnyValue(), time);
            }
        }
    }

    double Value(clap::Id id) const
    {
        double value = NAN;
        if (!m_params->getValue(m_plugin, id, &value) || !std::isfinite(value))
            Fail("a parameter has no finite value", id);
        return value;
    }

    // One block: any frame count up to far beyond what activate announced, events inside it,
    // ports with too few channels or no data, in place or not.
    void Process()
    {
        const uint8_t shape = m_in.Byte();
        uint32_t frames = shape & 0x80 ? m_in.Word() % (kMaxFrames + 1) : shape % 67;
        if (m_frames + frames > kFrameBudget)
            frames %= 64;
        m_frames += frames;
        const size_t size = frames ? frames : 1;
        std::vector<float> left(size), right(size), outLeft(size, 7.0f), outRight(size, 7.0f);
        CSampleNoise noise(m_in.Dword());
        const bool hostile = (shape & 0x03) == 0x03;
        for (size_t f = 0; f < size; ++f) {
            left[f] = noise.Audio();
            right[f] = hostile && (noise.Bits() & 255) == 0 ? m_in.Float() : noise.Audio();
        }
        const bool inPlace = shape & 0x04;
        float* in[] = {left.data(), right.data()};
        float* out[] = {inPlace ? left.data() : outLeft.data(), inPlace ? right.data() : outRight.data()};
        const std::vector<float> dryLeft = left, dryRight = right;
        clap::AudioBuffer input{shape & 0x08 ? nullptr : in, nullptr, shape & 0x10 ? 1u : 2u, 0, 0};
        clap::AudioBuffer output{out, nullptr, 2, 0, 0};
        CInputEvents events;
        AddEvents(events, frames);
        COutputEvents sent;
        const clap::Process process{-1, frames, nullptr, &input, &output, 1, 1, events.Get(), sent.Get()};
        const clap::ProcessStatus status = m_plugin->process(m_plugin, &process);
        for (const COutputEvents::SRow& row : sent.rows)
            if (row.id >= m_count)
                Fail("an event for a parameter the plug-in does not have", row.id);
        if (status == clap::kProcessError)
            return;
        m_report.Add(out[0], frames);
        m_report.Add(out[1], frames);
        if (!input.data32 || input.channelCount != 2)
            return;
        CheckBlock(dryLeft, dryRight, out, frames);
    }

    // Bypassed, the input comes out untouched; otherwise finite input gives finite output.
    void CheckBlock(const std::vector<float>& left, const std::vector<float>& right, float* const* out, uint32_t frames)
    {
        const bool bypassed = Value(0) > 0.5;
        for (uint32_t f = 0; f < frames; ++f) {
            if (bypassed) {
                if (std::memcmp(&out[0][f], &left[f], sizeof(float)) || std::memcmp(&out[1][f], &right[f], sizeof(float)))
                    Fail("bypass did not pass the input through", f);
            } else if (std::isfinite(left[f]) && std::isfinite(right[f]) &&
                       !(std::isfinite(out[0][f]) && std::isfinite(out[1][f]))) {
                Fail("a non-finite sample from finite input", f);
            }
        }
    }

    void Texts()
    {
        const clap::Id id = AnyId();
        const uint32_t capacity = m_in.Byte() % 80;
        std::unique_ptr<char[]> text(new char[capacity + 1]);
        std::memset(text.get(), kCanary, capacity + 1);
        if (m_params->valueToText(m_plugin, id, AnyValue(), text.get(), capacity) &&
            !std::memchr(text.get(), '\0', capacity))
            Fail("a value text without its terminator", id);
        if (text[capacity] != kCanary)
            Fail("a value text written past the host's capacity", id);
        std::vector<char> typed(m_in.Byte() % 40 + 1, '\0');
        for (size_t c = 0; c + 1 < typed.size(); ++c)
            typed[c] = static_cast<char>(m_in.Byte() % 3 ? "0123456789.-+e %dBmsHz"[m_in.Byte() % 22] : m_in.Byte() | 1);
        double parsed = NAN;
        if (m_params->textToValue(m_plugin, id, typed.data(), &parsed) && !std::isfinite(parsed))
            Fail("a text read back to a value that is not finite", id);
        clap::ParamInfo info;
        const uint32_t index = m_in.Byte() % (m_count + 2);
        if (m_params->getInfo(m_plugin, index, &info) && !std::memchr(info.name, '\0', sizeof info.name))
            Fail("a parameter name without its terminator", index);
    }

    void Flush()
    {
        CInputEvents events;
        AddEvents(events, 0);
        COutputEvents sent;
        m_params->flush(m_plugin, events.Get(), m_in.Byte() & 1 ? sent.Get() : nullptr);
        for (clap::Id id = 0; id < m_count; ++id)
            Value(id);
    }

    std::vector<uint8_t> State()
    {
        SSessionStream stream;
        if (!m_state->save(m_plugin, &stream.out))
            Fail("save failed");
        return stream.bytes;
    }

    void SaveAndRestore()
    {
        const std::vector<uint8_t> saved = State();
        SSessionStream stream;
        stream.bytes = saved;
        stream.chunk = 1 + m_in.Byte();
        if (!m_state->load(m_plugin, &stream.in))
            Fail("a saved state was refused", static_cast<long long>(saved.size()));
        if (State() != saved)
            Fail("a saved state did not restore as it was");
        // A stream that fails part way through saving or loading is refused and changes nothing.
        SSessionStream failing;
        failing.failAt = m_in.Byte() % 4;
        failing.chunk = 1 + m_in.Byte();
        if (m_state->save(m_plugin, &failing.out) && failing.calls > failing.failAt)
            Fail("a save that met an error answered true");
        failing.bytes = saved;
        failing.position = 0;
        failing.calls = 0;
        if (m_state->load(m_plugin, &failing.in) && failing.calls > failing.failAt)
            Fail("a load that met an error answered true");
        if (State() != saved)
            Fail("a load that met an error changed the state");
    }

    void HostileState()
    {
        const std::vector<uint8_t> before = State();
        SSessionStream stream;
        const uint8_t kind = m_in.Byte();
        if (kind & 1) {
            stream.bytes = before; // a real stream, mutated
            const int changes = m_in.Byte() % 8;
            for (int c = 0; c < changes && !stream.bytes.empty(); ++c)
                stream.bytes[m_in.Word() % stream.bytes.size()] = m_in.Byte();
            if (kind & 2)
                stream.bytes.resize(m_in.Word() % (stream.bytes.size() + 64));
        } else {
            stream.bytes.resize(m_in.Byte());
            for (uint8_t& byte : stream.bytes)
                byte = m_in.Byte();
        }
        stream.chunk = 1 + m_in.Word();
        if (!m_state->load(m_plugin, &stream.in) && State() != before)
            Fail("a refused stream changed the state");
    }

    // Factory programs by their key, and keys and locations no program has.
    void LoadPreset()
    {
        const uint8_t choice = m_in.Byte();
        char key[32];
        std::snprintf(key, sizeof key, choice & 0x80 ? "%d" : "%dx", static_cast<int>(m_in.Byte() % 24) - 2);
        const uint32_t location = choice & 0x40 ? clap::kPresetLocationFile : clap::kPresetLocationPlugin;
        const std::vector<uint8_t> before = State();
        const int loaded = m_host->presetsLoaded, errors = m_host->presetErrors;
        const bool accepted = m_presets->fromLocation(m_plugin, location, choice & 0x20 ? "/no/such/file" : nullptr,
                                                      choice & 0x10 ? nullptr : key);
        if (accepted != (m_host->presetsLoaded == loaded + 1) || accepted == (m_host->presetErrors == errors + 1))
            Fail("a preset load told the host neither its success nor its failure");
        if (!accepted && State() != before)
            Fail("a refused preset changed the state");
    }

    // What a host's main thread does besides: the callback the plug-in asked for, the small
    // extensions' questions.
    void MainThread()
    {
        if (m_host->callbackRequests.exchange(0))
            m_plugin->onMainThread(m_plugin);
        const auto* ports = Extension<clap::PluginAudioPorts>(clap::kExtAudioPorts);
        clap::AudioPortInfo info;
        for (uint32_t p = 0; p < 2; ++p)
            ports->get(m_plugin, p, m_in.Byte() & 1, &info);
        Extension<clap::PluginLatency>(clap::kExtLatency)->get(m_plugin);
        Extension<clap::PluginTail>(clap::kExtTail)->get(m_plugin);
        if (m_plugin->getExtension(m_plugin, "clap.no-such-extension"))
            Fail("an unknown extension was offered");
    }

    CFuzzInput& m_in;
    const clap::PluginFactory* m_factory = nullptr;
    std::unique_ptr<STestHost> m_host;
    const clap::Plugin* m_plugin = nullptr;
    const clap::PluginParams* m_params = nullptr;
    const clap::PluginState* m_state = nullptr;
    const clap::PluginPresetLoad* m_presets = nullptr;
    uint32_t m_count = 0;
    bool m_active = false;
    long m_frames = 0;
    int m_setups = 0;
    SSessionReport m_report{'C'};
};

} // namespace

SSessionReport RunClapHostSession(const uint8_t* data, size_t size) { return PlaySession<CClapSession>(data, size); }
