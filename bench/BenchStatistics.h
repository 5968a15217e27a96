#pragma once
// The few statistics the bench reports. Times are per repetition, in the order the repetitions ran.
#include <vector>

// The middle value; the mean of the two middle values for an even count; 0 for none.
double median(std::vector<double> values);

// Median over repetitions of numerator[r] / denominator[r]. Pairing within a repetition cancels
// what the machine did to both subjects during that repetition, which a ratio of medians would not.
// Repetitions with a zero denominator are left out; the vectors must have the same length.
double medianPairedRatio(const std::vector<double>& numerator, const std::vector<double>& denominator);

// A subject's cost split into what each block costs and what each frame costs, fitted (least
// squares over the block sizes, every size weighted alike) to time per frame = perFrame +
// perBlock / block size.
struct BlockCostFit
{
    double perBlock;
    double perFrame;
};

// blocks[i] frames per block gave costPerFrame[i]; at least two distinct sizes.
BlockCostFit fitBlockCost(const std::vector<int>& blocks, const std::vector<double>& costPerFrame);
