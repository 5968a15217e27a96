#include "ChorusKernels.h"
#include "ChorusAvx2.h"

namespace {

EChorusKernels g_selected = EChorusKernels::kAuto;

} // namespace

bool CpuHasAvx2()
{
#if CHORUS_AVX2
    // Also false where the system does not save the wide registers.
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

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
