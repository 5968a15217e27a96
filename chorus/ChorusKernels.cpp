#include "ChorusKernels.h"
#include "ChorusAvx2.h"
#include <cstdlib>
#include <cstring>

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

// The benches compare the kernel sets inside the finished plug-in, which offers no other way in:
// STEREO_CHORUS_KERNELS=sse2 (or avx2, where the CPU has it) when it loads overrides the pick.
EChorusKernels KernelsAskedFor()
{
    const char* asked = std::getenv("STEREO_CHORUS_KERNELS");
    if (asked && std::strcmp(asked, "sse2") == 0)
        return EChorusKernels::kSse2;
    if (asked && std::strcmp(asked, "avx2") == 0 && g_cpuHasAvx2)
        return EChorusKernels::kAvx2;
    return EChorusKernels::kAuto;
}

EChorusKernels g_selected = KernelsAskedFor();

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
