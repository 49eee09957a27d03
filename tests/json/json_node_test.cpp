// AttachChild's checks and linking, and releasing trees of any depth or width.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "json/json_node.h"
#include "report_recorder.h"
#include "small_stack.h"

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
    int result;
    const char* report;  // none: no report
};

const AttachRow kAttachRows[] = {
    {"label_takes_string", JsonKind::Label, "Port", JsonKind::String, false, 1, nullptr},
    {"label_takes_null", JsonKind::Label, "Port", JsonKind::Null, false, 1, nullptr},
    {"label_takes_object_with_members", JsonKind::Label, "P", JsonKind::Object, true, 1, nullptr},
    {"label_takes_array_with_elements", JsonKind::Label, "P", JsonKind::Array, true, 1, nullptr},
    {"label_refuses_label", JsonKind::Label, "Port", JsonKind::Label, false, 7,
     "JSON: Label Port has unknown child type"},
    {"label_refuses_unknown_kind", JsonKind::Label, "Port", kUnknownKind, false, 7,
     "JSON: Label Port has unknown child type"},
    {"label_refuses_string_with_child", JsonKind::Label, "Port", JsonKind::String, true, 7,
     "JSON: Node under label Port which should not have child does"},
    {"label_refuses_number_with_child", JsonKind::Label, "Port", JsonKind::Number, true, 7,
     "JSON: Node under label Port which should not have child does"},
    {"label_refuses_true_with_child", JsonKind::Label, "Port", JsonKind::True, true, 7,
     "JSON: Node under label Port which should not have child does"},
    {"label_name_is_text_not_format", JsonKind::Label, "%s%n%x", JsonKind::Label, false, 7,
     "JSON: Label %s%n%x has unknown child type"},
    {"label_without_text", JsonKind::Label, nullptr, JsonKind::Label, false, 7,
     "JSON: Label  has unknown child type"},
    {"object_takes_label", JsonKind::Object, nullptr, JsonKind::Label, true, 1, nullptr},
    {"object_refuses_string", JsonKind::Object, nullptr, JsonKind::String, false, 7,
     "JSON: Object has child which is not a label"},
    {"object_refuses_object", JsonKind::Object, nullptr, JsonKind::Object, false, 7,
     "JSON: Object has child which is not a label"},
    {"array_takes_false", JsonKind::Array, nullptr, JsonKind::False, false, 1, nullptr},
    {"array_takes_array_with_elements", JsonKind::Array, nullptr, JsonKind::Array, true, 1,
     nullptr},
    {"array_refuses_label", JsonKind::Array, nullptr, JsonKind::Label, false, 7,
     "JSON: Label has unknown child type"},
    {"array_refuses_null_with_child", JsonKind::Array, nullptr, JsonKind::Null, true, 7,
     "JSON: Node under array which should not have child does"},
    {"string_takes_nothing", JsonKind::String, "x", JsonKind::String, false, 7,
     "JSON: Label has unknown type"},
    {"number_takes_nothing", JsonKind::Number, "1", JsonKind::Label, false, 7,
     "JSON: Label has unknown type"},
    {"unknown_kind_takes_nothing", kUnknownKind, nullptr, JsonKind::Null, false, 7,
     "JSON: Label has unknown type"},
};

class AttachChildTest : public testing::TestWithParam<AttachRow> {};

