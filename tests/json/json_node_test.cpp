// AttachChild's checks and linking, and releasing trees of any depth or width.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "json/tree_links.h"
#include "small_stack.h"
#include "support/report_recorder.h"

namespace {

std::unique_ptr<JsonNode> Node(JsonKind kind) {
    return std::make_unique<JsonNode>(kind);
}

std::unique_ptr<JsonNode> Node(JsonKind kind, const std::string& text) {
    return std::make_unique<JsonNode>(kind, text);
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

// Rows print as their names, so test names and failures carry no raw bytes.
void PrintTo(const AttachRow& row, std::ostream* out) {
    *out << row.name;
}

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

using AttachFunction = int (*)(JsonNode&, std::unique_ptr<JsonNode>&);

void AttachAndCheck(const AttachRow& row, AttachFunction attach) {
    auto parent = row.parentText ? Node(row.parentKind, row.parentText) : Node(row.parentKind);
    std::vector<const JsonNode*> children;  // expected, in document order
    for (int i = 0; row.parentKind == JsonKind::Array && i < 2; ++i) {  // earlier elements
        auto earlier = Node(JsonKind::Null);
        children.push_back(earlier.get());
        EXPECT_EQ(attach(*parent, earlier), 1);
    }
    auto child = Node(row.childKind);
    if (row.childHasChild) {
        child->firstChild = Node(JsonKind::Label, "inner");
        child->firstChild->parent = child.get();
        child->lastChild = child->firstChild.get();
    }
    const JsonNode* childNode = child.get();
    ReportRecorder reports;
    EXPECT_EQ(attach(*parent, child), row.report ? 7 : 1);
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

// Each row through AttachChild and through the reader's in-line AttachChildFast alike.
TEST_P(AttachChildTest, AcceptsOrRefusesWithItsText) {
    for (const auto attach : {&AttachChild, &AttachChildFast}) {
        SCOPED_TRACE(attach == &AttachChild ? "AttachChild" : "AttachChildFast");
        AttachAndCheck(GetParam(), attach);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AttachChildTest, testing::ValuesIn(kAttachRows),
                         [](const testing::TestParamInfo<AttachRow>& info) {
                             return std::string(info.param.name);
                         });

// A chain of `levels` repeats of `pattern` under a root of `rootKind`, built with AttachChild.
std::unique_ptr<JsonNode> Chain(JsonKind rootKind, const std::vector<JsonKind>& pattern,
                                int levels) {
    auto root = Node(rootKind);
    JsonNode* innermost = root.get();
    for (int i = 0; i < levels; ++i) {
        for (JsonKind kind : pattern) {
            auto child = Node(kind);
            JsonNode* next = child.get();
            AttachChild(*innermost, child);
            innermost = next;
        }
    }
    return root;
}

std::unique_ptr<JsonNode> Siblings(int count) {
    auto root = Node(JsonKind::Array);
    for (int i = 0; i < count; ++i) {
        auto child = Node(JsonKind::Number, "1");
        AttachChild(*root, child);
    }
    return root;
}

// FreeTree and plain destruction (a unique_ptr going out of scope) both release trees of any
// depth or width without recursion.
TEST(FreeTree, ReleasesDeepAndWideTreesOnASmallStack) {
    const std::pair<const char*, std::unique_ptr<JsonNode> (*)()> trees[] = {
        {"deep_arrays", [] { return Chain(JsonKind::Array, {JsonKind::Array}, 100000); }},
        {"deep_mixed",
         [] {
             return Chain(JsonKind::Object, {JsonKind::Label, JsonKind::Array, JsonKind::Object},
                          40000);
         }},
        {"million_siblings", [] { return Siblings(1000000); }},
    };
    for (const auto& [name, build] : trees) {
        SCOPED_TRACE(name);
        bool cleared = false;
        RunOnSmallStack([&] {
            std::unique_ptr<JsonNode> root = build();
            FreeTree(root);
            cleared = root == nullptr;
        });
        EXPECT_TRUE(cleared);
        RunOnSmallStack([&] { build(); });
    }
    RunOnSmallStack([&] {  // an inner subtree detached: both halves go their own way
        std::unique_ptr<JsonNode> root = trees[1].second();
        JsonNode* label = root->firstChild.get();
        std::unique_ptr<JsonNode> inner = std::move(label->firstChild);
        label->lastChild = nullptr;
    });
}

}  // namespace
