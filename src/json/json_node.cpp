#include "json/json_node.h"

#include "json/report.h"

namespace {

bool IsValueKind(JsonKind kind) {
    return kind >= JsonKind::String && kind <= JsonKind::Null;
}

// Strings, numbers and the three literals stand alone; objects and arrays hold children.
bool IsLeafKind(JsonKind kind) {
    return kind == JsonKind::String || kind == JsonKind::Number || kind == JsonKind::True ||
           kind == JsonKind::False || kind == JsonKind::Null;
}

const char* TextOrEmpty(const JsonNode& node) {
    return node.text ? node.text->c_str() : "";
}

// Puts the children of `node` in front of `pending`, so that a whole subtree is released as one
// flat list instead of by nested destructor calls.
[[gnu::always_inline]] inline void PrependChildren(JsonNode& node,
                                                   std::unique_ptr<JsonNode>& pending) {
    if (!node.firstChild) {
        return;
    }
    // lastChild saves the walk along the siblings whenever it is plainly right.
    JsonNode* last = node.lastChild;
    if (!last || last->parent != &node || last->next) {
        last = node.firstChild.get();
        while (last->next) {
            last = last->next.get();
        }
    }
    last->next = std::move(pending);
    pending = std::move(node.firstChild);
}

// The refusal text for `child` under `parent`, or none when the pair is allowed.
const char* RefusalFormat(const JsonNode& parent, const JsonNode& child) {
    const bool leafWithChildren = IsLeafKind(child.kind) && child.firstChild != nullptr;
    switch (parent.kind) {
        case JsonKind::Label:
            if (!IsValueKind(child.kind)) {
                return "JSON: Label %s has unknown child type";
            }
            return leafWithChildren ? "JSON: Node under label %s which should not have child does"
                                    : nullptr;
        case JsonKind::Object:
            return child.kind == JsonKind::Label ? nullptr
                                                 : "JSON: Object has child which is not a label";
        case JsonKind::Array:
            if (!IsValueKind(child.kind)) {
                return "JSON: Label has unknown child type";
            }
            return leafWithChildren ? "JSON: Node under array which should not have child does"
                                    : nullptr;
        default:
            return "JSON: Label has unknown type";
    }
}

}  // namespace

namespace json_node_pool {
namespace {

// Gives the nodes of its thread's list back to the heap when the thread ends.
struct Releaser {
    bool armed = false;
    ~Releaser() {
        list.open = false;
        list.closed = true;
        while (FreeNode* node = list.head) {
            list.head = node->next;
            ::operator delete(node);
        }
        list.count = 0;
    }
};

thread_local Releaser releaser;

}  // namespace

bool Open(void* node) {
    if (list.closed) {
        return false;
    }
    releaser.armed = true;  // the first use constructs it, so that it runs at the thread's end
    list.open = true;
    Push(node);
    return true;
}

}  // namespace json_node_pool

void JsonNode::ReleaseLinked() {
    // Owned links form chains as long as the tree is deep or wide; unlink them here and
    // release the nodes one by one from a flat list.
    std::unique_ptr<JsonNode> pending = std::move(next);
    PrependChildren(*this, pending);
    while (pending) {
        std::unique_ptr<JsonNode> node = std::move(pending);
        pending = std::move(node->next);
        PrependChildren(*node, pending);
    }
}

int AttachChild(JsonNode& parent, std::unique_ptr<JsonNode>& child, const Reporter& reporter) {
    if (!child) {
        return 7;
    }
    if (const char* format = RefusalFormat(parent, *child)) {
        if (parent.kind == JsonKind::Label) {
            reporter.ReportMessage(0, format, TextOrEmpty(parent));
        } else {
            reporter.ReportMessage(0, "%s", format);
        }
        return 7;
    }
    JsonNode* node = child.get();
    node->parent = &parent;
    if (!parent.firstChild) {
        parent.firstChild = std::move(child);
    } else {
        JsonNode* last = parent.lastChild ? parent.lastChild : parent.firstChild.get();
        while (last->next) {
            last = last->next.get();
        }
        node->prev = last;
        last->next = std::move(child);
    }
    parent.lastChild = node;
    return 1;
}

void FreeTree(std::unique_ptr<JsonNode>& root) {
    root.reset();  // the destructor releases the subtree as one flat list
}
