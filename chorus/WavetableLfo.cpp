#include "WavetableLfo.h"
#include <cmath>

namespace {

// sin and cos of x in [0, pi/2] by their Taylor series in plain double arithmetic: the same
// bits on every compiler and C library, so every build fills the same table.
double SeriesSin(double x)
{
    const double x2 = x * x;
    double term = x, sum = x;
    for (int n = 1; n <= 12; ++n) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double SeriesCos(double x)
{
    const double x2 = x * x;
    double term = 1.0, sum = 1.0;
    for (int n = 1; n <= 12; ++n) {
        term *= -x2 / ((2.0 * n - 1.0) * (2.0 * n));
        sum += term;
    }
    return sum;
}

// sin(2 pi i / N), reduced exactly to the first quadrant by the integer index.
double TableSine(int i, int n)
{
    const int quarter = n / 4;
    const int quadrant = i / quarter;
    const double theta = 1.5707963267948966 * static_cast<double>(i % quarter) / quarter;
    switch (quadrant) {
    case 0: return SeriesSin(theta);
    case 1: return SeriesCos(theta);
    case 2: return -SeriesSin(theta);
    default: return -SeriesCos(theta);
    }
}

} // namespace

void CWavetableLfo::WrapLongPhase()
{
    // An infinite increment (an absurd rate) makes the phase infinite and then NaN, and a NaN
    // phase would stop the sweep for good; it restarts from 0 instead.
    if (!std::isfinite(phase)) {
        phase = 0.0;
        return;
    }
    const double n = table.GetSize();
    phase -= n * std::trunc(phase / n);
}

CWavetableLfo CWavetableLfo::MakeSine()
{
    CWavetableLfo lfo;
    const int n = lfo.table.GetSize();
    for (int i = 0; i < n; ++i)
        lfo.table.Data()[i] = static_cast<float>(TableSine(i, n));
    return lfo;
}

CWavetableLfo CWavetableLfo::MakeTriangle()
{
    CWavetableLfo lfo;
    const int n = lfo.table.GetSize();
    const int q = n / 4;
    const double x = 1.0 / q;
    float* t = lfo.table.Data();
    for (int i = 0; i < q; ++i)
        t[i] = static_cast<float>(i * x);
    for (int j = 0; j < 2 * q; ++j)
        t[q + j] = static_cast<float>(1.0 - j * x);
    for (int j = 0; j < q; ++j)
        t[3 * q + j] = static_cast<float>(j * x - 1.0);
    return lfo;
}
