#include "FastDecibel.h"
#include <cmath>

const double kFastDecibelFactor = std::log(10.0) * 1048576.0 / (std::log(2.0) * 20.0);
