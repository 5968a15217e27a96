#include "ChorusTestSupport.h"
#include "CountingAllocator.h"
#include "StereoChorus.h"
#include <gtest/gtest.h>
#include <atomic>
#include <cstdlib>
#include <new>

// Builds whose runtime owns operator new (ThreadSanitizer's) count no allocations.
#define SKIP_WHERE_ALLOCATIONS_ARE_UNCOUNTED()                                                                 \
    if (!CountingAllocator::IsActive())                                                                        \
    GTEST_SKIP() << "this build's runtime owns operator new"

namespace {

// Allocations made while running `work`.
template <class Work>
long AllocationsDuring(Work&& work)
{
    const long before = CountingAllocator::Allocations();
    work();
    return CountingAllocator::Allocations() - before;
}

struct AudioPathFixture
{
    static constexpr int kFrames = 512;

    AudioPathFixture()
        : left(CNoise(1).Block(kFrames)), right(CNoise(2).Block(kFrames)),
          outLeft(kFrames), outRight(kFrames),
          inL(left.data(), kFrames), inR(right.data(), kFrames),
          outL(outLeft.data(), kFrames), outR(outRight.data(), kFrames),
          inputs({&inL, &inR}), outputs({&outL, &outR}), monoInputs({&inL}),
          twoEntryRamp(RampList({kDefaults, {0.01f, -0.1f, 0.1f, 0.02f, -0.05f, 0.001f, -0.2f, 0.0f}})),
          threeEntryRamp(RampList({kDefaults, {0, 0, 0, 0.01f, 0, 0, 0.1f, 0}, {0, 0, 0, 1e-5f, 0, 0, 0, 0}})),
          switchingRamp(RampList({{0, 100, 70, 20, 70, 0.4f, 100, 1}, {0, 0, 0, 0, 0, 0, 0, -1}})),
          values(Values({-3, 90, 80, 15, 50, 0.6f, 60, 1})), oddValues(nullptr, 5)
    {
        chorus.Initialize(44100.0, nullptr);
    }

    CStereoChorus chorus;
    std::vector<float> left, right, outLeft, outRight;
    CVectorBuffer inL, inR, outL, outR;
    CVectorBufferList inputs, outputs, monoInputs;
    CValueArrayList twoEntryRamp, threeEntryRamp, switchingRamp;
    CValueArray values, oddValues;
};

} // namespace

TEST(RealtimeSafety, TheCounterSeesAnAllocation)
{
    SKIP_WHERE_ALLOCATIONS_ARE_UNCOUNTED();
    static int* volatile kept; // stored where the compiler must keep it, so the pair is not elided
    EXPECT_EQ(AllocationsDuring([] { kept = new int(1); }), 1);
    delete kept;
}

TEST(RealtimeSafety, StereoChorusProcessingAllocatesNothingWithOrWithoutARamp)
{
    SKIP_WHERE_ALLOCATIONS_ARE_UNCOUNTED();
    AudioPathFixture f;
    const long allocations = AllocationsDuring([&f] {
        f.chorus.ProcessReplacing(&f.inputs, &f.outputs, f.kFrames, nullptr);
        f.chorus.ProcessReplacing(&f.inputs, &f.outputs, f.kFrames, &f.twoEntryRamp);
        f.chorus.ProcessAccumulating(&f.inputs, &f.outputs, f.kFrames, &f.threeEntryRamp);
        f.chorus.ProcessAccumulating(&f.inputs, &f.outputs, f.kFrames, nullptr);
        f.chorus.ProcessReplacing(&f.inputs, &f.outputs, f.kFrames, &f.switchingRamp);
        f.chorus.ProcessReplacing(&f.monoInputs, &f.outputs, f.kFrames, &f.twoEntryRamp);
        f.chorus.ProcessReplacing(&f.inputs, &f.outputs, 0, &f.twoEntryRamp);
    });
    EXPECT_EQ(allocations, 0);
}

TEST(RealtimeSafety, StereoChorusSetParametersSkipAndTailAllocateNothing)
{
    SKIP_WHERE_ALLOCATIONS_ARE_UNCOUNTED();
    AudioPathFixture f;
    const long allocations = AllocationsDuring([&f] {
        f.chorus.SetParameters(&f.values);
        f.chorus.SetParameters(&f.oddValues);
        f.chorus.SetParameters(nullptr);
        f.chorus.Skip(f.kFrames);
        f.chorus.Skip(100000);
        f.chorus.ProcessTailReplacing(&f.outputs, f.kFrames, &f.twoEntryRamp);
        f.chorus.ProcessTailAccumulating(&f.outputs, f.kFrames, nullptr);
        f.chorus.ResetTail();
        f.chorus.UpdateOutputParameters();
        f.chorus.GetOutputValues()->GetCount();
    });
    EXPECT_EQ(allocations, 0);
}

TEST(RealtimeSafety, MonoChorusProcessingAllocatesNothing)
{
    SKIP_WHERE_ALLOCATIONS_ARE_UNCOUNTED();
    AudioPathFixture f;
    CChorus chorus;
    chorus.Initialize(48000.0, nullptr);
    const long allocations = AllocationsDuring([&] {
        chorus.ProcessReplacing(&f.monoInputs, &f.outputs, f.kFrames, &f.threeEntryRamp);
        chorus.ProcessAccumulating(&f.monoInputs, &f.outputs, f.kFrames, nullptr);
        chorus.SetParameters(&f.values);
        chorus.Skip(f.kFrames);
        chorus.ProcessTailReplacing(&f.outputs, f.kFrames, nullptr);
    });
    EXPECT_EQ(allocations, 0);
}
