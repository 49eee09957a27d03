#include "yajl_tree_reader.h"

#include <yajl/yajl_parse.h>

#include <string>

namespace {

TreeBuilder& BuilderOf(void* context) {
    return static_cast<YajlTreeReader*>(context)->builder;
}

int OnNull(void* context) {
    BuilderOf(context).AddValue(JsonKind::Null);
    return 1;
}

int OnBoolean(void* context, int value) {
    BuilderOf(context).AddValue(value ? JsonKind::True : JsonKind::False);
    return 1;
}

int OnNumber(void* context, const char* text, std::size_t length) {
    BuilderOf(context).AddValue(JsonKind::Number, text, length);
    return 1;
}

int OnString(void* context, const unsigned char* text, std::size_t length) {
    BuilderOf(context).AddValue(JsonKind::String, reinterpret_cast<const char*>(text), length);
    return 1;
}

int OnStartMap(void* context) {
    BuilderOf(context).Open(JsonKind::Object);
    return 1;
}

int OnMapKey(void* context, const unsigned char* text, std::size_t length) {
    BuilderOf(context).AddLabel(reinterpret_cast<const char*>(text), length);
    return 1;
}

int OnStartArray(void* context) {
    BuilderOf(context).Open(JsonKind::Array);
    return 1;
}

int OnEnd(void* context) {
    static_cast<YajlTreeReader*>(context)->Close();
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

void YajlTreeReader::Close() {
    if (builder.Close()) {
        std::unique_ptr<JsonNode> root = builder.TakeRoot();
        handler_(root.get());
        FreeTree(root);
    }
}
