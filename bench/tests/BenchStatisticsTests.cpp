#include "BenchStatistics.h"

#include <gtest/gtest.h>

TEST(BenchStatistics, MedianIsTheMiddleOfUnsortedValuesAndTheMeanOfTheMiddlePairForEvenCounts)
{
    EXPECT_DOUBLE_EQ(median({5.0, 1.0, 9.0, 3.0, 7.0}), 5.0);
    EXPECT_DOUBLE_EQ(median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_DOUBLE_EQ(median({2.0, 2.0, 100.0}), 2.0); // one slow outlier changes nothing
    EXPECT_DOUBLE_EQ(median({7.0}), 7.0);
    EXPECT_DOUBLE_EQ(median({}), 0.0);
}

TEST(BenchStatistics, PairedRatioComparesSubjectsWithinEachRepetition)
{
    // The machine slows down in the middle repetitions; both subjects feel it, the ratio stays 0.5.
    const std::vector<double> ours = {1.0, 4.0, 4.0, 1.0, 1.0};
    const std::vector<double> peer = {2.0, 8.0, 8.0, 2.0, 2.0};
    EXPECT_DOUBLE_EQ(medianPairedRatio(ours, peer), 0.5);
    EXPECT_DOUBLE_EQ(medianPairedRatio(peer, ours), 2.0);

    // Ratios 10, 1/2, 2/3: the median is 2/3, where the ratio of the medians (2 / 2) would say 1.
    EXPECT_DOUBLE_EQ(medianPairedRatio({10.0, 1.0, 2.0}, {1.0, 2.0, 3.0}), 2.0 / 3.0);
}

TEST(BenchStatistics, PairedRatioLeavesOutRepetitionsWithoutTime)
{
    EXPECT_DOUBLE_EQ(medianPairedRatio({1.0, 5.0, 3.0}, {2.0, 0.0, 2.0}), 1.0);
    EXPECT_DOUBLE_EQ(medianPairedRatio({1.0}, {0.0}), 0.0);
}

TEST(BenchStatistics, TheBlockCostFitSplitsATimePerFrameIntoWhatEachBlockAndEachFrameCost)
{
    // 200 ns per block and 5 ns per frame, exactly and then with the noise of a busy machine.
    const std::vector<int> blocks = {16, 32, 64, 128, 256, 512, 1024, 4096};
    std::vector<double> exact, noisy;
    for (size_t i = 0; i < blocks.size(); ++i) {
        exact.push_back(5.0 + 200.0 / blocks[i]);
        noisy.push_back(exact.back() * (i % 2 ? 1.01 : 0.99));
    }
    const BlockCostFit fit = fitBlockCost(blocks, exact);
    EXPECT_NEAR(fit.perBlock, 200.0, 1e-9);
    EXPECT_NEAR(fit.perFrame, 5.0, 1e-12);
    const BlockCostFit rough = fitBlockCost(blocks, noisy);
    EXPECT_NEAR(rough.perBlock, 200.0, 10.0);
    EXPECT_NEAR(rough.perFrame, 5.0, 0.1);
}
