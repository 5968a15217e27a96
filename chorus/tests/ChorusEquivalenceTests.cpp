#include "EveryKernel.h"
#include "ChorusPresets.h"
#include "ChorusTestSupport.h"
#include "ReferenceChorus.h"
#include "StereoChorus.h"
#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

// Drives the optimised chorus and the per-frame reference through the same long random sequence
// of calls and demands the same output bits and the same state after every call.
namespace {

uint32_t Bits(float x)
{
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

uint64_t Bits(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// A small deterministic generator, the same on every platform.
class CRandom
{
public:
    explicit CRandom(uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    float Uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(Next() >> 8) / 16777216.0f; }

private:
    uint32_t m_state;
};

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// A value a host could drive a parameter to, nonsense included.
float Extreme(CRandom& random)
{
    const float values[] = {-0.0f, 0.0f, kInf, -kInf, kNaN, FLT_MAX, -FLT_MAX, 1e-40f, -1e-40f, 1e30f, -1e30f,
                            1e9f, -1e9f, 5e6f, -5e6f, 1e-7f, 4096.0f, 2147483648.0f, -2147483648.0f};
    return values[random.Below(static_cast<int>(sizeof values / sizeof values[0]))];
}

float LfoType(CRandom& random)
{
    const float types[] = {0.0f, 1.0f, 2.0f, 0.0f, 1.0f, -0.0f, 0.5f, 3.0f, -1.0f, kNaN};
    return types[random.Below(random.Chance(80) ? 5 : 10)];
}

// Real parameter values: mostly in range, sometimes beyond it, now and then absurd.
ChorusSettings RandomSettings(CRandom& random)
{
    const float lo[] = {-20, 0, 0, 0, 0, 0, 0};
    const float hi[] = {20, 100, 100, 30, 100, 20, 100};
    ChorusSettings s;
    for (int p = 0; p < 7; ++p) {
        const int kind = random.Below(100);
        s[static_cast<size_t>(p)] = kind < 75   ? random.Uniform(lo[p], hi[p])
                                  : kind < 92 ? random.Uniform(lo[p] - 2 * (hi[p] - lo[p]), hi[p] + 3 * (hi[p] - lo[p]))
                                              : Extreme(random);
    }
    s[7] = LfoType(random);
    return s;
}

// Per-frame steps: zero (of either sign) for some parameters, small or large for others.
ChorusSettings RandomSteps(CRandom& random, float scale)
{
    ChorusSettings s;
    for (int p = 0; p < 8; ++p) {
        const int kind = random.Below(100);
        s[static_cast<size_t>(p)] = kind < 30 ? 0.0f
                                  : kind < 40 ? -0.0f
                                  : kind < 96 ? random.Uniform(-scale, scale)
                                              : Extreme(random);
    }
    if (random.Chance(70))
        s[7] = random.Chance(80) ? 0.0f : random.Uniform(-0.02f, 0.02f);
    return s;
}

// A ramp in which only a few parameters move, as when one to three knobs are turned: the others
// start anywhere (-0, NaN and the infinities included) and step by zeros of either sign.
void KnobSubset(CRandom& random, ChorusSettings& start, ChorusSettings& step, ChorusSettings& curve)
{
    const int moving = 1 + random.Below(3);
    bool moves[8] = {};
    for (int k = 0; k < moving; ++k)
        moves[random.Chance(60) ? 3 + random.Below(2) : random.Below(7)] = true;
    for (int p = 0; p < 8; ++p) {
        if (moves[p]) {
            if (random.Chance(10))
                step[static_cast<size_t>(p)] = Extreme(random);
            continue;
        }
        step[static_cast<size_t>(p)] = random.Chance(50) ? 0.0f : -0.0f;
        curve[static_cast<size_t>(p)] = random.Chance(50) ? 0.0f : -0.0f;
        if (p < 7 && random.Chance(15))
            start[static_cast<size_t>(p)] = Extreme(random);
    }
    // Now and then the moving ones move only on the curve, or the curve alone stays zero.
    for (int p = 0; p < 8; ++p)
        if (moves[p] && random.Chance(10))
            step[static_cast<size_t>(p)] = random.Chance(50) ? 0.0f : -0.0f;
}

ChorusSettings PresetSettings(const CPresetList* presets, int index)
{
    ChorusSettings s = kDefaults;
    const CPreset* preset = presets->GetItem(index % presets->GetCount());
    for (int i = 0; i < 8; ++i)
        s[static_cast<size_t>(i)] = preset->GetValues().GetValue(i);
    return s;
}

const int kBlockSizes[] = {0, 1, 2, 3, 157, 512, 4096};

// How the channels lie in memory for one block. kOverlapping writes each output one sample
// past its input, so every output sample overwrites the input of the next frame. kCrossed writes
// each channel's output one sample past the next channel's input, so the right channel reads what
// the left one wrote and the right one writes inputs the left one has yet to read.
enum Layout { kSeparate, kInPlace, kInterleaved, kInterleavedInPlace, kWideInput, kOverlapping, kCrossed, kLayoutCount };

// The buffers one effect processes: channel c of frame f at data + offset(c) + f * stride.
struct CBlockBuffers
{
    CBlockBuffers(Layout layout, int channels, int frames, const std::vector<float>& input,
                  const std::vector<float>& output)
        : in(input), out(output)
    {
        const bool interleaved = layout == kInterleaved || layout == kInterleavedInPlace;
        const int inStride = interleaved ? channels : layout == kWideInput ? 3 : 1;
        const int outStride = interleaved ? channels : 1;
        const bool inPlace = layout == kInPlace || layout == kInterleavedInPlace;
        for (int c = 0; c < channels; ++c) {
            const int inBase = interleaved ? c : c * (frames * inStride + 1);
            const int outBase = interleaved ? c : c * frames * outStride;
            ins.push_back(std::make_unique<CVectorBuffer>(in.data() + inBase, frames, inStride));
            const int next = (c + 1) % channels * (frames * inStride + 1) + 1;
            outs.push_back(inPlace ? std::make_unique<CVectorBuffer>(in.data() + inBase, frames, inStride)
                           : layout == kCrossed ? std::make_unique<CVectorBuffer>(in.data() + next, frames)
                           : layout == kOverlapping ? std::make_unique<CVectorBuffer>(in.data() + inBase + 1, frames)
                                                    : std::make_unique<CVectorBuffer>(out.data() + outBase, frames, outStride));
        }
        std::vector<CVectorBuffer*> inPointers, outPointers;
        for (auto& b : ins)
            inPointers.push_back(b.get());
        for (auto& b : outs)
            outPointers.push_back(b.get());
        inputs = std::make_unique<CVectorBufferList>(inPointers);
        outputs = std::make_unique<CVectorBufferList>(outPointers);
    }

    std::vector<float> in, out;
    std::vector<std::unique_ptr<CVectorBuffer>> ins, outs;
    std::unique_ptr<CVectorBufferList> inputs, outputs;
};

// The first differing float of two buffers, or -1.
int FirstDifference(const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size())
        return 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (Bits(a[i]) != Bits(b[i]))
            return static_cast<int>(i);
    return -1;
}

// Everything the frame loop carries from one block to the next, bit for bit.
template <class A, class B>
::testing::AssertionResult SameState(const A& a, const B& b)
{
    auto fail = [](const char* what) { return ::testing::AssertionFailure() << "state differs: " << what; };
    if (Bits(a.GetDryGain()) != Bits(b.GetDryGain()))
        return fail("dry gain");
    if (Bits(a.GetWetGain()) != Bits(b.GetWetGain()))
        return fail("wet gain");
    if (Bits(a.GetBaseDelay()) != Bits(b.GetBaseDelay()))
        return fail("base delay");
    if (Bits(a.GetDepth()) != Bits(b.GetDepth()))
        return fail("depth");
    if (a.IsTriangle() != b.IsTriangle())
        return fail("oscillator");
    if (Bits(a.GetLfo().phase) != Bits(b.GetLfo().phase))
        return fail("phase");
    if (Bits(a.GetLfo().increment) != Bits(b.GetLfo().increment))
        return fail("increment");
    if (Bits(a.GetLfo().offset) != Bits(b.GetLfo().offset))
        return fail("offset");
    for (int s = 0; s < 3; ++s)
        for (int p = 0; p < 8; ++p)
            if (Bits(a.GetRampSet(s)[p]) != Bits(b.GetRampSet(s)[p]))
                return fail("ramp set");
    const CRingBuffer& la = a.GetDelayLine();
    const CRingBuffer& lb = b.GetDelayLine();
    if (la.GetSize() != lb.GetSize() || la.GetPosition() != lb.GetPosition())
        return fail("delay line position");
    if (la.GetSize() && std::memcmp(la.Data(), lb.Data(), sizeof(float) * static_cast<size_t>(la.GetSize())) != 0)
        return fail("delay line contents");
    return ::testing::AssertionSuccess();
}

struct CMonoPair
{
    using Optimised = CChorus;
    using Reference = CReferenceChorus;
    static constexpr int kChannels = 1;
    static const CPresetList* Presets() { return MonoChorusPresets(); }
    static ::testing::AssertionResult Same(const CChorus& a, const CReferenceChorus& b) { return SameState(a, b); }
};

struct CStereoPair
{
    using Optimised = CStereoChorus;
    using Reference = CReferenceStereoChorus;
    static constexpr int kChannels = 2;
    static const CPresetList* Presets() { return StereoChorusPresets(); }
    static ::testing::AssertionResult Same(CStereoChorus& a, CReferenceStereoChorus& b)
    {
        const ::testing::AssertionResult left = SameState(a.Left(), b.Left());
        return left ? SameState(a.Right(), b.Right()) : left;
    }
};

// One optimised effect and one reference, always handed the same calls.
template <class Pair>
class CTwin
{
public:
    using Optimised = typename Pair::Optimised;
    using Reference = typename Pair::Reference;

    CTwin(uint32_t seed, double sampleRate) : m_random(seed)
    {
        m_fast = std::make_unique<Optimised>();
        m_slow = std::make_unique<Reference>();
        Initialize(sampleRate);
    }

    // Runs `steps` random calls; stops at the first difference.
    ::testing::AssertionResult Run(int steps)
    {
        for (m_step = 0; m_step < steps; ++m_step) {
            ::testing::AssertionResult result = Step();
            if (!result)
                return result << " (step " << m_step << ": " << m_last << ")";
        }
        return ::testing::AssertionSuccess();
    }

    // One block of `frames` through both, with the given ramp; compares output and state.
    ::testing::AssertionResult Block(int frames, const CValueArrayList* ramp, bool accumulate, Layout layout)
    {
        const int channels = Pair::kChannels;
        const size_t size = static_cast<size_t>(channels * frames * 3 + 4);
        std::vector<float> input(size), output(size);
        for (float& x : input)
            x = m_random.Chance(1) ? Extreme(m_random) : m_random.Uniform(-1.0f, 1.0f);
        for (float& y : output)
            y = m_random.Uniform(-0.5f, 0.5f);
        CBlockBuffers fast(layout, channels, frames, input, output), slow(layout, channels, frames, input, output);
        if (accumulate) {
            m_fast->ProcessAccumulating(fast.inputs.get(), fast.outputs.get(), frames, ramp);
            m_slow->ProcessAccumulating(slow.inputs.get(), slow.outputs.get(), frames, ramp);
        } else {
            m_fast->ProcessReplacing(fast.inputs.get(), fast.outputs.get(), frames, ramp);
            m_slow->ProcessReplacing(slow.inputs.get(), slow.outputs.get(), frames, ramp);
        }
        return Compare(fast.in, slow.in, fast.out, slow.out);
    }

    // One block whose parameters ramp linearly from the current values to `target`, as the host
    // adapter sends it; afterwards both land on the target.
    ::testing::AssertionResult RampBlock(int frames, const ChorusSettings& target, bool accumulate, Layout layout)
    {
        const CValueArray first = Values(m_current);
        CValueArray step = Values(target);
        ValuesToStep(&first, &step, frames);
        m_ramp.Assign(0, &first);
        m_ramp.Assign(1, &step);
        m_ramp.used = 2;
        const ::testing::AssertionResult result = Block(frames, &m_ramp, accumulate, layout);
        SetParameters(target);
        return result;
    }

    // One block with a three-entry ramp from the current values: first and second differences.
    ::testing::AssertionResult CurvedBlock(int frames, const ChorusSettings& first, const ChorusSettings& second,
                                           Layout layout)
    {
        const CValueArray start = Values(m_current), d1 = Values(first), d2 = Values(second);
        m_ramp.Assign(0, &start);
        m_ramp.Assign(1, &d1);
        m_ramp.Assign(2, &d2);
        m_ramp.used = 3;
        return Block(frames, &m_ramp, false, layout);
    }

    void SetParameters(const ChorusSettings& settings)
    {
        const CValueArray values = Values(settings);
        m_fast->SetParameters(&values);
        m_slow->SetParameters(&values);
        m_current = settings;
    }

    void Initialize(double sampleRate)
    {
        m_fast->Initialize(sampleRate, nullptr);
        m_slow->Initialize(sampleRate, nullptr);
    }

    ::testing::AssertionResult SameState() { return Pair::Same(*m_fast, *m_slow); }

private:
    ::testing::AssertionResult Compare(const std::vector<float>& fastIn, const std::vector<float>& slowIn,
                                       const std::vector<float>& fastOut, const std::vector<float>& slowOut)
    {
        const int inDiff = FirstDifference(fastIn, slowIn);
        if (inDiff >= 0)
            return ::testing::AssertionFailure() << "in-place buffer differs at " << inDiff;
        const int outDiff = FirstDifference(fastOut, slowOut);
        if (outDiff >= 0)
            return ::testing::AssertionFailure()
                << "output differs at " << outDiff << ": " << fastOut[static_cast<size_t>(outDiff)] << " vs "
                << slowOut[static_cast<size_t>(outDiff)];
        return SameState();
    }

    int RandomFrames() { return kBlockSizes[m_random.Below(7)]; }

    // A ramp as the host adapter sends it (start and step towards a target), or a curved one,
    // or a short, odd or over-long list.
    void FillRamp(CValueArrayList& list, int frames)
    {
        ChorusSettings start = m_random.Chance(50) ? m_current : RandomSettings(m_random);
        if (m_random.Chance(40)) {
            ChorusSettings step = RandomSteps(m_random, m_random.Chance(50) ? 0.01f : 1.0f);
            ChorusSettings curve = RandomSteps(m_random, 1e-4f);
            KnobSubset(m_random, start, step, curve);
            const CValueArray first = Values(start), steps = Values(step), curves = Values(curve);
            list.Assign(0, &first);
            list.Assign(1, &steps);
            list.Assign(2, &curves);
            m_current = start;
            return;
        }
        const CValueArray first = Values(start);
        list.Assign(0, &first);
        if (m_random.Chance(40)) {
            const ChorusSettings target = m_random.Chance(30) ? PresetSettings(Pair::Presets(), m_random.Below(100))
                                                              : RandomSettings(m_random);
            CValueArray step = Values(target);
            ValuesToStep(&first, &step, frames);
            list.Assign(1, &step);
        } else {
            const CValueArray step = Values(RandomSteps(m_random, m_random.Chance(50) ? 0.01f : 1.0f));
            list.Assign(1, &step);
        }
        const CValueArray second = Values(RandomSteps(m_random, 1e-4f));
        list.Assign(2, &second);
        m_current = start;
    }

    ::testing::AssertionResult ProcessStep(bool withRamp)
    {
        const int frames = RandomFrames();
        const bool accumulate = m_random.Chance(40);
        const Layout layout = static_cast<Layout>(m_random.Below(kLayoutCount));
        m_last = std::string(accumulate ? "accumulating " : "replacing ") + std::to_string(frames) + " frames, layout "
               + std::to_string(layout);
        if (!withRamp)
            return Block(frames, m_random.Chance(10) ? &m_emptyRamp : nullptr, accumulate, layout);
        CValueArrayList& list = m_random.Chance(5) ? m_oddRamp : m_ramp;
        if (&list == &m_ramp)
            FillRamp(list, frames);
        list.used = m_random.Chance(10) ? 1 : m_random.Chance(70) ? 2 : m_random.Chance(80) ? 3 : 4;
        m_last += ", ramp of " + std::to_string(list.used);
        return Block(frames, &list, accumulate, layout);
    }

    ::testing::AssertionResult Step()
    {
        const int kind = m_random.Below(100);
        if (kind < 40)
            return ProcessStep(false);
        if (kind < 70)
            return ProcessStep(true);
        if (kind < 78) {
            m_last = "set parameters";
            const int source = m_random.Below(3);
            SetParameters(source == 0 ? kDefaults
                          : source == 1 ? PresetSettings(Pair::Presets(), m_random.Below(100))
                                        : RandomSettings(m_random));
        } else if (kind < 82) {
            m_last = "odd parameter arrays";
            const CValueArray odd(nullptr, 5);
            m_fast->SetParameters(m_random.Chance(50) ? &odd : nullptr);
            m_slow->SetParameters(m_random.Chance(50) ? &odd : nullptr);
        } else if (kind < 88) {
            const int frames = m_random.Chance(80) ? m_random.Below(5000) : 100000;
            m_last = "skip " + std::to_string(frames);
            m_fast->Skip(frames);
            m_slow->Skip(frames);
        } else if (kind < 91) {
            m_last = "reset";
            ResetBoth();
        } else if (kind < 95) {
            m_last = "tail";
            return TailStep();
        } else if (kind < 97) {
            m_last = "clone";
            m_fast.reset(static_cast<Optimised*>(m_fast->Clone()));
            m_slow.reset(static_cast<Reference*>(m_slow->Clone()));
        } else {
            // 0 Hz: a host that never told the rate; the chorus must still behave the same.
            const double rates[] = {44100.0, 96000.0, 8000.0, 0.0};
            m_last = "initialize";
            Initialize(rates[m_random.Below(4)]);
            m_current = kDefaults;
        }
        return SameState();
    }

    void ResetBoth();

    ::testing::AssertionResult TailStep()
    {
        const int frames = RandomFrames();
        const bool accumulate = m_random.Chance(50);
        const size_t size = static_cast<size_t>(Pair::kChannels * frames + 1);
        std::vector<float> fastOut(size, 0.125f), slowOut(size, 0.125f);
        std::vector<std::unique_ptr<CVectorBuffer>> fb, sb;
        std::vector<CVectorBuffer*> fp, sp;
        for (int c = 0; c < Pair::kChannels; ++c) {
            fb.push_back(std::make_unique<CVectorBuffer>(fastOut.data() + c * frames, frames));
            sb.push_back(std::make_unique<CVectorBuffer>(slowOut.data() + c * frames, frames));
            fp.push_back(fb.back().get());
            sp.push_back(sb.back().get());
        }
        const CVectorBufferList fastList(fp), slowList(sp);
        if (m_random.Chance(30)) {
            m_fast->ResetTail();
            m_slow->ResetTail();
        }
        const bool a = accumulate ? m_fast->ProcessTailAccumulating(&fastList, frames, nullptr)
                                  : m_fast->ProcessTailReplacing(&fastList, frames, nullptr);
        const bool b = accumulate ? m_slow->ProcessTailAccumulating(&slowList, frames, nullptr)
                                  : m_slow->ProcessTailReplacing(&slowList, frames, nullptr);
        if (a != b)
            return ::testing::AssertionFailure() << "tail state differs";
        return Compare({}, {}, fastOut, slowOut);
    }

    CRandom m_random;
    std::unique_ptr<Optimised> m_fast;
    std::unique_ptr<Reference> m_slow;
    CValueArrayList m_ramp{3, 8};
    CValueArrayList m_oddRamp{3, 5};
    CValueArrayList m_emptyRamp{3, 8};
    ChorusSettings m_current = kDefaults;
    int m_step = 0;
    std::string m_last;
};

template <>
void CTwin<CMonoPair>::ResetBoth()
{
    m_fast->Reset();
    m_slow->Reset();
}

template <>
void CTwin<CStereoPair>::ResetBoth()
{
    m_fast->Left().Reset();
    m_fast->Right().Reset();
    m_slow->Left().Reset();
    m_slow->Right().Reset();
}

const double kRates[] = {44100.0, 96000.0, 8000.0};

} // namespace

// Every program (the defaults and each factory preset) with each waveform, at each sample rate,
// through blocks of every size: steady, ramped towards the next program, and curved.
template <class Pair>
void SweepPrograms()
{
    const CPresetList* presets = Pair::Presets();
    std::vector<ChorusSettings> programs = {kDefaults};
    for (int p = 0; p < presets->GetCount(); ++p)
        if (presets->GetItem(p)->GetKind() == CPreset::kValues)
            programs.push_back(PresetSettings(presets, p));
    for (double rate : kRates)
        for (float type : {0.0f, 1.0f, 2.0f})
            for (size_t p = 0; p < programs.size(); ++p) {
                CTwin<Pair> twin(static_cast<uint32_t>(p + 1), rate);
                ChorusSettings program = programs[p], next = programs[(p + 1) % programs.size()];
                program[7] = type;
                twin.SetParameters(program);
                const std::string where = "rate " + std::to_string(rate) + ", type " + std::to_string(type)
                                        + ", program " + std::to_string(p);
                for (int frames : kBlockSizes) {
                    const std::string block = where + ", " + std::to_string(frames) + " frames";
                    ASSERT_TRUE(twin.Block(frames, nullptr, false, kSeparate)) << block;
                    ASSERT_TRUE(twin.Block(frames, nullptr, true, kInterleaved)) << block;
                    ASSERT_TRUE(twin.Block(frames, nullptr, false, kCrossed)) << block;
                    ASSERT_TRUE(twin.RampBlock(frames, next, false, kInPlace)) << block;
                    ASSERT_TRUE(twin.RampBlock(frames, program, true, kOverlapping)) << block;
                    ASSERT_TRUE(twin.CurvedBlock(frames, {0.001f, -0.01f, 0.01f, 0.001f, 0.002f, 0.0001f, 0.01f, 0.0f},
                                                 {0, 0, 0, 0.000002f, -1e-6f, 0, 0, 0.001f}, kInterleavedInPlace))
                        << block;
                    // One knob turned: only the Delay, only the Depth, both on a curve.
                    ChorusSettings delayed = program, deeper = program;
                    delayed[3] += 0.03f;
                    deeper[4] -= 1.5f;
                    ASSERT_TRUE(twin.RampBlock(frames, delayed, false, kSeparate)) << block;
                    ASSERT_TRUE(twin.RampBlock(frames, program, true, kInterleaved)) << block;
                    ASSERT_TRUE(twin.RampBlock(frames, deeper, false, kCrossed)) << block;
                    ASSERT_TRUE(twin.CurvedBlock(frames, {0, -0.0f, 0, 0.001f, -0.002f, -0.0f, 0, 0},
                                                 {-0.0f, 0, 0, 1e-6f, 2e-6f, 0, -0.0f, 0}, kSeparate))
                        << block;
                    // Zero gains of either sign while the Delay moves: adding the +0 steps turns
                    // a -0 Dry into +0, which changes the sign of silent output samples.
                    for (float wet : {0.0f, -0.0f}) {
                        ChorusSettings silent = program;
                        silent[1] = -0.0f;
                        silent[2] = wet;
                        twin.SetParameters(silent);
                        silent[3] += 0.03f;
                        ASSERT_TRUE(twin.RampBlock(frames, silent, false, kSeparate)) << block;
                    }
                    twin.SetParameters(program);
                }
            }
}

TEST(ChorusEquivalence, MonoMatchesTheReferenceForEveryProgramWaveformRateAndBlockSize)
{
    OnEveryKernel([] { SweepPrograms<CMonoPair>(); });
}

TEST(ChorusEquivalence, StereoMatchesTheReferenceForEveryProgramWaveformRateAndBlockSize)
{
    OnEveryKernel([] { SweepPrograms<CStereoPair>(); });
}

TEST(ChorusEquivalence, MonoMatchesTheReferenceBitForBitThroughRandomCalls)
{
    OnEveryKernel([] {
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            CTwin<CMonoPair> twin(seed, kRates[seed % 3]);
            EXPECT_TRUE(twin.Run(300)) << "seed " << seed;
        }
    });
}

TEST(ChorusEquivalence, StereoMatchesTheReferenceBitForBitThroughRandomCalls)
{
    OnEveryKernel([] {
        for (uint32_t seed = 100; seed <= 108; ++seed) {
            CTwin<CStereoPair> twin(seed, kRates[seed % 3]);
            EXPECT_TRUE(twin.Run(300)) << "seed " << seed;
        }
    });
}
