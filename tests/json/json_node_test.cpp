// AttachChild's checks and linking, the accessors the message handlers rely on, and the
// reporter: its threshold, the sink or standard error, and server text kept out of the format.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "json/report.h"
#include "json/tree_links.h"
#include "support/report_recorder.h"

namespace {

std::unique_ptr<JsonNode> Node(JsonKind kind) {
    return std::make_unique<JsonNode>(kind);
}

using enum JsonKind;
using Texts = std::vector<std::string>;
constexpr JsonKind kUnknownKind = static_cast<JsonKind>(9);
using AttachFunction = int (*)(JsonNode&, std::unique_ptr<JsonNode>&, const Reporter&);
const AttachFunction kAttachFunctions[] = {&AttachChild, &AttachChildFast};

// Each row through AttachChild and through the reader's in-line AttachChildFast alike.
TEST(AttachChild, AcceptsOrRefusesWithItsText) {
    // clang-format off
    // parentText nullptr: no text; report nullptr: accepted.
    const struct { const char* name; JsonKind parentKind; const char* parentText; JsonKind childKind; bool childHasChild; const char* report; } rows[] = {
        {"label_takes_string", Label, "Port", String, false, nullptr},
        {"label_takes_object_with_members", Label, "P", Object, true, nullptr},
        {"label_refuses_label", Label, "Port", Label, false, "JSON: Label Port has unknown child type"},
        {"label_refuses_unknown_kind", Label, "Port", kUnknownKind, false, "JSON: Label Port has unknown child type"},
        {"label_refuses_string_with_child", Label, "Port", String, true, "JSON: Node under label Port which should not have child does"},
        {"label_name_is_text_not_format", Label, "%s%n%x", Label, false, "JSON: Label %s%n%x has unknown child type"},
        {"label_without_text", Label, nullptr, Label, false, "JSON: Label  has unknown child type"},
        {"object_refuses_string", Object, nullptr, String, false, "JSON: Object has child which is not a label"},
        {"object_takes_label", Object, nullptr, Label, true, nullptr},
        {"array_takes_false", Array, nullptr, False, false, nullptr},
        {"array_refuses_label", Array, nullptr, Label, false, "JSON: Label has unknown child type"},
        {"array_refuses_null_with_child", Array, nullptr, Null, true, "JSON: Node under array which should not have child does"},
        {"string_takes_nothing", String, "x", String, false, "JSON: Label has unknown type"},
    };
    // clang-format on
    for (const auto& row : rows) {
        for (const AttachFunction attach : kAttachFunctions) {
            SCOPED_TRACE(row.name + std::string(attach == &AttachChild ? " slow" : " fast"));
            auto parent = row.parentText
                              ? std::make_unique<JsonNode>(row.parentKind, row.parentText)
                              : Node(row.parentKind);
            auto child = Node(row.childKind);
            if (row.childHasChild) {
                child->firstChild = Node(Label);
                child->firstChild->parent = child.get();
                child->lastChild = child->firstChild.get();
            }
            const JsonNode* childNode = child.get();
            ReportRecorder reports;
            EXPECT_EQ(attach(*parent, child, reports), row.report ? 7 : 1);
            EXPECT_EQ(reports.texts, row.report ? Texts{row.report} : Texts{});
            EXPECT_EQ(child.get(), row.report ? childNode : nullptr);  // a refused one stays ours
            EXPECT_EQ(parent->firstChild.get(), row.report ? nullptr : childNode);
            EXPECT_TRUE(TreeLinksAgree(*parent));
        }
    }
}

// Appending after earlier children, also when lastChild has been lost and the siblings are walked.
TEST(AttachChild, AppendsAfterTheLastChild) {
    for (const AttachFunction attach : kAttachFunctions) {
        auto array = Node(JsonKind::Array);
        std::vector<const JsonNode*> expected, linked;
        for (int i = 0; i < 3; ++i) {
            auto element = Node(JsonKind::Null);
            expected.push_back(element.get());
            EXPECT_EQ(attach(*array, element, StandardErrorReporter()), 1);
            array->lastChild = i == 1 ? nullptr : array->lastChild;
        }
        for (const JsonNode* node = array->firstChild.get(); node; node = node->next.get()) {
            linked.push_back(node);
        }
        EXPECT_EQ(linked, expected);
        EXPECT_TRUE(TreeLinksAgree(*array));
    }
}

// A member's value read as an integer (the atol rule), a text and a flag; texts compared whole.
TEST(JsonAccess, ReadsMembersAndComparesTexts) {
    // clang-format off
    const struct { const char* name; JsonKind valueKind; std::optional<std::string> valueText; int32_t integer; } rows[] = {
        {"true", True, std::nullopt, 0},
        {"no_label", Null, std::nullopt, 0},
        {"plain digits", Number, "12059", 12059},
        {"every kind of leading blank skipped", String, " \t\n\v\f\r255", 255},
        {"digits up to the first non-digit", String, "2a", 2},
        {"fraction cut", Number, "14074.5", 14074},
        {"empty", String, "", 0},
        {"minus sign", Number, "-5", -5},
        {"plus sign", String, "+7", 7},
        {"sign without digits", String, "-", 0},
        {"only one sign", String, "+-5", 0},
        {"blank between sign and digits", String, "- 5", 0},
        {"largest value", Number, "2147483647", 2147483647},
        {"smallest value", Number, "-2147483648", INT32_MIN},
        {"one past the largest clamps", Number, "2147483648", 2147483647},
        {"one past the smallest clamps", Number, "-2147483649", INT32_MIN},
        {"very long digit runs clamp", Number, "99999999999999999999999999", 2147483647},
        {"bytes after an embedded zero are ignored", String, std::string("12\0003", 4), 12},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto label = Node(Label);
        auto value = Node(row.valueKind);
        value->text = row.valueText;
        ASSERT_EQ(AttachChild(*label, value), 1);
        const JsonNode* member = row.valueKind == Null ? nullptr : label.get();
        EXPECT_EQ(ReadInteger(member), row.integer);
        EXPECT_EQ(ReadText(member), row.valueText);
        EXPECT_EQ(ReadFlag(member), row.valueKind == True);
        EXPECT_EQ(IntValue(member ? ValueOf(member) : nullptr), row.integer);
    }
    const JsonNode label(Label, std::string("a\0b", 3)), null(Null);
    EXPECT_TRUE(TextEquals(&label, std::string_view("a\0b", 3)));
    EXPECT_FALSE(TextEquals(&label, "a") || TextEquals(&label, {"A\0b", 3}) ||
                 TextEquals(&label, {"a\0bc", 4}) || TextEquals(&null, "") ||
                 TextEquals(nullptr, ""));
}

TEST(Reporter, ShowsUpToTheThresholdWithServerTextAsTextAndWhole) {
    // Formatting a report above the threshold would read through a pointer that points nowhere.
    const char* const nowhere = reinterpret_cast<const char*>(uintptr_t{8});
    const std::string longName(100000, 'n');
    // clang-format off
    const struct { int level; const char* format; const char* argument; std::optional<std::string> shown; } rows[] = {
        {1, "Found Message %s", nowhere, std::nullopt},
        {0, "Unknown message %s received from client", "%s%n%x", "Unknown message %s%n%x received from client"},
        {0, "%s", "", ""},
        {0, "Unknown message %s", longName.c_str(), "Unknown message " + longName},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.level);
        ReportRecorder reports;
        reports.reporter().ReportMessage(row.level, row.format, row.argument);
        EXPECT_EQ(reports.texts, row.shown ? Texts{*row.shown} : Texts{});
    }
    testing::internal::CaptureStderr();  // a reporter without a sink, and the standard one
    Reporter().ReportMessage(0, "JSON: Out of memory%s", "");
    StandardErrorReporter().ReportMessage(0, "%s", "second");
    StandardErrorReporter().ReportMessage(1, "not shown");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "JSON: Out of memory\nsecond\n");
}

}  // namespace
