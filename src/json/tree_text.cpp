#include "json/tree_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

bool HoldsChildren(JsonKind kind) {
    return kind == JsonKind::Object || kind == JsonKind::Array || kind == JsonKind::Label;
}

// Appends to a string through a pointer: room is made in large steps, each node writes its
// bytes straight in, and the string is cut to what was written at the end. Appending piece by
// piece through the string itself checks and grows it for every byte.
class Writer {
public:
    explicit Writer(std::string& out) : out_(out), used_(out.size()) {}
    ~Writer() { out_.resize(used_); }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // The next `count` bytes, to be filled and then taken with Advance.
    char* Room(std::size_t count) {
        if (out_.size() - used_ < count) {
            Grow(count);
        }
        return out_.data() + used_;
    }
    void Advance(char* to) { used_ = static_cast<std::size_t>(to - out_.data()); }

    void Put(char c) {
        char* at = Room(1);
        *at++ = c;
        Advance(at);
    }

private:
    [[gnu::noinline]] void Grow(std::size_t count) {
        out_.resize(std::max(out_.size() * 2, used_ + count + 256));
    }

    std::string& out_;
    std::size_t used_;
};

std::string_view TextOf(const JsonNode& node) {
    return node.text ? std::string_view(*node.text) : std::string_view();
}

char* Copy(char* at, std::string_view text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

// What comes before a node's children (or the whole node when it has none).
void WriteOpening(Writer& out, const JsonNode& node) {
    switch (node.kind) {
        case JsonKind::Object:
            out.Put('{');
            break;
        case JsonKind::Array:
            out.Put('[');
            break;
        case JsonKind::Label:
        case JsonKind::String: {
            const std::string_view text = TextOf(node);
            char* at = out.Room(text.size() + 3);
            *at++ = '"';
            at = Copy(at, text);
            *at++ = '"';
            if (node.kind == JsonKind::Label) {
                *at++ = ':';
            }
            out.Advance(at);
            break;
        }
        case JsonKind::Number: {
            const std::string_view text = TextOf(node);
            out.Advance(Copy(out.Room(text.size()), text));
            break;
        }
        case JsonKind::True:
            out.Advance(std::copy_n("true", 4, out.Room(4)));
            break;
        case JsonKind::False:
            out.Advance(std::copy_n("false", 5, out.Room(5)));
            break;
        case JsonKind::Null:
            out.Advance(std::copy_n("null", 4, out.Room(4)));
            break;
    }
}

void WriteClosing(Writer& out, const JsonNode& node) {
    if (node.kind == JsonKind::Object) {
        out.Put('}');
    } else if (node.kind == JsonKind::Array) {
        out.Put(']');
    }
}

}  // namespace

void AppendTreeText(std::string& text, const JsonNode* root) {
    Writer out(text);
    const JsonNode* node = root;
    while (node) {
        WriteOpening(out, *node);
        if (HoldsChildren(node->kind) && node->firstChild) {
            node = node->firstChild.get();
            continue;
        }
        // The node is done: close it and every ancestor whose last child it completes.
        while (true) {
            WriteClosing(out, *node);
            if (node == root) {
                return;
            }
            if (node->next) {
                out.Put(',');
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
