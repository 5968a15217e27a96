#include "HostSession.h"
#include "FuzzInput.h"
#include "VstInterface.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback host);

namespace {

[[noreturn]] void Fail(const char* what, long long a = 0, long long b = 0)
{
    std::fprintf(stderr, "host session: %s (%lld, %lld)\n", what, a, b);
    std::abort();
}

constexpr VstInt32 kHighestOpcode = 85; // beyond the 2.3 set (76) and the later ones
constexpr size_t kTextBuffer = 256;
constexpr unsigned char kCanary = 0xA5;
constexpr size_t kStructBuffer = 1024; // larger than any record a request points at
constexpr int kMaxFrames = 8192;
constexpr long kFrameBudget = 1 << 15; // keeps one session fast enough to fuzz
constexpr int kMaxSteps = 4096;

// Bytes the plug-in may write for a text request (characters and NUL), or 0 when the pointer
// is not a text buffer to fill.
size_t TextPromise(VstInt32 opcode)
{
    switch (opcode) {
    case effGetParamLabel:
    case effGetParamName: return 24;
    case effGetParamDisplay: return 9;
    case effGetProgramName:
    case effGetProgramNameIndexed:
    case effGetEffectName: return 32;
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString: return 64;
    default: return 0;
    }
}

// Text requests the plug-in answers by always writing a terminated string.
bool AlwaysWritesText(VstInt32 opcode)
{
    return opcode == effGetProgramName || opcode == effGetParamLabel || opcode == effGetParamDisplay ||
           opcode == effGetParamName || opcode == effGetEffectName || opcode == effGetVendorString ||
           opcode == effGetProductString;
}

// Requests whose pointer carries a string to the plug-in.
bool ReadsText(VstInt32 opcode)
{
    return opcode == effSetProgramName || opcode == effString2Parameter || opcode == effCanDo;
}

// A host buffer of exactly the given size on the heap, so a sanitizer sees any access beyond it.
struct HostBuffer
{
    explicit HostBuffer(size_t bytes, unsigned char fill) : data(new unsigned char[bytes]), size(bytes)
    {
        std::memset(data.get(), fill, bytes);
    }
    std::unique_ptr<unsigned char[]> data;
    size_t size;
};

class CHostSession;
CHostSession* g_session = nullptr; // the host callback's way back to the session

class CHostSession
{
public:
    explicit CHostSession(CFuzzInput& input) : m_in(input) { g_session = this; }
    ~CHostSession() { g_session = nullptr; }

    void Run()
    {
        Open();
        for (int step = 0; step < kMaxSteps && !m_in.Empty(); ++step)
            Step();
        Close();
    }

    const SSessionReport& Report() const { return m_report; }

    VstIntPtr OnHostCall(AEffect* effect, VstInt32 opcode, VstInt32 index, float opt)
    {
        if (opcode == audioMasterVersion)
            return 2400;
        if (opcode == audioMasterAutomate) {
            if (effect != m_effect)
                Fail("automation reported for another record");
            if (index < 0 || index >= m_params)
                Fail("automation reported for a parameter the plug-in does not have", index);
            if (!std::isfinite(opt))
                Fail("automation reported a non-finite value", index);
        }
        return 0;
    }

private:
    static VstIntPtr HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
    {
        return g_session ? g_session->OnHostCall(effect, opcode, index, opt) : 0;
    }

    void Open()
    {
        m_effect = nullptr; // the record is unknown until the entry returns
        m_effect = VSTPluginMain(HostCallback);
        if (!m_effect)
            Fail("VSTPluginMain gave no record to a host of version 2400");
        if (m_effect->magic != kEffectMagic || !m_effect->dispatcher || !m_effect->process ||
            !m_effect->processReplacing || !m_effect->setParameter || !m_effect->getParameter)
            Fail("record without magic or entry points");
        m_params = m_effect->numParams;
        m_programs = m_effect->numPrograms;
        m_inputs = m_effect->numInputs;
        m_outputs = m_effect->numOutputs;
        if (m_params < 1 || m_programs < 1 || m_inputs < 1 || m_outputs < 1 || m_inputs > 64 || m_outputs > 64)
            Fail("record publishes unusable counts", m_inputs, m_outputs);
        m_flags = m_effect->flags;
        m_uniqueId = m_effect->uniqueID;
    }