TEST_P(AttachChildTest, AcceptsOrRefusesWithItsText) {
    const AttachRow& row = GetParam();
    std::unique_ptr<JsonNode> parent =
        row.parentText ? Node(row.parentKind, row.parentText) : Node(row.parentKind);
    std::unique_ptr<JsonNode> earlier = Node(JsonKind::Null);
    JsonNode* earlierNode = earlier.get();
    if (row.parentKind == JsonKind::Array) {  // an existing child, to check the linking
        ASSERT_EQ(AttachChild(*parent, earlier), 1);
    }
    std::unique_ptr<JsonNode> child = Node(row.childKind);
    child->firstChild = Node(JsonKind::Label, "inner");
    child->firstChild->parent = child.get();
    child->lastChild = child->firstChild.get();
    if (!row.childHasChild) {
        child->firstChild.reset();
        child->lastChild = nullptr;
    }
    JsonNode* childNode = child.get();
    JsonNode* firstBefore = parent->firstChild.get();

    ReportRecorder reports;
    EXPECT_EQ(AttachChild(*parent, child), row.result);

    if (row.result == 7) {
        EXPECT_EQ(reports.texts, std::vector<std::string>{row.report});
        EXPECT_EQ(child.get(), childNode);  // still the caller's
        EXPECT_EQ(childNode->parent, nullptr);
        EXPECT_EQ(parent->firstChild.get(), firstBefore);
        EXPECT_EQ(parent->lastChild, firstBefore);
        return;
    }
    EXPECT_TRUE(reports.texts.empty());
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(childNode->parent, parent.get());
    EXPECT_EQ(parent->lastChild, childNode);
    if (row.parentKind == JsonKind::Array) {
        EXPECT_EQ(parent->firstChild.get(), earlierNode);
        EXPECT_EQ(earlierNode->next.get(), childNode);
        EXPECT_EQ(childNode->prev, earlierNode);
    } else {
        EXPECT_EQ(parent->firstChild.get(), childNode);
        EXPECT_EQ(childNode->prev, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AttachChildTest, testing::ValuesIn(kAttachRows),
                         [](const testing::TestParamInfo<AttachRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(AttachChild, KeepsChildrenInDocumentOrder) {
    auto array = Node(JsonKind::Array);
    std::vector<JsonNode*> added;
    for (const char* text : {"1", "2", "3"}) {
        auto child = Node(JsonKind::Number, text);
        added.push_back(child.get());
        ASSERT_EQ(AttachChild(*array, child), 1);
    }
    EXPECT_EQ(array->firstChild.get(), added[0]);
    EXPECT_EQ(array->lastChild, added[2]);
    EXPECT_EQ(added[0]->next.get(), added[1]);
    EXPECT_EQ(added[1]->next.get(), added[2]);
    EXPECT_EQ(added[2]->next, nullptr);
    EXPECT_EQ(added[2]->prev, added[1]);
    EXPECT_EQ(added[1]->prev, added[0]);
    EXPECT_EQ(added[0]->prev, nullptr);
}

// An array nested `depth` levels deep, built with AttachChild.
std::unique_ptr<JsonNode> DeepArray(int depth) {
    auto root = Node(JsonKind::Array);
    JsonNode* innermost = root.get();
    for (int i = 1; i < depth; ++i) {
        auto child = Node(JsonKind::Array);
        JsonNode* next = child.get();
        AttachChild(*innermost, child);
        innermost = next;
    }
    return root;
}

// Members and arrays alternating: {"a":[{"a":[...]}]}.
std::unique_ptr<JsonNode> DeepMixed(int levels) {
    auto root = Node(JsonKind::Object);
    JsonNode* innermost = root.get();
    for (int i = 0; i < levels; ++i) {
        auto label = Node(JsonKind::Label, "a");
        auto array = Node(JsonKind::Array);
        auto object = Node(JsonKind::Object);
        JsonNode* labelNode = label.get();
        JsonNode* arrayNode = array.get();
        JsonNode* objectNode = object.get();
        AttachChild(*innermost, label);
        AttachChild(*labelNode, array);
        AttachChild(*arrayNode, object);
        innermost = objectNode;
    }
    return root;
}

TEST(FreeTree, ReleasesAHundredThousandLevelsOnASmallStack) {
    bool cleared = false;
    RunOnSmallStack([&] {
        std::unique_ptr<JsonNode> root = DeepArray(100000);
        FreeTree(root);
        cleared = root == nullptr;
    });
    EXPECT_TRUE(cleared);
}

TEST(FreeTree, ReleasesDeepMixedNestingOnASmallStack) {
    bool cleared = false;
    RunOnSmallStack([&] {
        std::unique_ptr<JsonNode> root = DeepMixed(40000);
        FreeTree(root);
        cleared = root == nullptr;
    });
    EXPECT_TRUE(cleared);
}

TEST(FreeTree, ReleasesAMillionSiblingsOnASmallStack) {
    bool cleared = false;
    RunOnSmallStack([&] {
        auto root = Node(JsonKind::Array);
        for (int i = 0; i < 1000000; ++i) {
            auto child = Node(JsonKind::Number, "1");
            AttachChild(*root, child);
        }
        FreeTree(root);
        cleared = root == nullptr;
    });
    EXPECT_TRUE(cleared);
}

TEST(FreeTree, LeavesANoneReferenceAlone) {
    std::unique_ptr<JsonNode> none;
    FreeTree(none);
    EXPECT_EQ(none, nullptr);
}

TEST(JsonNodeDestructor, ReleasesADeepSubtreeWithoutRecursion) {
    // Plain destruction (a unique_ptr going out of scope) takes the same iterative road.
    RunOnSmallStack([] { std::unique_ptr<JsonNode> root = DeepArray(100000); });
    RunOnSmallStack([] {
        std::unique_ptr<JsonNode> root = DeepMixed(40000);
        // Detach an inner subtree and let both halves go their own way.
        JsonNode* label = root->firstChild.get();
        std::unique_ptr<JsonNode> inner = std::move(label->firstChild);
        label->lastChild = nullptr;
    });
    SUCCEED();
}

}  // namespace
