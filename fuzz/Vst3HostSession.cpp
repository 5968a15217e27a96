#include "Vst3HostSession.h"
#include "FuzzInput.h"
#include "HostSession.h"
#include "Vst3HostObjects.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" Vst3::IPluginFactory* GetPluginFactory();

using namespace Vst3;

namespace {

[[noreturn]] void Fail(const char* what, long long a = 0)
{
    std::fprintf(stderr, "VST 3 host session: %s (%lld)\n", what, a);
    std::abort();
}

constexpr ParamID kProgramChangeId = 0x10000;
constexpr int kMaxFrames = 8192;
constexpr long kFrameBudget = 1 << 15;
constexpr int kMaxSteps = 4096;
constexpr Char16 kCanary = 0xA5A5;

class CVst3Session
{
public:
    explicit CVst3Session(CFuzzInput& input) : m_in(input) {}

    const SSessionReport& Report() const { return m_report; }

    void Run()
    {
        Create();
        for (int step = 0; step < kMaxSteps && !m_in.Empty(); ++step)
            Step();
        Destroy();
    }

private:
    void Create()
    {
        IPluginFactory* factory = GetPluginFactory();
        PClassInfo info{};
        if (!factory || factory->getClassInfo(0, &info) != kResultOk)
            Fail("no factory or class");
        void* object = nullptr;
        if (factory->createInstance(info.cid, kComponentIid.bytes, &object) != kResultOk || !object)
            Fail("createInstance gave no component");
        m_component = static_cast<IComponent*>(object);
        if (m_component->queryInterface(kAudioProcessorIid.bytes, reinterpret_cast<void**>(&m_processor)) != kResultOk ||
            m_component->queryInterface(kEditControllerIid.bytes, reinterpret_cast<void**>(&m_controller)) != kResultOk ||
            m_component->queryInterface(kUnitInfoIid.bytes, reinterpret_cast<void**>(&m_units)) != kResultOk)
            Fail("the component lacks an interface");
        m_parameters = m_controller->getParameterCount();
        m_component->initialize(nullptr);
        m_controller->setComponentHandler(&m_handler);
    }

    void Destroy()
    {
        m_component->terminate();
        m_units->release();
        m_controller->release();
        m_processor->release();
        if (m_component->release() != 0)
            Fail("references left after the host released every interface");
        if (m_handler.references != 0)
            Fail("the component handler is still held", m_handler.references);
    }

    ParamID AnyId()
    {
        const uint8_t choice = m_in.Byte();
        if (choice < 200)
            return static_cast<ParamID>(choice % (m_parameters + 1));
        if (choice < 230)
            return kProgramChangeId;
        return m_in.Dword();
    }

