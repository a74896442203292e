#pragma once
// Helpers of the tick tests: the values of one kind of tick, and a comparison with a relative
// tolerance that names the tick that differs.

#include "scale/Ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tessaly::ticktest {

inline std::vector<double> TickValues(const TTickRun& run, TTickKind kind)
{
    std::vector<double> out;
    for (const TTick& t : run.Ticks)
        if (t.Kind == kind)
            out.push_back(t.Value);
    return out;
}

inline void ExpectTickValues(const std::vector<double>& got, const std::vector<double>& want,
                             double tolerance = 1e-9)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tolerance * (1 + std::fabs(want[i]))) << "tick " << i;
}

} // namespace tessaly::ticktest
