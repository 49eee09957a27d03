#include "json/tree_text.h"

namespace {

bool HoldsChildren(JsonKind kind) {
    return kind == JsonKind::Object || kind == JsonKind::Array || kind == JsonKind::Label;
}

void AppendQuoted(std::string& out, const JsonNode& node) {
    out += '"';
    if (node.text) {
        out += *node.text;
    }
    out += '"';
}

// What comes before a node's children (or the whole node when it has none).
void AppendOpening(std::string& out, const JsonNode& node) {
    switch (node.kind) {
        case JsonKind::Object:
            out += '{';
            break;
        case JsonKind::Array:
            out += '[';
            break;
        case JsonKind::Label:
            AppendQuoted(out, node);
            out += ':';
            break;
        case JsonKind::String:
            AppendQuoted(out, node);
            break;
        case JsonKind::Number:
            out += node.text ? *node.text : std::string();
            break;
        case JsonKind::True:
            out += "true";
            break;
        case JsonKind::False:
            out += "false";
            break;
        case JsonKind::Null:
            out += "null";
            break;
    }
}

void AppendClosing(std::string& out, const JsonNode& node) {
    if (node.kind == JsonKind::Object) {
        out += '}';
    } else if (node.kind == JsonKind::Array) {
        out += ']';
    }
}

}  // namespace

void AppendTreeText(std::string& out, const JsonNode* root) {
    const JsonNode* node = root;
    while (node) {
        AppendOpening(out, *node);
        if (HoldsChildren(node->kind) && node->firstChild) {
            node = node->firstChild.get();
            continue;
        }
        // The node is done: close it and every ancestor whose last child it completes.
        while (true) {
            AppendClosing(out, *node);
            if (node == root) {
                return;
            }
            if (node->next) {
                out += ',';
                node = node->next.get();
                break;
            }
            node = node->parent;
            if (!node) {
                return;
            }
        }
    }
}

std::string TreeText(const JsonNode* root) {
    std::string out;
    AppendTreeText(out, root);
    return out;
}
