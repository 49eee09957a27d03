// Builds JsonNode trees from a SAX parser's events, the tree JsonReader builds for the same
// bytes, so that the other parsers are measured doing the same job. Only for comparing speed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "json/json_node.h"

class TreeBuilder {
public:
    void Open(JsonKind kind);  // an Object or an Array
    void AddLabel(const char* text, std::size_t length);
    void AddValue(JsonKind kind, const char* text = nullptr, std::size_t length = 0);
    // Closes the innermost container: true when it was the top-level object, whose tree
    // TakeRoot then hands over.
    bool Close();
    std::unique_ptr<JsonNode> TakeRoot();

private:
    void Attach(std::unique_ptr<JsonNode> node);

    std::unique_ptr<JsonNode> root_;
    JsonNode* cursor_ = nullptr;
};

// In line, as each parser's own event handlers would be: the peers are measured at their best.
inline void TreeBuilder::Open(JsonKind kind) {
    auto node = std::make_unique<JsonNode>(kind);
    JsonNode* container = node.get();
    if (!cursor_) {
        root_ = std::move(node);
    } else {
        Attach(std::move(node));
    }
    cursor_ = container;
}

inline void TreeBuilder::AddLabel(const char* text, std::size_t length) {
    auto label = std::make_unique<JsonNode>(JsonKind::Label, std::string(text, length));
    JsonNode* node = label.get();
    AttachChildFast(*cursor_, label);
    cursor_ = node;
}

inline void TreeBuilder::AddValue(JsonKind kind, const char* text, std::size_t length) {
    Attach(text ? std::make_unique<JsonNode>(kind, std::string(text, length))
                : std::make_unique<JsonNode>(kind));
}

inline bool TreeBuilder::Close() {
    cursor_ = cursor_->parent;
    if (cursor_ && cursor_->kind == JsonKind::Label) {
        cursor_ = cursor_->parent;
    }
    return cursor_ == nullptr;
}

inline std::unique_ptr<JsonNode> TreeBuilder::TakeRoot() {
    cursor_ = nullptr;
    return std::move(root_);
}

// A value under a Label ends its member: the cursor goes back to the Object.
inline void TreeBuilder::Attach(std::unique_ptr<JsonNode> node) {
    AttachChildFast(*cursor_, node);
    if (cursor_->kind == JsonKind::Label) {
        cursor_ = cursor_->parent;
    }
}
