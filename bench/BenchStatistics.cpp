#include "BenchStatistics.h"

#include <algorithm>
#include <cassert>

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 != 0)
        return upper;
    const double lower = *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2.0;
}

double medianPairedRatio(const std::vector<double>& numerator, const std::vector<double>& denominator)
{
    assert(numerator.size() == denominator.size());
    std::vector<double> ratios;
    ratios.reserve(numerator.size());
    for (size_t r = 0; r < numerator.size() && r < denominator.size(); ++r)
        if (denominator[r] != 0.0)
            ratios.push_back(numerator[r] / denominator[r]);
    return median(std::move(ratios));
}

BlockCostFit fitBlockCost(const std::vector<int>& blocks, const std::vector<double>& costPerFrame)
{
    assert(blocks.size() == costPerFrame.size() && blocks.size() >= 2);
    // Linear in x = 1 / block: cost = perFrame + perBlock * x.
    const double n = static_cast<double>(blocks.size());
    double sx = 0.0, sy = 0.0, sxx = 0.0, sxy = 0.0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const double x = 1.0 / blocks[i];
        sx += x;
        sy += costPerFrame[i];
        sxx += x * x;
        sxy += x * costPerFrame[i];
    }
    const double perBlock = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    return {perBlock, (sy - perBlock * sx) / n};
}
