// The one rule by which decimal text becomes a number: settings values, typed text and the
// numbers of received messages (IntValue) all go through it.
#include "base/atol_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(AtolValue, FollowsAtolRulesAndClampsBeyond32Bits) {
    const struct {
        const char* behaviour;
        std::string text;
        int32_t expected;
    } rows[] = {
        {"plain digits", "12059", 12059},
        {"every kind of leading blank skipped", " \t\n\v\f\r255", 255},
        {"digits up to the first non-digit", "2a", 2},
        {"fraction cut", "14074.5", 14074},
        {"empty", "", 0},
        {"minus sign", "-5", -5},
        {"plus sign", "+7", 7},
        {"sign without digits", "-", 0},
        {"only one sign", "+-5", 0},
        {"blank between sign and digits", "- 5", 0},
        {"largest value", "2147483647", 2147483647},
        {"smallest value", "-2147483648", INT32_MIN},
        {"one past the largest clamps", "2147483648", 2147483647},
        {"one past the smallest clamps", "-2147483649", INT32_MIN},
        {"very long digit runs clamp", "99999999999999999999999999", 2147483647},
        {"bytes after an embedded zero are ignored", std::string("12\0003", 4), 12},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(AtolValue(row.text), row.expected) << row.behaviour;
    }
}

}  // namespace
