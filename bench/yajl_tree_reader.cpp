#include "yajl_tree_reader.h"

#include <yajl/yajl_parse.h>

#include <string>

namespace {

YajlTreeReader& ReaderOf(void* context) {
    return *static_cast<YajlTreeReader*>(context);
}

int OnNull(void* context) {
    ReaderOf(context).AddValue(std::make_unique<JsonNode>(JsonKind::Null));
    return 1;
}

int OnBoolean(void* context, int value) {
    ReaderOf(context).AddValue(
        std::make_unique<JsonNode>(value ? JsonKind::True : JsonKind::False));
    return 1;
}

int OnNumber(void* context, const char* text, std::size_t length) {
    ReaderOf(context).AddValue(
        std::make_unique<JsonNode>(JsonKind::Number, std::string(text, length)));
    return 1;
}

int OnString(void* context, const unsigned char* text, std::size_t length) {
    ReaderOf(context).AddValue(std::make_unique<JsonNode>(
        JsonKind::String, std::string(reinterpret_cast<const char*>(text), length)));
    return 1;
}

int OnStartMap(void* context) {
    ReaderOf(context).Open(JsonKind::Object);
    return 1;
}

int OnMapKey(void* context, const unsigned char* text, std::size_t length) {
    ReaderOf(context).AddLabel(text, length);
    return 1;
}

int OnStartArray(void* context) {
    ReaderOf(context).Open(JsonKind::Array);
    return 1;
}

int OnEnd(void* context) {
    ReaderOf(context).Close();
    return 1;
}

const yajl_callbacks kCallbacks = {
    OnNull,     OnBoolean, nullptr, nullptr,      OnNumber, OnString,
    OnStartMap, OnMapKey,  OnEnd,   OnStartArray, OnEnd,
};

}  // namespace

YajlTreeReader::YajlTreeReader(Handler handler)
    : handler_(std::move(handler)), handle_(yajl_alloc(&kCallbacks, nullptr, this)) {
    yajl_config(handle_, yajl_allow_multiple_values, 1);
    // JsonReader keeps strings as bytes, unchecked; let yajl skip its UTF-8 check too.
    yajl_config(handle_, yajl_dont_validate_strings, 1);
}

YajlTreeReader::~YajlTreeReader() {
    yajl_free(handle_);
}

bool YajlTreeReader::Feed(const char* data, std::size_t length) {
    return yajl_parse(handle_, reinterpret_cast<const unsigned char*>(data), length) ==
           yajl_status_ok;
}

void YajlTreeReader::Open(JsonKind kind) {
    auto node = std::make_unique<JsonNode>(kind);
    JsonNode* container = node.get();
    if (!cursor_) {
        root_ = std::move(node);
    } else {
        AddValue(std::move(node));
    }
    cursor_ = container;
}

void YajlTreeReader::AddLabel(const unsigned char* text, std::size_t length) {
    auto label = std::make_unique<JsonNode>(
        JsonKind::Label, std::string(reinterpret_cast<const char*>(text), length));
    JsonNode* node = label.get();
    AttachChildFast(*cursor_, label);
    cursor_ = node;
}

void YajlTreeReader::AddValue(std::unique_ptr<JsonNode> node) {
    AttachChildFast(*cursor_, node);
    if (cursor_->kind == JsonKind::Label) {
        cursor_ = cursor_->parent;
    }
}

void YajlTreeReader::Close() {
    cursor_ = cursor_->parent;
    if (!cursor_) {
        handler_(root_.get());
        FreeTree(root_);
    } else if (cursor_->kind == JsonKind::Label) {
        cursor_ = cursor_->parent;
    }
}
