#include "ChorusKernels.h"
#include "ChorusAvx2.h"

namespace {

bool DetectAvx2()
{
#if CHORUS_AVX2
    // Runs among the static constructors, which may come before the library's own CPU probe.
    // Also false where the system does not save the wide registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

// Probed when the program or plug-in loads, so the audio thread never waits on a first-use guard.
const bool g_cpuHasAvx2 = DetectAvx2();

#ifndef CHORUS_BUILT_KERNELS
#define CHORUS_BUILT_KERNELS kAuto
#endif
// The product picks for the CPU; a bench build of the engine may fix its set when it is built.
EChorusKernels g_selected = EChorusKernels::CHORUS_BUILT_KERNELS;

} // namespace

bool CpuHasAvx2() { return g_cpuHasAvx2; }

bool SelectChorusKernels(EChorusKernels kernels)
{
    if (kernels == EChorusKernels::kAvx2 && !CpuHasAvx2())
        return false;
    g_selected = kernels;
    return true;
}

bool UsingAvx2Kernels()
{
    return g_selected == EChorusKernels::kAvx2 || (g_selected == EChorusKernels::kAuto && CpuHasAvx2());
}

const char* ChorusKernelsName() { return UsingAvx2Kernels() ? "AVX2" : "SSE2"; }
