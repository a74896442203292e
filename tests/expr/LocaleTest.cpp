// Scanning never follows the process locale. The test program runs once more under
// LC_ALL=de_DE.UTF-8; this test also switches LC_NUMERIC inside the process, after the
// QApplication of the test main has set the locale up from the environment.
#include "ExprTestSupport.h"

#include "expr/NumberScanner.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace tessaly {
namespace {

class GermanNumbers : public testing::Test {
protected:
    void SetUp() override
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        FSaved = current ? current : "C";
        if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (locale-gen de_DE.UTF-8)";
        // The locale is in force: the C library reads a decimal comma now.
        ASSERT_EQ(std::strtod("1,5", nullptr), 1.5);
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, FSaved.c_str()); }

private:
    std::string FSaved;
};

TEST_F(GermanNumbers, ScanningIsUnchanged)
{
    EXPECT_EQ(ScanNumber("1.5", 0).Value, 1.5);
    EXPECT_EQ(ScanNumber("3.0993292743265745e-18", 0).Value, 3.0993292743265745e-18);
    EXPECT_EQ(ScanNumber("1234567890.123456789012345", 0).Value, 1234567890.123456789012345);
    EXPECT_EQ(TVariant("0.25").ToReal(), 0.25);
    EXPECT_DOUBLE_EQ(test::EvalReal("1.5 + 1,25 + x", 0.125), 2.875);
}

} // namespace
} // namespace tessaly
