// The accessors and member-reading rules that the message handlers rely on. The number rule
// itself is AtolValue's.
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

TEST(TextEquals, ComparesBytesAndLength) {
    auto label = TextNode(JsonKind::Label, "Message");
    EXPECT_TRUE(TextEquals(label.get(), "Message"));
    for (const char* other : {"message", "Messag", "Messages"}) {
        EXPECT_FALSE(TextEquals(label.get(), other)) << other;
    }
    auto withZero = TextNode(JsonKind::String, "a\0b"s);
    EXPECT_FALSE(TextEquals(withZero.get(), "a"));
    EXPECT_TRUE(TextEquals(withZero.get(), "a\0b"s));
    EXPECT_FALSE(TextEquals(TextNode(JsonKind::Null, std::nullopt).get(), ""));
    EXPECT_FALSE(TextEquals(nullptr, ""));
    EXPECT_EQ(ValueOf(nullptr), nullptr);
    EXPECT_EQ(IntValue(nullptr), 0);
}

struct MemberRow {
    const char* name;
    JsonKind valueKind;  // the member's value; Label here stands for "no value at all"
    std::optional<std::string> valueText;
    int32_t integer;
    std::optional<std::string> text;
    bool flag;
};

TEST(MemberReading, ReadsIntegerTextAndFlag) {
    const MemberRow rows[] = {
        {"number", JsonKind::Number, "12.7", 12, "12.7", false},
        {"string_number", JsonKind::String, "-12", -12, "-12", false},
        {"string_true_is_no_flag", JsonKind::String, "true", 0, "true", false},
        {"escapes_stay_as_written", JsonKind::String, "a\\\"b", 0, "a\\\"b", false},
        {"true", JsonKind::True, std::nullopt, 0, std::nullopt, true},
        {"false", JsonKind::False, std::nullopt, 0, std::nullopt, false},
        {"object", JsonKind::Object, std::nullopt, 0, std::nullopt, false},
        {"label_without_value", JsonKind::Label, std::nullopt, 0, std::nullopt, false},
    };
    for (const MemberRow& row : rows) {
        SCOPED_TRACE(row.name);
        auto label = TextNode(JsonKind::Label, "Member");
        if (row.valueKind != JsonKind::Label) {
            auto value = TextNode(row.valueKind, row.valueText);
            ASSERT_EQ(AttachChild(*label, value), 1);
        }
        EXPECT_EQ(ReadInteger(label.get()), row.integer);
        EXPECT_EQ(ReadText(label.get()), row.text);
        EXPECT_EQ(ReadFlag(label.get()), row.flag);
    }
    EXPECT_EQ(ReadInteger(nullptr), 0);
    EXPECT_EQ(ReadText(nullptr), std::nullopt);
    EXPECT_FALSE(ReadFlag(nullptr));
}

}  // namespace