    void Close()
    {
        if (Dispatch(effClose) != 1)
            Fail("effClose did not answer 1");
        m_effect = nullptr;
    }

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0)
    {
        const VstIntPtr result = m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt);
        if (opcode != effClose)
            CheckRecord();
        return result;
    }

    void CheckRecord() const
    {
        if (m_effect->magic != kEffectMagic || m_effect->numParams != m_params || m_effect->numPrograms != m_programs ||
            m_effect->numInputs != m_inputs || m_effect->numOutputs != m_outputs || m_effect->flags != m_flags ||
            m_effect->uniqueID != m_uniqueId)
            Fail("the record changed under the host");
    }

    void Step()
    {
        switch (m_in.Byte() % 12) {
        case 0:
        case 1: AnyRequest(); break;
        case 2: SetParameter(); break;
        case 3: m_effect->getParameter(m_effect, ParameterIndex()); break;
        case 4:
        case 5: ProcessBlock(true); break;
        case 6: ProcessBlock(false); break;
        case 7: ChangeAudioSetup(); break;
        case 8: ChangeProgram(); break;
        case 9: ReadAllTexts(); break;
        case 10: RenameProgram(); break;
        default:
            Close();
            Open();
            if (m_in.Byte() & 1)
                Dispatch(effOpen);
            break;
        }
    }

    VstInt32 ParameterIndex()
    {
        const uint8_t choice = m_in.Byte();
        if (choice < 224)
            return static_cast<VstInt32>(choice % (m_params + 3)) - 1; // -1 .. numParams + 1
        return static_cast<VstInt32>(m_in.Dword());
    }

    // One dispatcher request with arguments as a host may send them: any index, value and option,
    // and either no pointer or one to memory of the kind the opcode expects.
    void AnyRequest()
    {
        const uint8_t choice = m_in.Byte();
        VstInt32 opcode = choice < 240 ? choice % (kHighestOpcode + 1) : static_cast<VstInt32>(m_in.Dword());
        if (opcode == effClose) {
            Close();
            Open();
            return;
        }
        const VstInt32 index = choice & 1 ? ParameterIndex() : static_cast<VstInt32>(m_in.Value());
        VstIntPtr value = m_in.Value();
        const float opt = m_in.Float();
        const bool withPointer = (m_in.Byte() & 3) != 0;

        if (const size_t promise = TextPromise(opcode)) {
            HostBuffer text(kTextBuffer, kCanary);
            Dispatch(opcode, index, value, withPointer ? text.data.get() : nullptr, opt);
            if (withPointer)
                CheckText(text, promise, AlwaysWritesText(opcode), opcode);
        } else if (ReadsText(opcode)) {
            const std::string text = RandomText();
            std::vector<char> buffer(text.begin(), text.end());
            buffer.push_back('\0');
            Dispatch(opcode, index, value, withPointer ? buffer.data() : nullptr, opt);
        } else if (opcode == effEditGetRect || opcode == effGetChunk) {
            void* slot = &m_in; // a stale pointer the plug-in must not hand back as its answer
            void* const before = slot;
            const VstIntPtr result = Dispatch(opcode, index, value, withPointer ? &slot : nullptr, opt);
            if (opcode == effGetChunk && (result != 0 || slot != before))
                Fail("effGetChunk answered without chunk support", static_cast<long long>(result));
            if (opcode == effEditGetRect && !(m_flags & effFlagsHasEditor) && (result != 0 || slot != before))
                Fail("effEditGetRect answered without an editor", static_cast<long long>(result));
        } else if (opcode == effGetSpeakerArrangement) {
            void* inputSlot = &m_in;
            void* outputSlot = &m_in;
            const bool withValue = (m_in.Byte() & 3) != 0;
            Dispatch(opcode, index, withValue ? reinterpret_cast<VstIntPtr>(&inputSlot) : 0,
                     withPointer ? &outputSlot : nullptr, opt);
            if ((withValue && inputSlot) || (withPointer && outputSlot))
                Fail("effGetSpeakerArrangement left an arrangement pointer in place");
        } else if (opcode == effSetSpeakerArrangement) {
            HostBuffer input(kStructBuffer, 0), output(kStructBuffer, 0);
            Dispatch(opcode, index, m_in.Byte() & 1 ? reinterpret_cast<VstIntPtr>(input.data.get()) : 0,
                     withPointer ? output.data.get() : nullptr, opt);
        } else if (opcode == effSetChunk) {
            const size_t size = m_in.Word() % 4096; // read apart: a call's arguments have no order
            HostBuffer chunk(size, m_in.Byte());
            Dispatch(opcode, index, static_cast<VstIntPtr>(chunk.size), withPointer ? chunk.data.get() : nullptr, opt);
        } else {
            if (opcode == effSetProgram && (m_in.Byte() & 1))
                value = static_cast<VstIntPtr>(m_in.Byte() % (m_programs + 2));
            HostBuffer record(kStructBuffer, 0);
            const VstIntPtr result = Dispatch(opcode, index, value, withPointer ? record.data.get() : nullptr, opt);
            if (opcode == effGetProgram && (result < 0 || result >= m_programs))
                Fail("effGetProgram answered a program the plug-in does not have", static_cast<long long>(result));
        }
    }

    std::string RandomText()
    {
        std::string text(m_in.Byte(), ' ');
        for (char& c : text) {
            const uint8_t b = m_in.Byte();
            c = static_cast<char>(b ? b : 'x');
        }
        return text;
    }

    void CheckText(const HostBuffer& text, size_t promise, bool mustWrite, VstInt32 opcode) const
    {
        for (size_t i = promise; i < text.size; ++i)
            if (text.data[i] != kCanary)
                Fail("text written past the host's limit", opcode, static_cast<long long>(i));
        if (mustWrite && !std::memchr(text.data.get(), '\0', promise))
            Fail("text request left the host's buffer unterminated", opcode);
    }

    void SetParameter()
    {
        const VstInt32 index = ParameterIndex();
        const float value = m_in.Float();
        m_effect->setParameter(m_effect, index, value);
        const float read = m_effect->getParameter(m_effect, index);
        if (!std::isfinite(read))
            Fail("getParameter gave a non-finite value", index);
        if (index == 0 && read != 0.0f && read != 1.0f)
            Fail("bypass reads neither 0 nor 1");
        if (index > 0 && index < m_params && std::isfinite(value) && read != value)
            Fail("getParameter lost the value just set", index);
    }

    void ChangeProgram()
    {
        const uint8_t choice = m_in.Byte();
        const VstIntPtr program = choice < 240 ? static_cast<VstIntPtr>(choice % (m_programs + 2)) : m_in.Value();
        const VstIntPtr before = Dispatch(effGetProgram);
        Dispatch(effSetProgram, 0, program);
        const VstIntPtr now = Dispatch(effGetProgram);
        if (now < 0 || now >= m_programs)
            Fail("effGetProgram answered a program the plug-in does not have", static_cast<long long>(now));
        if (program >= 0 && program < m_programs && now != program)
            Fail("effSetProgram did not select a valid program", static_cast<long long>(program));
        if ((program < 0 || program >= m_programs) && now != before)
            Fail("effSetProgram with an invalid program changed the current one", static_cast<long long>(program));
    }

    void RenameProgram()
    {
        const std::string name = RandomText();
        Dispatch(effSetProgramName, 0, 0, const_cast<char*>(name.c_str()));
        HostBuffer text(kTextBuffer, kCanary);
        Dispatch(effGetProgramName, 0, 0, text.data.get());
        CheckText(text, 32, true, effGetProgramName);
        if (name.compare(0, 31, reinterpret_cast<const char*>(text.data.get())) != 0)
            Fail("a program name did not come back as set (first 31 characters)");
    }

    void ReadAllTexts()
    {
        static const VstInt32 kOpcodes[] = {effGetParamName, effGetParamLabel, effGetParamDisplay};
        for (VstInt32 index = -1; index <= m_params; ++index)
            for (VstInt32 opcode : kOpcodes) {
                HostBuffer text(kTextBuffer, kCanary);
                Dispatch(opcode, index, 0, text.data.get());
                CheckText(text, TextPromise(opcode), true, opcode);
            }
    }

    // Sample rate and block size as hosts change them: stop, set, start again.
    void ChangeAudioSetup()
    {
        static const float kRates[] = {8000.0f, 22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 176400.0f,
                                       192000.0f, 384000.0f, 768000.0f};
        const uint8_t choice = m_in.Byte();
        const float rate = choice < 192 ? kRates[choice % 10] : m_in.Float();
        const VstIntPtr blockSize = choice & 1 ? static_cast<VstIntPtr>(m_in.Word()) : m_in.Value();
        const uint8_t how = m_in.Byte();
        if (how & 1)
            Dispatch(effMainsChanged, 0, 0);
        if (how & 2) {
            Dispatch(effSetBlockSizeAndSampleRate, 0, blockSize, nullptr, rate);
        } else {
            Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
            Dispatch(effSetBlockSize, 0, blockSize);
        }
        if (!(how & 4))
            Dispatch(effMainsChanged, 0, 1);
    }

    void FillSamples(float* samples, int frames, uint8_t kind, CSampleNoise& noise)
    {
        for (int f = 0; f < frames; ++f) {
            switch (kind % 4) {
            case 0: samples[f] = 0.0f; break;
            case 1: samples[f] = noise.Audio(); break;
            case 2: {
                const uint32_t bits = noise.Bits();
                std::memcpy(&samples[f], &bits, sizeof bits);
                break;
            }
            default: samples[f] = (noise.Bits() & 255) == 0 ? m_in.Float() : noise.Audio(); break;
            }
        }
    }

    // One audio block: separate, in-place, aliased-input or crossed buffers of any length.
    void ProcessBlock(bool replacing)
    {
        int frames = m_in.Word() % (kMaxFrames + 1);
        if (m_framesUsed + frames > kFrameBudget)
            frames %= 64;
        m_framesUsed += frames;
        const uint8_t layout = m_in.Byte() % 4;
        const uint8_t kind = m_in.Byte();
        CSampleNoise noise(m_in.Dword());

        std::vector<std::unique_ptr<float[]>> storage;
        std::vector<float*> inputs, outputs;
        for (int c = 0; c < m_inputs; ++c) {
            storage.emplace_back(new float[static_cast<size_t>(frames)]);
            FillSamples(storage.back().get(), frames, kind, noise);
            inputs.push_back(storage.back().get());
        }
        if (layout == 2)
            for (int c = 1; c < m_inputs; ++c)
                inputs[static_cast<size_t>(c)] = inputs[0];
        for (int c = 0; c < m_outputs; ++c) {
            const bool shared = (layout == 1 || layout == 3) && m_outputs == m_inputs;
            if (shared) {
                const int source = layout == 1 ? c : m_inputs - 1 - c;
                outputs.push_back(inputs[static_cast<size_t>(source)]);
            } else {
                storage.emplace_back(new float[static_cast<size_t>(frames)]);
                FillSamples(storage.back().get(), frames, 1, noise); // a host's mix, for accumulating
                outputs.push_back(storage.back().get());
            }
        }
        std::vector<std::vector<float>> original;
        for (float* channel : inputs)
            original.emplace_back(channel, channel + frames);

        const bool bypassed = m_effect->getParameter(m_effect, 0) > 0.5f;
        if (replacing)
            m_effect->processReplacing(m_effect, inputs.data(), outputs.data(), frames);
        else
            m_effect->process(m_effect, inputs.data(), outputs.data(), frames);
        CheckRecord();
        for (float* channel : outputs)
            m_report.Add(channel, static_cast<size_t>(frames));
        if (!replacing)
            return;

        if (!bypassed) {
            // The effect's every sample is held finite, whatever the input and the parameters.
            for (int c = 0; c < m_outputs; ++c)
                for (int f = 0; f < frames; ++f)
                    if (!std::isfinite(outputs[static_cast<size_t>(c)][f]))
                        Fail("a rendered sample is not finite", c, f);
        } else if (layout != 3) {
            // Bypassed, each output is its input, bit for bit (the last input feeds extra outputs).
            for (int c = 0; c < m_outputs; ++c) {
                const std::vector<float>& in = original[static_cast<size_t>(c < m_inputs ? c : m_inputs - 1)];
                if (frames && std::memcmp(outputs[static_cast<size_t>(c)], in.data(), in.size() * sizeof(float)))
                    Fail("bypass did not pass the input through", c);
            }
        }
    }

    CFuzzInput& m_in;
    AEffect* m_effect = nullptr;
    VstInt32 m_params = 0;
    VstInt32 m_programs = 0;
    VstInt32 m_inputs = 0;
    VstInt32 m_outputs = 0;
    VstInt32 m_flags = 0;
    VstInt32 m_uniqueId = 0;
    long m_framesUsed = 0;
    SSessionReport m_report;
};

} // namespace

SSessionReport RunHostSession(const uint8_t* data, size_t size) { return PlaySession<CHostSession>(data, size); }
