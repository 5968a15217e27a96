#pragma once

// Decibels to a level factor through the exponent bits of a double: the upper 32 bits are
// gainDb * K + 1072632447, the lower 32 bits zero. Within about 3 % of 10^(dB/20); 0 dB gives
// 0.9710078. Any gain gives a finite level: the bits saturate between 0.0 and the largest double.
double FastDecibelToLevel(double gainDb);

// K = ln(10) * 2^20 / (ln(2) * 20), computed once when the library loads.
extern const double kFastDecibelFactor;
