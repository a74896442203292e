// An evaluation of the main window's formulas allocates nothing on the heap. This test program
// replaces the global allocation functions to count the allocations.
#include "app/ChartSetup.h"
#include "ExprTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> Allocations{0};
}

void* operator new(std::size_t size)
{
    ++Allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace tessaly {
namespace {

TEST(Allocation, EvaluatingTheSampleFormulasAllocatesNothing)
{
    TMathExpression e("MEFunc");
    test::TBindings values;
    test::BindLikeMainWindow(e, values);
    double sum = 0;
    for (const char* formula : SampleFormulas) {
        e.SetExpression(formula);
        const long before = Allocations.load();
        for (int i = 0; i < 560; ++i) {
            values.x = -100 + 200.0 * i / 559;
            sum += e.Evaluate().ToReal();
        }
        EXPECT_EQ(Allocations.load() - before, 0) << formula;
    }
    EXPECT_TRUE(std::isfinite(sum));

    // The counter sees allocations at all: an error message is built on the heap.
    const long before = Allocations.load();
    e.SetExpression("y");
    EXPECT_THROW(e.Evaluate(), ETovraMath2Error);
    EXPECT_GT(Allocations.load() - before, 0);
}

} // namespace
} // namespace tessaly
