// The accessors and member-reading rules that the message handlers rely on.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "json/json_node.h"

namespace {

using namespace std::string_literals;

std::unique_ptr<JsonNode> TextNode(JsonKind kind, std::optional<std::string> text) {
    auto node = std::make_unique<JsonNode>(kind);
    node->text = std::move(text);
    return node;
}

struct IntRow {
    const char* name;
    JsonKind kind;
    std::optional<std::string> text;
    int32_t value;
};

// Rows print as their names, so test names and failures carry no raw bytes.
void PrintTo(const IntRow& row, std::ostream* out) {
    *out << row.name;
}

const IntRow kIntRows[] = {
    {"plain_number", JsonKind::Number, "12059", 12059},
    {"fraction_is_cut", JsonKind::Number, "12.7", 12},
    {"exponent_is_not_read", JsonKind::Number, "-7e2", -7},
    {"string_text_counts", JsonKind::String, "42", 42},
    {"hex_is_not_read", JsonKind::String, "0x1F", 0},
    {"leading_blanks_skipped", JsonKind::String, " \t\n\v\f\r+12", 12},
    {"digits_up_to_first_other", JsonKind::String, "12abc", 12},
    {"sign_without_digits", JsonKind::String, "-", 0},
    {"two_signs", JsonKind::String, "+-1", 0},
    {"blank_after_sign", JsonKind::String, "- 1", 0},
    {"empty_text", JsonKind::String, "", 0},
    {"stops_at_zero_byte", JsonKind::String,
     "1\0"s
     "2",
     1},
    {"largest", JsonKind::Number, "2147483647", 2147483647},
    {"one_past_largest_clamps", JsonKind::Number, "2147483648", 2147483647},
    {"smallest", JsonKind::Number, "-2147483648", -2147483647 - 1},
    {"one_below_smallest_clamps", JsonKind::Number, "-2147483649", -2147483647 - 1},
    {"huge_clamps_high", JsonKind::Number, "99999999999999999999999999999", 2147483647},
    {"huge_negative_clamps_low", JsonKind::Number, "-99999999999999999999999999", -2147483647 - 1},
    {"leading_zeros", JsonKind::String, "000000000000000000000000042", 42},
    {"true_has_no_text", JsonKind::True, std::nullopt, 0},
    {"object_has_no_text", JsonKind::Object, std::nullopt, 0},
};

class IntValueTest : public testing::TestWithParam<IntRow> {};

TEST_P(IntValueTest, FollowsStrtolAndClamps) {
    const IntRow& row = GetParam();
    auto node = TextNode(row.kind, row.text);
    EXPECT_EQ(IntValue(node.get()), row.value);
}

INSTANTIATE_TEST_SUITE_P(Rows, IntValueTest, testing::ValuesIn(kIntRows),
                         [](const testing::TestParamInfo<IntRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(TextEquals, ComparesBytesAndLength) {
    auto label = TextNode(JsonKind::Label, "Message");
    EXPECT_TRUE(TextEquals(label.get(), "Message"));
    for (const char* other : {"message", "Messag", "Messages"}) {
        EXPECT_FALSE(TextEquals(label.get(), other)) << other;
    }
    auto withZero = TextNode(JsonKind::String, "a\0b"s);
    EXPECT_FALSE(TextEquals(withZero.get(), "a"));
    EXPECT_TRUE(TextEquals(withZero.get(), "a\0b"s));
    EXPECT_TRUE(TextEquals(TextNode(JsonKind::String, ""s).get(), ""));
    EXPECT_FALSE(TextEquals(TextNode(JsonKind::Null, std::nullopt).get(), ""));
}

TEST(Accessors, NoneReadsAsNothing) {
    EXPECT_EQ(IntValue(nullptr), 0);
    EXPECT_EQ(ValueOf(nullptr), nullptr);
    EXPECT_FALSE(TextEquals(nullptr, ""));
    EXPECT_EQ(ReadInteger(nullptr), 0);
    EXPECT_EQ(ReadText(nullptr), std::nullopt);
    EXPECT_FALSE(ReadFlag(nullptr));
}

struct MemberRow {
    const char* name;
    JsonKind valueKind;  // the member's value; Label here stands for "no value at all"
    std::optional<std::string> valueText;
    int32_t integer;
    std::optional<std::string> text;
    bool flag;
};

void PrintTo(const MemberRow& row, std::ostream* out) {
    *out << row.name;
}

const MemberRow kMemberRows[] = {
    {"number", JsonKind::Number, "12", 12, "12", false},
    {"string_number", JsonKind::String, "12", 12, "12", false},
    {"string_true_is_no_flag", JsonKind::String, "true", 0, "true", false},
    {"escapes_stay_as_written", JsonKind::String, "a\\\"b", 0, "a\\\"b", false},
    {"true", JsonKind::True, std::nullopt, 0, std::nullopt, true},
    {"false", JsonKind::False, std::nullopt, 0, std::nullopt, false},
    {"null", JsonKind::Null, std::nullopt, 0, std::nullopt, false},
    {"object", JsonKind::Object, std::nullopt, 0, std::nullopt, false},
    {"array", JsonKind::Array, std::nullopt, 0, std::nullopt, false},
    {"label_without_value", JsonKind::Label, std::nullopt, 0, std::nullopt, false},
};

class MemberReadingTest : public testing::TestWithParam<MemberRow> {};

TEST_P(MemberReadingTest, ReadsIntegerTextAndFlag) {
    const MemberRow& row = GetParam();
    auto label = TextNode(JsonKind::Label, "Member");
    const bool hasValue = row.valueKind != JsonKind::Label;
    if (hasValue) {
        auto value = TextNode(row.valueKind, row.valueText);
        ASSERT_EQ(AttachChild(*label, value), 1);
    }
    EXPECT_EQ(ValueOf(label.get()) != nullptr, hasValue);
    EXPECT_EQ(ReadInteger(label.get()), row.integer);
    EXPECT_EQ(ReadText(label.get()), row.text);
    EXPECT_EQ(ReadFlag(label.get()), row.flag);
}

INSTANTIATE_TEST_SUITE_P(Rows, MemberReadingTest, testing::ValuesIn(kMemberRows),
                         [](const testing::TestParamInfo<MemberRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
