// AttachChild's checks and linking, and the accessors the message handlers rely on.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "json/tree_links.h"
#include "support/report_recorder.h"

namespace {

std::unique_ptr<JsonNode> Node(JsonKind kind) {
    return std::make_unique<JsonNode>(kind);
}

constexpr JsonKind kUnknownKind = static_cast<JsonKind>(9);

struct AttachRow {
    const char* name;
    JsonKind parentKind;
    const char* parentText;  // none: no text
    JsonKind childKind;
    bool childHasChild;
    const char* report;  // none: accepted
};

const AttachRow kAttachRows[] = {
    {"label_takes_string", JsonKind::Label, "Port", JsonKind::String, false, nullptr},
    {"label_takes_object_with_members", JsonKind::Label, "P", JsonKind::Object, true, nullptr},
    {"label_refuses_label", JsonKind::Label, "Port", JsonKind::Label, false,
     "JSON: Label Port has unknown child type"},
    {"label_refuses_unknown_kind", JsonKind::Label, "Port", kUnknownKind, false,
     "JSON: Label Port has unknown child type"},
    {"label_refuses_string_with_child", JsonKind::Label, "Port", JsonKind::String, true,
     "JSON: Node under label Port which should not have child does"},
    {"label_refuses_number_with_child", JsonKind::Label, "Port", JsonKind::Number, true,
     "JSON: Node under label Port which should not have child does"},
    {"label_refuses_true_with_child", JsonKind::Label, "Port", JsonKind::True, true,
     "JSON: Node under label Port which should not have child does"},
    {"label_name_is_text_not_format", JsonKind::Label, "%s%n%x", JsonKind::Label, false,
     "JSON: Label %s%n%x has unknown child type"},
    {"label_without_text", JsonKind::Label, nullptr, JsonKind::Label, false,
     "JSON: Label  has unknown child type"},
    {"object_takes_label", JsonKind::Object, nullptr, JsonKind::Label, true, nullptr},
    {"object_refuses_string", JsonKind::Object, nullptr, JsonKind::String, false,
     "JSON: Object has child which is not a label"},
    {"array_takes_false", JsonKind::Array, nullptr, JsonKind::False, false, nullptr},
    {"array_takes_array_with_elements", JsonKind::Array, nullptr, JsonKind::Array, true, nullptr},
    {"array_refuses_label", JsonKind::Array, nullptr, JsonKind::Label, false,
     "JSON: Label has unknown child type"},
    {"array_refuses_null_with_child", JsonKind::Array, nullptr, JsonKind::Null, true,
     "JSON: Node under array which should not have child does"},
    {"string_takes_nothing", JsonKind::String, "x", JsonKind::String, false,
     "JSON: Label has unknown type"},
    {"unknown_kind_takes_nothing", kUnknownKind, nullptr, JsonKind::Null, false,
     "JSON: Label has unknown type"},
};

class AttachChildTest : public testing::TestWithParam<AttachRow> {};

TEST_P(AttachChildTest, AcceptsOrRefusesWithItsText) {
    const AttachRow& row = GetParam();
    auto parent = Node(row.parentKind);
    parent->text = row.parentText ? std::optional<std::string>(row.parentText) : std::nullopt;
    std::vector<const JsonNode*> children;  // expected, in document order
    for (int i = 0; row.parentKind == JsonKind::Array && i < 2; ++i) {  // earlier elements
        auto earlier = Node(JsonKind::Null);
        children.push_back(earlier.get());
        ASSERT_EQ(AttachChild(*parent, earlier), 1);
    }
    auto child = Node(row.childKind);
    if (row.childHasChild) {
        child->firstChild = Node(JsonKind::Label);
        child->firstChild->parent = child.get();
        child->lastChild = child->firstChild.get();
    }
    const JsonNode* childNode = child.get();
    ReportRecorder reports;
    EXPECT_EQ(AttachChild(*parent, child), row.report ? 7 : 1);
    if (row.report) {
        EXPECT_EQ(reports.texts, std::vector<std::string>{row.report});
        EXPECT_EQ(child.get(), childNode);  // still the caller's
        EXPECT_EQ(childNode->parent, nullptr);
    } else {
        EXPECT_TRUE(reports.texts.empty());
        EXPECT_EQ(child, nullptr);
        children.push_back(childNode);
    }
    std::vector<const JsonNode*> linked;
    for (const JsonNode* node = parent->firstChild.get(); node; node = node->next.get()) {
        linked.push_back(node);
    }
    EXPECT_EQ(linked, children);
    EXPECT_TRUE(TreeLinksAgree(*parent));
}

INSTANTIATE_TEST_SUITE_P(Rows, AttachChildTest, testing::ValuesIn(kAttachRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextEquals, ComparesBytesAndLength) {
    auto label = std::make_unique<JsonNode>(JsonKind::Label, "Message");
    EXPECT_TRUE(TextEquals(label.get(), "Message"));
    for (const char* other : {"message", "Messag", "Messages"}) {
        EXPECT_FALSE(TextEquals(label.get(), other)) << other;
    }
    label->text = std::string("a\0b", 3);
    EXPECT_FALSE(TextEquals(label.get(), "a"));
    EXPECT_TRUE(TextEquals(label.get(), std::string_view("a\0b", 3)));
    EXPECT_FALSE(TextEquals(Node(JsonKind::Null).get(), ""));
    EXPECT_FALSE(TextEquals(nullptr, ""));
}

// A member's value read as an integer (the atol rule), a text and a flag.
TEST(MemberReading, ReadsIntegerTextAndFlag) {
    const struct {
        const char* name;
        JsonKind valueKind;  // Label here stands for "no value at all"
        std::optional<std::string> valueText, text;
        int32_t integer;
        bool flag;
    } rows[] = {
        {"number", JsonKind::Number, "12.7", "12.7", 12, false},
        {"string_number", JsonKind::String, "-12", "-12", -12, false},
        {"string_true_is_no_flag", JsonKind::String, "true", "true", 0, false},
        {"escapes_stay_as_written", JsonKind::String, "a\\\"b", "a\\\"b", 0, false},
        {"true", JsonKind::True, std::nullopt, std::nullopt, 0, true},
        {"false", JsonKind::False, std::nullopt, std::nullopt, 0, false},
        {"object", JsonKind::Object, std::nullopt, std::nullopt, 0, false},
        {"label_without_value", JsonKind::Label, std::nullopt, std::nullopt, 0, false},
        {"no_label", JsonKind::Null, std::nullopt, std::nullopt, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto label = Node(JsonKind::Label);
        auto value = Node(row.valueKind);
        value->text = row.valueText;
        if (row.valueKind != JsonKind::Label) {
            ASSERT_EQ(AttachChild(*label, value), 1);
        }
        const JsonNode* member = row.valueKind == JsonKind::Null ? nullptr : label.get();
        EXPECT_EQ(ReadInteger(member), row.integer);
        EXPECT_EQ(ReadText(member), row.text);
        EXPECT_EQ(ReadFlag(member), row.flag);
        EXPECT_EQ(IntValue(member ? ValueOf(member) : nullptr), row.integer);
    }
}

}  // namespace
