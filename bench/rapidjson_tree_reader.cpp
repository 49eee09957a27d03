#include "rapidjson_tree_reader.h"

// SSE2 is in every x86-64 processor, as it is in what the rest of the benchmark is built for;
// RapidJSON skips blanks with it.
#if defined(__SSE2__)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/document.h>
#include <rapidjson/reader.h>

namespace {

// Numbers stay literals, as in a JsonNode tree; RapidJSON stops after each top-level value.
constexpr unsigned kFlags =
    rapidjson::kParseStopWhenDoneFlag | rapidjson::kParseNumbersAsStringsFlag;

// Builds JsonNode trees from the SAX events, as YajlTreeReader does from yajl's callbacks.
class TreeBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeBuilder> {
public:
    bool Null() { return AddValue(std::make_unique<JsonNode>(JsonKind::Null)); }
    bool Bool(bool value) {
        return AddValue(std::make_unique<JsonNode>(value ? JsonKind::True : JsonKind::False));
    }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        return AddValue(std::make_unique<JsonNode>(JsonKind::Number, std::string(text, length)));
    }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        return AddValue(std::make_unique<JsonNode>(JsonKind::String, std::string(text, length)));
    }
    bool StartObject() { return Open(JsonKind::Object); }
    bool Key(const char* text, rapidjson::SizeType length, bool) {
        auto label = std::make_unique<JsonNode>(JsonKind::Label, std::string(text, length));
        JsonNode* node = label.get();
        AttachChildFast(*cursor_, label);
        cursor_ = node;
        return true;
    }
    bool EndObject(rapidjson::SizeType) { return Close(); }
    bool StartArray() { return Open(JsonKind::Array); }
    bool EndArray(rapidjson::SizeType) { return Close(); }

    // The tree of the object just parsed; the builder forgets it.
    std::unique_ptr<JsonNode> TakeRoot() {
        cursor_ = nullptr;
        return std::move(root_);
    }

private:
    bool Open(JsonKind kind) {
        auto node = std::make_unique<JsonNode>(kind);
        JsonNode* container = node.get();
        if (!cursor_) {
            root_ = std::move(node);
        } else {
            AddValue(std::move(node));
        }
        cursor_ = container;
        return true;
    }
    bool AddValue(std::unique_ptr<JsonNode> node) {
        AttachChildFast(*cursor_, node);
        if (cursor_->kind == JsonKind::Label) {
            cursor_ = cursor_->parent;
        }
        return true;
    }
    bool Close() {
        cursor_ = cursor_->parent;
        if (cursor_ && cursor_->kind == JsonKind::Label) {
            cursor_ = cursor_->parent;
        }
        return true;
    }

    std::unique_ptr<JsonNode> root_;
    JsonNode* cursor_ = nullptr;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

// A Document per message, its values and its parse stack in pools inside these buffers, so
// that parsing a message allocates nothing: RapidJSON's fastest way.
struct RapidJsonTreeReader::Parsers {
    rapidjson::Reader reader;
    TreeBuilder builder;
    char valueBuffer[64 << 10];
    char stackBuffer[4 << 10];

    // Each parses one value from `stream` and hands it over.
    rapidjson::ParseResult ParseTree(rapidjson::StringStream& stream, const Handler& handler) {
        const rapidjson::ParseResult result = reader.Parse<kFlags>(stream, builder);
        std::unique_ptr<JsonNode> root = builder.TakeRoot();
        if (!result.IsError()) {
            handler(root.get());
        }
        FreeTree(root);
        return result;
    }
    rapidjson::ParseResult ParseDocument(rapidjson::StringStream& stream, const Handler& handler) {
        rapidjson::MemoryPoolAllocator<> values(valueBuffer, sizeof valueBuffer);
        rapidjson::MemoryPoolAllocator<> stack(stackBuffer, sizeof stackBuffer);
        using Pool = rapidjson::MemoryPoolAllocator<>;
        rapidjson::GenericDocument<rapidjson::UTF8<>, Pool, Pool> document(
            &values, sizeof stackBuffer / 2, &stack);
        document.ParseStream<kFlags>(stream);
        if (!document.HasParseError()) {
            handler(&document);
        }
        return {document.GetParseError(), document.GetErrorOffset()};
    }
};

RapidJsonTreeReader::RapidJsonTreeReader(Build build, Handler handler)
    : build_(build), handler_(std::move(handler)), parsers_(std::make_unique<Parsers>()) {}

RapidJsonTreeReader::~RapidJsonTreeReader() = default;

bool RapidJsonTreeReader::Feed(const char* data, std::size_t length) {
    pending_.append(data, length);
    std::size_t at = 0;
    while (true) {
        while (at < pending_.size() && IsBlank(pending_[at])) {
            ++at;
        }
        if (at == pending_.size()) {
            break;
        }
        // c_str ends the text with the zero byte at which RapidJSON sees the end.
        rapidjson::StringStream stream(pending_.c_str() + at);
        const rapidjson::ParseResult result = build_ == Build::NodeTree
                                                  ? parsers_->ParseTree(stream, handler_)
                                                  : parsers_->ParseDocument(stream, handler_);
        if (result.IsError()) {
            // Cut off by the end of the bytes so far (the traffic has no escapes, whose errors
            // are placed earlier): parse it again when more came. Otherwise a real error.
            if (at + result.Offset() >= pending_.size()) {
                break;
            }
            return false;
        }
        at += stream.Tell();
    }
    pending_.erase(0, at);
    return true;
}
