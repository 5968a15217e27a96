#include "ChorusTestSupport.h"
#include "EveryKernel.h"
#include "StereoChorus.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

// Renders a fixed input through the stereo chorus under changing settings and hashes every
// output bit. The Linux, 32-bit and 64-bit Windows builds must all produce the same hash: the
// plug-in sounds the same whichever build a host loads.
namespace {

// Two sines from a recursive oscillator (coefficients written out, so no maths library is
// involved) plus integer-generated noise: the same samples on every platform.
class CTestSignal
{
public:
    CTestSignal(double cosine2, double start, uint32_t seed) : m_c(cosine2), m_y1(start), m_noise(seed) {}
    float Next()
    {
        const double y = m_c * m_y1 - m_y2;
        m_y2 = m_y1;
        m_y1 = y;
        return static_cast<float>(0.6 * y) + 0.1f * m_noise.Next();
    }

private:
    double m_c;
    double m_y1;
    double m_y2 = 0.0;
    CNoise m_noise;
};

// 64-bit FNV-1a over the bit patterns of the samples, low byte first.
class CFnv1a
{
public:
    void Add(float sample)
    {
        uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        for (int i = 0; i < 4; ++i) {
            m_hash ^= (bits >> (8 * i)) & 0xFFu;
            m_hash *= 0x100000001B3ull;
        }
    }
    uint64_t Get() const { return m_hash; }

private:
    uint64_t m_hash = 0xCBF29CE484222325ull;
};

class CRender
{
public:
    explicit CRender(double sampleRate)
        : m_left(1.9990641851, 0.0306, 11), // about 215 Hz at 44100 Hz
          m_right(1.9916209, 0.0915, 12)    // about 640 Hz
    {
        m_chorus.Initialize(sampleRate, nullptr);
        const CValueArray defaults = Values({0, 100, 70, 20, 70, 0.4f, 100, 0});
        m_current = std::make_unique<CValueArray>(defaults);
    }

    // One block; with `target` the parameters ramp from the current values to it across the block.
    void Block(int frames, const ChorusSettings* target = nullptr, bool accumulate = false)
    {
        std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
        for (int f = 0; f < frames; ++f) {
            left[static_cast<size_t>(f)] = m_left.Next();
            right[static_cast<size_t>(f)] = m_right.Next();
        }
        StereoSignal existing = {std::vector<float>(left.size(), 0.25f), std::vector<float>(left.size(), -0.25f)};
        if (!target) {
            Hash(RunStereo(m_chorus, left, right, nullptr, accumulate, existing));
            return;
        }
        CValueArrayList ramp(2, 8);
        ramp.Assign(0, m_current.get());
        CValueArray step = Values(*target);
        ValuesToStep(m_current.get(), &step, frames);
        ramp.Assign(1, &step);
        Hash(RunStereo(m_chorus, left, right, &ramp, accumulate, existing));
        // The next block lands exactly on the target, as the host adapter makes it.
        m_current = std::make_unique<CValueArray>(Values(*target));
        m_chorus.SetParameters(m_current.get());
    }

    // A block with a three-entry ramp: values, first and second differences as given.
    void CurvedBlock(int frames, const ChorusSettings& first, const ChorusSettings& second)
    {
        std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
        for (int f = 0; f < frames; ++f) {
            left[static_cast<size_t>(f)] = m_left.Next();
            right[static_cast<size_t>(f)] = m_right.Next();
        }
        CValueArrayList ramp(3, 8);
        ramp.Assign(0, m_current.get());
        const CValueArray d1 = Values(first), d2 = Values(second);
        ramp.Assign(1, &d1);
        ramp.Assign(2, &d2);
        Hash(RunStereo(m_chorus, left, right, &ramp));
        m_chorus.SetParameters(m_current.get());
    }

    void Skip(int frames)
    {
        for (int f = 0; f < frames; ++f) {
            m_left.Next();
            m_right.Next();
        }
        m_chorus.Skip(frames);
    }

    void Tail(int frames)
    {
        m_chorus.ResetTail();
        std::vector<float> left(static_cast<size_t>(frames)), right(static_cast<size_t>(frames));
        CVectorBuffer bl(left.data(), frames), br(right.data(), frames);
        const CVectorBufferList outputs({&bl, &br});
        while (m_chorus.ProcessTailReplacing(&outputs, frames, nullptr))
            Hash({left, right});
    }

