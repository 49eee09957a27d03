// One node of a received message tree, and the small accessors every message handler uses.
//
// An object member `"Port": 12059` is three levels: the Object, under it a Label whose text is
// "Port", and under the Label the value (a Number with the text "12059"). Texts are the received
// bytes: escapes stay undecoded, numbers stay as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "json/report.h"

enum class JsonKind : int32_t {
    Label = 0,
    String = 1,
    Number = 2,
    Object = 3,
    Array = 4,
    True = 5,
    False = 6,
    Null = 7,
};

// A parent owns its first child, and every node owns its next sibling; the other links own
// nothing. Destroying a node releases its whole subtree without recursion.
struct JsonNode {
    explicit JsonNode(JsonKind k) : kind(k) {}
    JsonNode(JsonKind k, std::string t) : kind(k), text(std::move(t)) {}
    ~JsonNode() {
        if (firstChild || next) {
            ReleaseLinked();
        }
    }
    JsonNode(const JsonNode&) = delete;
    JsonNode& operator=(const JsonNode&) = delete;

    // Trees are built and freed a message at a time, so the memory of freed nodes is kept for
    // the next ones (json_node_pool.h).
    static void* operator new(std::size_t size);
    static void operator delete(void* node, std::size_t size) noexcept;

    JsonKind kind;
    std::optional<std::string> text;
    std::unique_ptr<JsonNode> next;
    JsonNode* prev = nullptr;
    JsonNode* parent = nullptr;
    std::unique_ptr<JsonNode> firstChild;
    JsonNode* lastChild = nullptr;

private:
    // Releases the children and the following siblings as one flat list.
    void ReleaseLinked();
};

// Appends `child` as the last child of `parent` when the pair is allowed: returns 1 and takes
// the child. Otherwise reports the refusal (level 0) to `reporter`, leaves both unchanged and
// returns 7.
int AttachChild(JsonNode& parent, std::unique_ptr<JsonNode>& child,
                const Reporter& reporter = StandardErrorReporter());

// AttachChild, with the commonest case done in line: a child without children of its own, of a
// kind the parent takes, after a last child that is really the last. Anything else goes to
// AttachChild, which knows every rule and every refusal.
[[gnu::always_inline]] inline int AttachChildFast(
    JsonNode& parent, std::unique_ptr<JsonNode>& child,
    const Reporter& reporter = StandardErrorReporter()) {
    JsonNode* node = child.get();
    JsonNode* last = parent.lastChild;
    const bool accepted =
        node && !node->firstChild &&
        (parent.kind == JsonKind::Object
             ? node->kind == JsonKind::Label
             : (parent.kind == JsonKind::Label || parent.kind == JsonKind::Array) &&
                   node->kind >= JsonKind::String && node->kind <= JsonKind::Null);
    if (!accepted || (parent.firstChild ? !last || last->next : last != nullptr)) {
        return AttachChild(parent, child, reporter);
    }
    node->parent = &parent;
    if (last) {
        node->prev = last;
        last->next = std::move(child);
    } else {
        parent.firstChild = std::move(child);
    }
    parent.lastChild = node;
    return 1;
}

// Releases the tree under `root` (any depth, constant stack) and sets `root` to none.
void FreeTree(std::unique_ptr<JsonNode>& root);

// True when the node has text equal to `literal`, byte for byte, with the same length.
bool TextEquals(const JsonNode* node, std::string_view literal);

// The value of a member: the Label's first child (none for none).
const JsonNode* ValueOf(const JsonNode* label);

// strtol rules, base 10, clamped to the 32-bit range; 0 for none or a node without text.
int32_t IntValue(const JsonNode* node);

// Member-reading rules shared by every message handler; each takes the member's Label.
int32_t ReadInteger(const JsonNode* label);                  // IntValue of the value
std::optional<std::string> ReadText(const JsonNode* label);  // copy of the value's text, or none
bool ReadFlag(const JsonNode* label);                        // true only for a True value

#include "json/json_node_pool.h"
