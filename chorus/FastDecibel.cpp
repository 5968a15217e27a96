#include "FastDecibel.h"
#include <cmath>
#include <cstdint>
#include <cstring>

const double kFastDecibelFactor = std::log(10.0) * 1048576.0 / (std::log(2.0) * 20.0);

double FastDecibelToLevel(double gainDb)
{
    // Upper word of 1.0 minus a bias that centres the linear-in-exponent approximation.
    constexpr double kBias = 1072632447.0;
    // 0x7FEFFFFF: the upper word of the largest finite double.
    constexpr double kLargestFinite = 2146435071.0;
    double hi = gainDb * kFastDecibelFactor + kBias;
    hi = hi < kLargestFinite ? hi : kLargestFinite; // also turns NaN into the limit
    hi = hi > 0.0 ? hi : 0.0;
    const uint64_t bits = static_cast<uint64_t>(static_cast<uint32_t>(static_cast<int32_t>(hi))) << 32;
    double level;
    std::memcpy(&level, &bits, sizeof level);
    return level;
}