    uint64_t GetHash() const { return m_hash.Get(); }

private:
    void Hash(const StereoSignal& output)
    {
        for (size_t f = 0; f < output.first.size(); ++f) {
            m_hash.Add(output.first[f]);
            m_hash.Add(output.second[f]);
        }
    }

    CStereoChorus m_chorus;
    CTestSignal m_left, m_right;
    std::unique_ptr<CValueArray> m_current;
    CFnv1a m_hash;
};

// About three seconds: defaults, every factory preset in turn reached by a ramp, a curved
// delay ramp, a waveform switch inside a ramp, accumulating blocks, a bypassed stretch, the tail.
// The preset named `skipped`, if any, is left out.
uint64_t RenderScenario(double sampleRate, const char* skipped = nullptr)
{
    CRender render(sampleRate);
    for (int i = 0; i < 40; ++i)
        render.Block(i % 5 == 4 ? 441 : 512);

    const CPresetList* presets = CStereoChorus().GetPresets();
    for (int p = 0; p < presets->GetCount(); ++p) {
        const CPreset* preset = presets->GetItem(p);
        if (preset->GetKind() != 0 || (skipped && std::strcmp(preset->GetName(), skipped) == 0))
            continue;
        ChorusSettings target;
        for (int i = 0; i < 8; ++i)
            target[static_cast<size_t>(i)] = preset->GetValues().GetValue(i);
        render.Block(1024, &target);
        for (int i = 0; i < 8; ++i)
            render.Block(i == 3 ? 37 : 700, nullptr, i % 3 == 1);
    }

    const ChorusSettings base = {-1.5f, 90, 85, 12, 60, 1.7f, 75, 0};
    render.Block(256, &base);
    render.CurvedBlock(2048, {0, 0, 0, 0.001f, 0, 0, 0.01f, 0}, {0, 0, 0, 0.000002f, 0, 0, 0, 0});
    const ChorusSettings triangle = {-1.5f, 90, 85, 12, 60, 1.7f, 75, 1};
    render.Block(1, &triangle);
    render.Block(900, nullptr);
    const ChorusSettings backToSine = {0, 100, 100, 25, 90, 6.0f, 20, 0};
    render.Block(333, &backToSine, true);
    render.Block(4000);
    render.Skip(1234);
    render.Block(2000);
    render.Skip(10000);
    render.Block(1500);
    render.Tail(500);
    return render.GetHash();
}

} // namespace

TEST(RenderChecksum, SignalGeneratorStaysBoundedAndDeterministic)
{
    CTestSignal a(1.9990641851, 0.0306, 11), b(1.9990641851, 0.0306, 11);
    for (int i = 0; i < 200000; ++i) {
        const float x = a.Next();
        ASSERT_EQ(x, b.Next());
        ASSERT_LT(std::abs(x), 1.0f);
    }
}

TEST(RenderChecksum, StereoChorusAt44100RendersTheReferenceBits)
{
    OnEveryKernel([] {
        const uint64_t hash = RenderScenario(44100.0);
        EXPECT_EQ(hash, 0xe330705eaf8d2065ull) << std::hex << hash;
    });
}

TEST(RenderChecksum, StereoChorusAt96000RendersTheReferenceBits)
{
    OnEveryKernel([] {
        const uint64_t hash = RenderScenario(96000.0);
        EXPECT_EQ(hash, 0xc6b0076f01844d9eull) << std::hex << hash;
    });
}

// "De-pitch" alone reaches past the 4096-sample line the other presets fit: with it left out the
// scenario renders the bits it rendered before the line grew to hold it.
TEST(RenderChecksum, EveryPresetButDePitchRendersTheBitsOfTheShorterLine)
{
    OnEveryKernel([] {
        EXPECT_EQ(RenderScenario(44100.0, "De-pitch"), 0x0018d1c53f25b734ull);
        EXPECT_EQ(RenderScenario(96000.0, "De-pitch"), 0xa0bc1dfb336861a0ull);
    });
}
