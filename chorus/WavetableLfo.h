#pragma once
#include "RingBuffer.h"

// A low-frequency oscillator reading a 4096-point table; phase and offset are table positions.
struct CWavetableLfo
{
    enum { kTableSize = 4096 };

    CWavetableLfo() : table(kTableSize) {}

    double increment = 0.0; // table positions per frame
    float offset = 0.0f;    // table positions added to the phase when reading
    CRingBuffer table;
    double phase = 0.0;

    // Takes the phase back into one period: phase -= N * trunc(phase / N); a phase that is no
    // longer finite starts again from 0. Inline for the usual phase within one period, which that
    // leaves as it is (N is a power of two, so phase / N is exact and truncates to a zero) but
    // for a zero, which becomes +0; the division waits for the others.
    [[gnu::always_inline]] void WrapPhase()
    {
        if (phase > -kTableSize && phase < kTableSize && table.GetSize() == kTableSize) {
            if (phase == 0.0)
                phase = 0.0;
            return;
        }
        WrapLongPhase();
    }
    void WrapLongPhase();

    static CWavetableLfo MakeSine();
    static CWavetableLfo MakeTriangle();
};
