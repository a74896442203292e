// The component message form and its inverse.
#include "base/ComponentMessage.h"
#include "base/Errors.h"

#include <gtest/gtest.h>

#include <string>

using namespace tessaly;

TEST(ComponentMessage, ReasonComesBackFromTheMessageOfAnyNameAndReason)
{
    struct Case { const char* name; const char* reason; };
    for (auto c : {Case{"MEFunc", "division by zero"}, Case{"", "syntax error"},
                   Case{"a b", ""}, Case{"x", "undefined variable \"y\""},
                   Case{"URLLab1", "Component \"inner\": nested"}}) {
        const std::string message = ComponentMessage(c.name, c.reason);
        EXPECT_EQ(message, std::string("Component \"") + c.name + "\": " + c.reason);
        EXPECT_EQ(ComponentReason(message), c.reason) << message;
    }
}

TEST(ComponentMessage, MessagesWithoutTheWholePrefixAreTheirOwnReason)
{
    for (const char* message : {"Floating point overflow", "tangens overflow", "Range check error",
                                "", "Component", "Component \"MEFunc\"", "Component \"x\":",
                                "component \"x\": lower case", " Component \"x\": indented"})
        EXPECT_EQ(ComponentReason(message), message);
}

TEST(ComponentMessage, ErrorsCarryTheirMessageAndTheirFamily)
{
    try {
        throw ETovraMath2Error(ComponentMessage("MEFunc", "empty expression"));
    } catch (const ETovraError& e) {
        EXPECT_EQ(ComponentReason(e.what()), "empty expression");
    }
    // The platform's faults are no component errors.
    EXPECT_FALSE((std::is_base_of_v<ETovraError, EMathError>));
    EXPECT_TRUE((std::is_base_of_v<ETovraError, ETovraRChartError>));
    EXPECT_TRUE((std::is_base_of_v<ETovraError, ETovraURLLabError>));
    EXPECT_TRUE((std::is_base_of_v<ETovraError, ERangeError>));
}
