#pragma once
#include "ChorusKernels.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <string>

// Runs `check` on the SSE2 kernels, then on the AVX2 ones where the CPU has them (saying so in
// the test output); the automatic choice comes back afterwards.
template <class Check>
void OnEveryKernel(const Check& check)
{
    for (EChorusKernels kernels : {EChorusKernels::kSse2, EChorusKernels::kAvx2}) {
        const char* name = kernels == EChorusKernels::kAvx2 ? "AVX2" : "SSE2";
        if (!SelectChorusKernels(kernels)) {
            std::printf("[ SKIPPED  ] the %s kernels: this CPU lacks them\n", name);
            continue;
        }
        std::printf("[ KERNELS  ] %s\n", name);
        SCOPED_TRACE(std::string(name) + " kernels");
        check();
        if (::testing::Test::HasFatalFailure())
            break;
    }
    SelectChorusKernels(EChorusKernels::kAuto);
}
