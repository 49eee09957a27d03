#include "base/atol_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct AtolRow {
    const char* behaviour;
    std::string text;
    int32_t expected;
};

TEST(AtolValue, FollowsAtolRulesAndClampsBeyond32Bits) {
    const AtolRow rows[] = {
        {"plain digits", "12059", 12059},
        {"leading blanks and tabs skipped", " \t 255", 255},
        {"digits up to the first non-digit", "2a", 2},
        {"no digits", "abc", 0},
        {"empty", "", 0},
        {"hexadecimal is not recognised", "0x1F", 0},
        {"minus sign", "-5", -5},
        {"plus sign", "+7", 7},
        {"only one sign", "--5", 0},
        {"blank between sign and digits", "- 5", 0},
        {"largest value", "2147483647", 2147483647},
        {"smallest value", "-2147483648", INT32_MIN},
        {"one past the largest clamps", "2147483648", 2147483647},
        {"one past the smallest clamps", "-2147483649", INT32_MIN},
        {"very long digit runs clamp", "99999999999999999999999999", 2147483647},
        {"very long negative runs clamp", "-99999999999999999999999999", INT32_MIN},
        {"frequency with a fraction", "14074.5", 14074},
        {"bytes after an embedded zero are ignored",
         std::string("12\0"
                     "3",
                     4),
         12},
    };
    for (const AtolRow& row : rows) {
        EXPECT_EQ(AtolValue(row.text), row.expected) << row.behaviour;
    }
}

}  // namespace
