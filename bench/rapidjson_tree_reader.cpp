#include "rapidjson_tree_reader.h"

// SSE2 is in every x86-64 processor, as it is in what the rest of the benchmark is built for;
// RapidJSON skips blanks with it.
#if defined(__SSE2__)
#define RAPIDJSON_SSE2
#endif
#include <rapidjson/document.h>
#include <rapidjson/reader.h>

#include "tree_builder.h"

namespace {

// Numbers stay literals, as in a JsonNode tree; RapidJSON stops after each top-level value.
constexpr unsigned kFlags =
    rapidjson::kParseStopWhenDoneFlag | rapidjson::kParseNumbersAsStringsFlag;

// Hands RapidJSON's SAX events to the tree builder.
class TreeEvents : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeEvents> {
public:
    bool Null() {
        builder.AddValue(JsonKind::Null);
        return true;
    }
    bool Bool(bool value) {
        builder.AddValue(value ? JsonKind::True : JsonKind::False);
        return true;
    }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        builder.AddValue(JsonKind::Number, text, length);
        return true;
    }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        builder.AddValue(JsonKind::String, text, length);
        return true;
    }
    bool StartObject() {
        builder.Open(JsonKind::Object);
        return true;
    }
    bool Key(const char* text, rapidjson::SizeType length, bool) {
        builder.AddLabel(text, length);
        return true;
    }
    bool EndObject(rapidjson::SizeType) {
        builder.Close();
        return true;
    }
    bool StartArray() {
        builder.Open(JsonKind::Array);
        return true;
    }
    bool EndArray(rapidjson::SizeType) {
        builder.Close();
        return true;
    }

    TreeBuilder builder;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

// A Document per message, its values and its parse stack in pools inside these buffers, so
// that parsing a message allocates nothing: RapidJSON's fastest way.
struct RapidJsonTreeReader::Parsers {
    rapidjson::Reader reader;
    TreeEvents events;
    char valueBuffer[64 << 10];
    char stackBuffer[4 << 10];

    // Each parses one value from `stream` and hands it over.
    rapidjson::ParseResult ParseTree(rapidjson::StringStream& stream, const Handler& handler) {
        const rapidjson::ParseResult result = reader.Parse<kFlags>(stream, events);
        std::unique_ptr<JsonNode> root = events.builder.TakeRoot();
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
