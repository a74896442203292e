// ClearUpperVectorState really clears the upper halves of the AVX registers: the processor's
// "state in use" bits (XGETBV with ECX = 1) show it.
#include "expr/CpuState.h"

#include <gtest/gtest.h>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace tessaly {
namespace {

#if defined(__x86_64__)

bool CanReadStateInUse()
{
    unsigned a, b, c, d;
    if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_OSXSAVE) || !(c & bit_AVX))
        return false;
    if (!__get_cpuid_count(0xD, 1, &a, &b, &c, &d))
        return false;
    return (a & (1u << 2)) != 0;   // XGETBV with ECX = 1 is supported
}

// Bit 2 of XINUSE: the upper halves of the YMM registers may be non-zero.
bool UpperHalvesInUse()
{
    unsigned lo, hi;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
    return (lo & (1u << 2)) != 0;
}

// Called only on processors with AVX. Plain assembly in a function not compiled for AVX, so the
// compiler adds no vzeroupper of its own on the way out.
void DirtyUpperHalves()
{
    static const float ones[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    __asm__ volatile("vmovups %0, %%ymm7" : : "m"(ones) : "xmm7");
}

TEST(CpuState, ClearsTheUpperHalvesOfTheVectorRegisters)
{
    if (!CanReadStateInUse())
        GTEST_SKIP() << "this processor does not report its vector state";
    ClearUpperVectorState();
    const bool clean = !UpperHalvesInUse();
    DirtyUpperHalves();
    const bool dirty = UpperHalvesInUse();
    ClearUpperVectorState();
    const bool afterwards = UpperHalvesInUse();
    if (!clean || !dirty)
        GTEST_SKIP() << "this processor does not track the upper halves";
    EXPECT_FALSE(afterwards);
}

#endif

} // namespace
} // namespace tessaly