    double AnyValue()
    {
        const uint8_t choice = m_in.Byte();
        if (choice < 64)
            return static_cast<double>(m_in.Byte()) / 255.0;
        if (choice < 128)
            return static_cast<double>(m_in.Float());
        const uint64_t bits = m_in.Qword();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    void Step()
    {
        switch (m_in.Byte() % 11) {
        case 0: SetNormalized(); break;
        case 1: Texts(); break;
        case 2:
        case 3: Process(); break;
        case 4: Setup(); break;
        case 5: m_in.Byte() & 1 ? m_component->setActive(m_in.Byte() & 1) : m_processor->setProcessing(m_in.Byte() & 1); break;
        case 6: SaveAndRestore(); break;
        case 7: HostileState(); break;
        case 8: Programs(); break;
        case 9: CheckValues(); break;
        default:
            Destroy();
            Create();
            break;
        }
    }

    void CheckTerminated(const String128 text, const char* what)
    {
        for (int i = 0; i < 128; ++i)
            if (text[i] == 0)
                return;
        Fail(what);
    }

    void Texts()
    {
        const ParamID id = AnyId();
        String128 text;
        for (Char16& c : text)
            c = kCanary;
        if (m_controller->getParamStringByValue(id, AnyValue(), text) == kResultOk)
            CheckTerminated(text, "getParamStringByValue wrote no terminator");
        // A host string of any content, terminated or not.
        String128 typed;
        const uint8_t length = m_in.Byte() % 129;
        for (int i = 0; i < 128; ++i)
            typed[i] = i < length ? static_cast<Char16>(m_in.Word()) : (i == length ? 0 : kCanary);
        ParamValue parsed = -1.0;
        if (m_controller->getParamValueByString(id, typed, parsed) == kResultOk && !(parsed >= 0.0 && parsed <= 1.0))
            Fail("a text read back to a value outside 0..1", id);
        ParameterInfo info;
        const int32_t index = static_cast<int32_t>(m_in.Byte()) - 8;
        if (m_controller->getParameterInfo(index, info) == kResultOk) {
            CheckTerminated(info.title, "a title without its terminator");
            CheckTerminated(info.units, "units without their terminator");
        }
        m_controller->normalizedParamToPlain(id, AnyValue());
        m_controller->plainParamToNormalized(id, AnyValue());
    }

    // The id is read before the value in every build (a call's arguments have no order).
    void SetNormalized()
    {
        const ParamID id = AnyId();
        m_controller->setParamNormalized(id, AnyValue());
    }

    void Programs()
    {
        String128 name;
        for (Char16& c : name)
            c = kCanary;
        const int32_t list = static_cast<int32_t>(m_in.Byte() % 3);
        const int32_t program = static_cast<int32_t>(m_in.Byte()) - 4;
        if (m_units->getProgramName(list, program, name) == kResultOk)
            CheckTerminated(name, "a program name without its terminator");
        UnitInfo unit;
        m_units->getUnitInfo(static_cast<int32_t>(m_in.Byte() % 3) - 1, unit);
        ProgramListInfo info;
        m_units->getProgramListInfo(static_cast<int32_t>(m_in.Byte() % 3) - 1, info);
    }

    void Setup()
    {
        static const double kRates[] = {44100.0, 48000.0, 96000.0, 8000.0, 1.0, 0.0, -1.0, 3072000.0, 1e12, NAN};
        const uint8_t choice = m_in.Byte();
        ProcessSetup setup{0, choice & 0x40 ? kSample64 : kSample32, static_cast<int32_t>(m_in.Word()) - 16,
                           choice < 192 ? kRates[choice % 10] : AnyValue()};
        m_processor->setupProcessing(setup);
        m_processor->canProcessSampleSize(static_cast<int32_t>(m_in.Byte()) - 1);
    }

    void Process()
    {
        if (m_frames > kFrameBudget)
            return;
        const uint8_t shape = m_in.Byte();
        int frames = shape & 0x80 ? static_cast<int>(m_in.Word() % (kMaxFrames + 1)) : shape % 65;
        if ((shape & 0x60) == 0x60)
            frames = -static_cast<int>(m_in.Byte());
        m_frames += frames > 0 ? frames : 0;
        const size_t size = static_cast<size_t>(frames > 0 ? frames : 1);
        std::vector<float> left(size), right(size), outLeft(size, 7.0f), outRight(size, 7.0f);
        CSampleNoise noise(m_in.Dword());
        for (size_t f = 0; f < size; ++f) {
            left[f] = noise.Audio();
            right[f] = (noise.Bits() & 1023) == 0 ? m_in.Float() : noise.Audio();
        }
        float* in[] = {left.data(), right.data()};
        float* out[] = {outLeft.data(), outRight.data()};
        AudioBusBuffers input{}, output{};
        input.numChannels = shape & 0x10 ? 1 : 2;
        output.numChannels = 2;
        input.channelBuffers32 = shape & 0x08 ? nullptr : in;
        output.channelBuffers32 = out;
        CParameterChanges changes;
        const int queues = m_in.Byte() % 5;
        for (int q = 0; q < queues; ++q) {
            const ParamID id = AnyId();
            const int points = 1 + m_in.Byte() % 4;
            for (int p = 0; p < points; ++p) {
                const int32_t offset = static_cast<int32_t>(m_in.Word()) - 8; // before the value, in every build
                changes.Add(id, offset, AnyValue());
            }
        }
        ProcessData data{};
        data.symbolicSampleSize = shape & 0x04 ? kSample64 : kSample32;
        data.numSamples = frames;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &input;
        data.outputs = &output;
        data.inputParameterChanges = queues ? &changes : nullptr;
        const tresult result = m_processor->process(data);
        if (result == kResultOk && frames > 0) {
            m_report.Add(outLeft.data(), static_cast<size_t>(frames));
            m_report.Add(outRight.data(), static_cast<size_t>(frames));
        }
        if (result == kResultOk && data.symbolicSampleSize == kSample32 && input.channelBuffers32 &&
            input.numChannels == 2)
            for (int f = 0; f < frames; ++f) {
                // Non-finite input may come out as it went in (bypass), anything else must be finite.
                const bool inputFinite = std::isfinite(left[static_cast<size_t>(f)]) && std::isfinite(right[static_cast<size_t>(f)]);
                if (inputFinite && !(std::isfinite(outLeft[static_cast<size_t>(f)]) && std::isfinite(outRight[static_cast<size_t>(f)])))
                    Fail("a non-finite sample from finite input", f);
            }
    }

    std::vector<uint8_t> State()
    {
        CMemoryStream stream;
        if (m_component->getState(&stream) != kResultOk)
            Fail("getState failed");
        return stream.Bytes();
    }

    void SaveAndRestore()
    {
        const std::vector<uint8_t> saved = State();
        CMemoryStream stream(saved);
        stream.readLimit = 1 + m_in.Byte();
        if (m_component->setState(&stream) != kResultOk)
            Fail("a saved state was refused", static_cast<long long>(saved.size()));
        if (State() != saved)
            Fail("a saved state did not restore as it was");
    }

    void HostileState()
    {
        const std::vector<uint8_t> before = State();
        std::vector<uint8_t> bytes;
        const uint8_t kind = m_in.Byte();
        if (kind & 1) {
            bytes = before; // a real stream, mutated
            const int changes = m_in.Byte() % 8;
            for (int c = 0; c < changes && !bytes.empty(); ++c)
                bytes[m_in.Word() % bytes.size()] = m_in.Byte();
            if (kind & 2)
                bytes.resize(m_in.Word() % (bytes.size() + 64));
        } else {
            bytes.resize(m_in.Byte());
            for (uint8_t& byte : bytes)
                byte = m_in.Byte();
        }
        CMemoryStream stream(bytes);
        stream.readLimit = 1 + m_in.Word();
        const tresult result = kind & 4 ? m_component->setState(&stream) : m_controller->setComponentState(&stream);
        if (stream.Position() > bytes.size())
            Fail("read past the stream's end");
        if (result != kResultOk && State() != before)
            Fail("a refused stream changed the state");
    }

    void CheckValues()
    {
        for (int32_t i = 0; i < m_parameters; ++i) {
            ParameterInfo info;
            if (m_controller->getParameterInfo(i, info) != kResultOk)
                Fail("a listed parameter has no info", i);
            const double value = m_controller->getParamNormalized(info.id);
            if (!(value >= 0.0 && value <= 1.0))
                Fail("a value outside 0..1", i);
        }
    }

    CFuzzInput& m_in;
    IComponent* m_component = nullptr;
    IAudioProcessor* m_processor = nullptr;
    IEditController* m_controller = nullptr;
    IUnitInfo* m_units = nullptr;
    CRecordingHandler m_handler;
    int32_t m_parameters = 0;
    long m_frames = 0;
    SSessionReport m_report{'V'};
};

} // namespace

SSessionReport RunVst3HostSession(const uint8_t* data, size_t size) { return PlaySession<CVst3Session>(data, size); }
