#include "BenchError.h"
#include "BenchRunner.h"
#include "FloorSubject.h"

#include <gtest/gtest.h>

TEST(BenchRunner, TheSameSamplesCheckPassesEqualSubjectsAndNamesWhereTheFirstOneDiffers)
{
    const StereoSignal signal = makeStereoNoise(2000);
    FloorSubject reference(10, 1.0f, 0.5f);
    FloorSubject same(10, 1.0f, 0.5f);
    EXPECT_NO_THROW(checkSameSamples(reference, {&same}, signal, kBenchBlockFrames));

    // The same dry path but a quieter copy: the first difference is where the copy first sounds.
    FloorSubject freshReference(10, 1.0f, 0.5f);
    FloorSubject sameAgain(10, 1.0f, 0.5f);
    FloorSubject quieter(10, 1.0f, 0.25f);
    try {
        checkSameSamples(freshReference, {&sameAgain, &quieter}, signal, 16);
        ADD_FAILURE() << "a quieter copy passed";
    } catch (const BenchError& error) {
        EXPECT_STREQ(error.what(), "Floor: plain 20 ms delay computes other samples than Floor: plain 20 ms delay (first in "
                                   "the left channel at frame 10 of the second after the warm-up)");
    }
}
