// The streaming JSON reader: bytes in, one tree per top-level object out.
//
// A character-level lexer and a parser, both explicit state machines whose whole state lives in
// the reader, so any token and any document may be split across any number of Feed calls. The
// tree is built as the tokens come, without recursion; each completed top-level object is handed
// to the DocumentHandler and freed when the handler returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "json/json_node.h"
#include "json/report.h"

enum class JsonStatus : int32_t {
    NeedMore = 2,       // every byte consumed, no error
    DocumentEnded = 3,  // (no handler) one complete document is held
    SyntaxError = 4,
    OutOfMemory = 5,  // also: a document or token larger than MaxDocumentBytes
    LexicalError = 6,
    StructureError = 7,
    InternalError = 10,
};

// "NeedMore", "DocumentEnded", ... as printed by keva-trace.
const char* JsonStatusName(JsonStatus status);

// Called with the root Object of each completed top-level object. It may read the tree but
// must not keep any link into it.
using DocumentHandler = std::function<void(const JsonNode* root)>;

// The lexer state described in messages: "start of object", "string", "number", ...
const char* DescribeLexerState(int32_t lexState);

class JsonReader {
public:
    // A single document or token that grows past this is refused as OutOfMemory.
    static constexpr std::size_t MaxDocumentBytes = 16u << 20;

    // Every complaint goes to `reporter`, which outlives the reader.
    explicit JsonReader(DocumentHandler handler = {},
                        const Reporter& reporter = StandardErrorReporter());
    ~JsonReader();  // releases the partial tree and the token text
    JsonReader(const JsonReader&) = delete;
    JsonReader& operator=(const JsonReader&) = delete;

    // Not re-entrant: the handler must not feed or destroy this reader. After an error status
    // the reader must not be fed again.
    JsonStatus Feed(const char* data, std::size_t length);

    // Without a handler, the complete document held after DocumentEnded; otherwise none.
    const JsonNode* Document() const;

private:
    // Implementation: parseState, lexState, tokenText, readPos, lastChar, line, lineSuffix,
    // cursor, handler, as laid out in json_reader.cpp.
    struct State;
    std::unique_ptr<State> state_;
};
