#include "json/json_reader.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "json/json_lexer_inl.h"
#include "json/report.h"

namespace {

using json_lexer_detail::Byte;

// Parser states; each reads one token, apart from the two that open a container.
enum ParseState : int32_t {
    AwaitDocument = 0,          // a document
    OpenObject = 1,             // (makes the Object node; reads nothing)
    LabelOrObjectEnd = 2,       // a label or "}" after "{"
    MemberSeparatorOrEnd = 3,   // "," or "}" after a member
    LabelAfterSeparator = 4,    // a label after ","
    LabelSeparator = 5,         // ":" after a label
    MemberValue = 6,            // a member's value
    OpenArray = 7,              // (makes the Array node; reads nothing)
    ValueOrArrayEnd = 8,        // a value or "]" after "[" or after ","
    ElementSeparatorOrEnd = 9,  // "," or "]" after an element
    DocumentHeld = 99,          // nothing: a complete document is held (no handler)
};

bool IsScalarToken(Token token) {
    switch (token) {
        case Token::True:
        case Token::False:
        case Token::Null:
        case Token::String:
        case Token::Number:
            return true;
        default:
            return false;
    }
}

// The kind of node a scalar token makes.
JsonKind ScalarKind(Token token) {
    switch (token) {
        case Token::True:
            return JsonKind::True;
        case Token::False:
            return JsonKind::False;
        case Token::Null:
            return JsonKind::Null;
        case Token::String:
            return JsonKind::String;
        default:
            return JsonKind::Number;
    }
}

bool IsKind(const JsonNode* node, JsonKind kind) {
    return node && node->kind == kind;
}

// The reader's whole state and its two machines. Internal linkage lets the compiler fold the
// state functions and the lexer into one loop.
class Parser {
public:
    Parser(DocumentHandler h, const Reporter& r) : handler(std::move(h)), reporter(r) {
        lexer.textLimit = JsonReader::MaxDocumentBytes;
        lexer.reporter = &reporter;
    }

    JsonStatus Feed(const char* data, std::size_t length);
    const JsonNode* Document() const { return parseState == DocumentHeld ? root.get() : nullptr; }

private:
    static constexpr std::size_t MaxDocumentBytes = JsonReader::MaxDocumentBytes;

    int32_t parseState = AwaitDocument;
    Lexer lexer;  // lexState, tokenText, readPos, lastChar, line
    std::string lineSuffix;
    JsonNode* cursor = nullptr;      // innermost open Object, Label or Array
    std::unique_ptr<JsonNode> root;  // the document being built (or held)
    std::size_t documentBytes = 0;   // what its nodes and texts take so far
    DocumentHandler handler;
    const Reporter& reporter;
    JsonStatus failure = JsonStatus::NeedMore;  // the error that stopped the reader, if any

    JsonStatus Step();
    JsonStatus TakePlainRun();

    // One function per state that reads a token.
    JsonStatus AwaitDocumentStep(Token token);
    JsonStatus LabelOrObjectEndStep(Token token);
    JsonStatus MemberSeparatorOrEndStep(Token token);
    JsonStatus LabelAfterSeparatorStep(Token token);
    JsonStatus LabelSeparatorStep(Token token);
    JsonStatus MemberValueStep(Token token);
    JsonStatus ValueOrArrayEndStep(Token token);
    JsonStatus ElementSeparatorOrEndStep(Token token);

    JsonStatus OpenContainer(JsonKind kind, int32_t nextState);
    // The plain run and its steps.
    const Byte* TakePlainLabel(const Byte* p, const Byte* end, JsonStatus& status);
    const Byte* TakePlainValue(const Byte* p, const Byte* end, JsonStatus& status);
    const Byte* TakePlainSeparatorOrEnd(const Byte* p, Byte closing, int32_t afterSeparator,
                                        JsonStatus& status);
    JsonStatus AddPlainNode(JsonKind kind, const Byte* from, const Byte* to);
    bool HasRoomFor(std::size_t textLength) const {
        return sizeof(JsonNode) + textLength <= MaxDocumentBytes - documentBytes;
    }
    // The closing quote of a string without escapes that opens at `open` and ends in this
    // chunk, or none.
    static const Byte* PlainStringEnd(const Byte* open, const Byte* end) {
        const Byte* close = json_lexer_detail::FindStringStop(open + 1, end);
        return close != end && *close == '"' ? close : nullptr;
    }
    JsonStatus AddLabel();
    JsonStatus AddValue(Token token, int32_t nextState);
    JsonStatus CloseObject(int32_t fromState);
    JsonStatus CloseArray(int32_t fromState);
    JsonStatus EndDocument(bool hadMember);

    std::unique_ptr<JsonNode> NewNode(JsonKind kind, bool takesText);
    JsonStatus Attach(std::unique_ptr<JsonNode>& node);
    JsonStatus Go(int32_t state) {
        parseState = state;
        return JsonStatus::NeedMore;
    }

    void BuildLineSuffix();
    JsonStatus Unexpected(const char* format);
    JsonStatus Fail(JsonStatus status, const char* format);
    JsonStatus ReportLexicalError(JsonStatus status);
    JsonStatus ReportOutOfMemory() {
        return Fail(JsonStatus::OutOfMemory, "JSON: Out of memory%s");
    }
};

// ---- one step -------------------------------------------------------------------------------

JsonStatus Parser::Step() {
    if (parseState == OpenObject) {
        return OpenContainer(JsonKind::Object, LabelOrObjectEnd);
    }
    if (parseState == OpenArray) {
        return OpenContainer(JsonKind::Array, ValueOrArrayEnd);
    }
    const Token token = lexer.NextToken();
    if (token == Token::None) {
        return parseState == DocumentHeld ? JsonStatus::DocumentEnded : JsonStatus::NeedMore;
    }
    if (token == Token::OutOfMemory) {
        return ReportOutOfMemory();
    }
    switch (parseState) {
        case AwaitDocument:
            return AwaitDocumentStep(token);
        case LabelOrObjectEnd:
            return LabelOrObjectEndStep(token);
        case MemberSeparatorOrEnd:
            return MemberSeparatorOrEndStep(token);
        case LabelAfterSeparator:
            return LabelAfterSeparatorStep(token);
        case LabelSeparator:
            return LabelSeparatorStep(token);
        case MemberValue:
            return MemberValueStep(token);
        case ValueOrArrayEnd:
            return ValueOrArrayEndStep(token);
        case ElementSeparatorOrEnd:
            return ElementSeparatorOrEndStep(token);
        case DocumentHeld:
            return Unexpected("JSON: Found %s after end of document%s");
        default:
            return Fail(JsonStatus::InternalError, "JSON: Unknown state(internal error)%s");
    }
}

JsonStatus Parser::AwaitDocumentStep(Token token) {
    switch (token) {
        case Token::ObjectOpen:
            return Go(OpenObject);
        case Token::Error:
            return ReportLexicalError(JsonStatus::SyntaxError);
        default:
            return Unexpected("JSON: Found %s when expecting an object%s");
    }
}

JsonStatus Parser::LabelOrObjectEndStep(Token token) {
    switch (token) {
        case Token::String:
            return AddLabel();
        case Token::ObjectClose:
            return CloseObject(LabelOrObjectEnd);
        default:
            return Unexpected("JSON: Found %s when expecting label or end of object%s");
    }
}

JsonStatus Parser::MemberSeparatorOrEndStep(Token token) {
    switch (token) {
        case Token::Comma:
            return Go(LabelAfterSeparator);
        case Token::ObjectClose:
            return CloseObject(MemberSeparatorOrEnd);
        default:
            return Unexpected("JSON: Found %s when expecting separator or end of object%s");
    }
}

JsonStatus Parser::LabelAfterSeparatorStep(Token token) {
    switch (token) {
        case Token::String:
            return AddLabel();
        case Token::Error:
            return ReportLexicalError(JsonStatus::LexicalError);
        default:
            return Unexpected("JSON: Found %s when expecting label%s");
    }
}

JsonStatus Parser::LabelSeparatorStep(Token token) {
    if (token == Token::Colon) {
        return Go(MemberValue);
    }
    return Unexpected("JSON: Found %s when expecting separator%s");
}

JsonStatus Parser::MemberValueStep(Token token) {
    if (IsScalarToken(token)) {
        return AddValue(token, MemberSeparatorOrEnd);
    }
    switch (token) {
        case Token::ObjectOpen:
            return Go(OpenObject);
        case Token::ArrayOpen:
            return Go(OpenArray);
        case Token::Error:
            return ReportLexicalError(JsonStatus::LexicalError);
        default:
            return Unexpected("JSON: Found %s when expecting a value%s");
    }
}

JsonStatus Parser::ValueOrArrayEndStep(Token token) {
    if (IsScalarToken(token)) {
        return AddValue(token, ElementSeparatorOrEnd);
    }
    switch (token) {
        case Token::ObjectOpen:
            return Go(OpenObject);
        case Token::ArrayOpen:
            return Go(OpenArray);
        case Token::ArrayClose:
            return CloseArray(ValueOrArrayEnd);
        case Token::Error:
            return ReportLexicalError(JsonStatus::LexicalError);
        default:
            return Unexpected("JSON: Found %s when expecting a value or end of array%s");
    }
}

JsonStatus Parser::ElementSeparatorOrEndStep(Token token) {
    switch (token) {
        case Token::Comma:
            return Go(ValueOrArrayEnd);
        case Token::ArrayClose:
            return CloseArray(ElementSeparatorOrEnd);
        default:
            return Unexpected("JSON: Found %s when expecting separator or end of array%s");
    }
}

// ---- the plain run --------------------------------------------------------------------------

// Most of the traffic is members and elements without escapes, fractions or signs, each token
// whole in the chunk. The plain run takes such tokens one after another without the token round
// of Step: what it does to the tree and the states is exactly what Step would do for the same
// bytes. It stops before the first token it does not take (anything unusual, an error, a token
// that may run past the end of the chunk) and leaves it to Step, which knows every rule.
[[gnu::always_inline]] inline JsonStatus Parser::TakePlainRun() {
    const Byte* p = reinterpret_cast<const Byte*>(lexer.readPos);
    const Byte* const end = reinterpret_cast<const Byte*>(lexer.end);
    JsonStatus status = JsonStatus::NeedMore;
    while (status == JsonStatus::NeedMore) {
        p = json_lexer_detail::SkipBlanks(p, end, lexer.line);
        if (p == end) {
            break;
        }
        const Byte c = *p;
        const Byte* next = nullptr;  // past the token taken; none when it is left to Step
        switch (parseState) {
            case LabelOrObjectEnd:
            case LabelAfterSeparator:
                next = TakePlainLabel(p, end, status);
                break;
            case LabelSeparator:
                next = c == ':' ? p + 1 : nullptr;
                parseState = next ? MemberValue : parseState;
                break;
            case MemberValue:
            case ValueOrArrayEnd:
                next = TakePlainValue(p, end, status);
                break;
            case MemberSeparatorOrEnd:
                next = TakePlainSeparatorOrEnd(p, '}', LabelAfterSeparator, status);
                break;
            case ElementSeparatorOrEnd:
                next = TakePlainSeparatorOrEnd(p, ']', ValueOrArrayEnd, status);
                break;
            default:
                break;
        }
        if (!next) {
            break;
        }
        p = next;
    }
    lexer.readPos = reinterpret_cast<const char*>(p);
    return status;
}

// A label without escapes, under the Object at the cursor.
[[gnu::always_inline]] inline const Byte* Parser::TakePlainLabel(const Byte* p, const Byte* end,
                                                                 JsonStatus& status) {
    const Byte* close = *p == '"' ? PlainStringEnd(p, end) : nullptr;
    if (!close || !HasRoomFor(static_cast<std::size_t>(close - p - 1))) {
        return nullptr;
    }
    status = AddPlainNode(JsonKind::Label, p + 1, close);
    if (status == JsonStatus::NeedMore) {
        cursor = cursor->lastChild;
        parseState = LabelSeparator;
    }
    return close + 1;
}

// A string without escapes, an integer from 1 up, true or false, or the start of a container,
// under the Label or Array at the cursor.
[[gnu::always_inline]] inline const Byte* Parser::TakePlainValue(const Byte* p, const Byte* end,
                                                                 JsonStatus& status) {
    const Byte c = *p;
    const Byte* from = p;  // the value's text, if it has one, from here to `to`
    const Byte* to = p;
    const Byte* next = nullptr;
    JsonKind kind = JsonKind::Null;
    if (c == '"') {
        to = PlainStringEnd(p, end);
        from = p + 1;
        next = to ? to + 1 : nullptr;
        kind = JsonKind::String;
    } else if (c >= '1' && c <= '9') {
        to = p + 1;
        while (to != end && json_lexer_detail::Is(*to, json_lexer_detail::Digit)) {
            ++to;
        }
        // What follows must be in this chunk and end the number.
        next =
            to != end && json_lexer_detail::Is(*to, json_lexer_detail::Terminator) ? to : nullptr;
        kind = JsonKind::Number;
    } else if (c == 't' && end - p >= 4 && std::memcmp(p, "true", 4) == 0) {
        next = p + 4;
        kind = JsonKind::True;
    } else if (c == 'f' && end - p >= 5 && std::memcmp(p, "false", 5) == 0) {
        next = p + 5;
        kind = JsonKind::False;
    } else if ((c == '{' || c == '[') && end - p >= 2) {
        // Step makes the container as soon as it has read the bracket, since a byte follows.
        status = c == '{' ? OpenContainer(JsonKind::Object, LabelOrObjectEnd)
                          : OpenContainer(JsonKind::Array, ValueOrArrayEnd);
        return p + 1;
    }
    if (!next || !HasRoomFor(static_cast<std::size_t>(to - from))) {
        return nullptr;
    }
    status = AddPlainNode(kind, from, to);
    if (status != JsonStatus::NeedMore) {
        return next;
    }
    if (parseState == MemberValue) {
        cursor = cursor->parent;  // from the label back to its object
        parseState = MemberSeparatorOrEnd;
    } else {
        parseState = ElementSeparatorOrEnd;
    }
    return next;
}

// "," or the closing bracket after a member or an element.
[[gnu::always_inline]] inline const Byte* Parser::TakePlainSeparatorOrEnd(const Byte* p,
                                                                          Byte closing,
                                                                          int32_t afterSeparator,
                                                                          JsonStatus& status) {
    if (*p == ',') {
        parseState = afterSeparator;
    } else if (*p == closing) {
        status =
            closing == '}' ? CloseObject(MemberSeparatorOrEnd) : CloseArray(ElementSeparatorOrEnd);
    } else {
        return nullptr;
    }
    return p + 1;
}

// A childless node under the cursor, with the bytes from `from` to `to` as its text when its
// kind takes one. The caller has made sure that the document has room for it.
[[gnu::always_inline]] inline JsonStatus Parser::AddPlainNode(JsonKind kind, const Byte* from,
                                                              const Byte* to) {
    const auto length = static_cast<std::size_t>(to - from);
    auto node = std::make_unique<JsonNode>(kind);
    if (kind == JsonKind::Label || kind == JsonKind::String || kind == JsonKind::Number) {
        node->text.emplace(reinterpret_cast<const char*>(from), length);
    }
    documentBytes += sizeof(JsonNode) + length;
    lexer.textLimit = MaxDocumentBytes - documentBytes;
    const JsonStatus status = Attach(node);
    if (status == JsonStatus::NeedMore) {
        (void)node.release();  // the tree has it: saying so spares a destructor call per node
    }
    return status;
}

// ---- building the tree ----------------------------------------------------------------------

JsonStatus Parser::OpenContainer(JsonKind kind, int32_t nextState) {
    std::unique_ptr<JsonNode> node = NewNode(kind, false);
    if (!node) {
        return ReportOutOfMemory();
    }
    JsonNode* container = node.get();
    if (!cursor) {
        root = std::move(node);
    } else if (JsonStatus status = Attach(node); status != JsonStatus::NeedMore) {
        return status;
    }
    cursor = container;
    return Go(nextState);
}

JsonStatus Parser::AddLabel() {
    std::unique_ptr<JsonNode> node = NewNode(JsonKind::Label, true);
    if (!node) {
        return ReportOutOfMemory();
    }
    JsonNode* label = node.get();
    if (JsonStatus status = Attach(node); status != JsonStatus::NeedMore) {
        return status;
    }
    cursor = label;
    return Go(LabelSeparator);
}

// A scalar value under the label (member value) or the array (element) at the cursor.
JsonStatus Parser::AddValue(Token token, int32_t nextState) {
    const bool takesText = token == Token::String || token == Token::Number;
    std::unique_ptr<JsonNode> node = NewNode(ScalarKind(token), takesText);
    if (!node) {
        return ReportOutOfMemory();
    }
    if (JsonStatus status = Attach(node); status != JsonStatus::NeedMore) {
        return status;
    }
    if (nextState == MemberSeparatorOrEnd) {
        cursor = cursor->parent;  // from the label back to its object
    }
    return Go(nextState);
}

JsonStatus Parser::CloseObject(int32_t fromState) {
    JsonNode* parent = cursor->parent;
    const bool fromEmpty = fromState == LabelOrObjectEnd;
    if (!parent) {
        return EndDocument(!fromEmpty);
    }
    switch (parent->kind) {
        case JsonKind::Label:
            cursor = parent->parent;
            if (IsKind(cursor, JsonKind::Object)) {
                return Go(MemberSeparatorOrEnd);
            }
            return Fail(JsonStatus::StructureError,
                        fromEmpty ? "JSON: Parent of object is not label%s"
                                  : "JSON: Parent of label is not an object%s");
        case JsonKind::Array:
            cursor = parent;
            return Go(ElementSeparatorOrEnd);
        default:
            return Fail(JsonStatus::StructureError,
                        fromEmpty ? "JSON: Parent of object has unknown type%s"
                                  : "JSON: Parent of object is not label or array%s");
    }
}

JsonStatus Parser::CloseArray(int32_t fromState) {
    const bool fromEmpty = fromState == ValueOrArrayEnd;
    JsonNode* parent = cursor->parent;
    cursor = parent;
    if (IsKind(parent, JsonKind::Label)) {
        if (fromEmpty && !parent->parent) {
            return Fail(JsonStatus::StructureError, "Array has no parent%s");
        }
        cursor = parent->parent;
        if (IsKind(cursor, JsonKind::Object)) {
            return Go(MemberSeparatorOrEnd);
        }
        return Fail(JsonStatus::StructureError, fromEmpty
                                                    ? "Parent of label must be an object%s"
                                                    : "JSON: Label parent must be an object%s");
    }
    if (IsKind(parent, JsonKind::Array)) {
        return Go(ElementSeparatorOrEnd);
    }
    return Fail(JsonStatus::StructureError, fromEmpty
                                                ? "JSON: Parent of array is not label or array%s"
                                                : "JSON: Array parent must be label or array%s");
}

JsonStatus Parser::EndDocument(bool hadMember) {
    if (hadMember) {
        lexer.line = 1;
    }
    documentBytes = 0;
    lexer.textLimit = MaxDocumentBytes;
    if (!handler) {
        return Go(DocumentHeld);
    }
    handler(root.get());
    parseState = AwaitDocument;
    lexer.lexState = BetweenTokens;
    FreeTree(root);
    cursor = nullptr;
    return JsonStatus::NeedMore;
}

// A node of `kind`, taking the token text when asked; none when the document would grow past
// MaxDocumentBytes.
[[gnu::always_inline]] inline std::unique_ptr<JsonNode> Parser::NewNode(JsonKind kind,
                                                                        bool takesText) {
    const std::size_t cost = sizeof(JsonNode) + (takesText ? lexer.TokenLength() : 0);
    if (cost > MaxDocumentBytes - documentBytes) {
        return nullptr;
    }
    auto node = std::make_unique<JsonNode>(kind);
    if (takesText) {
        lexer.MoveTokenTextTo(node->text);
    }
    documentBytes += cost;
    lexer.textLimit = MaxDocumentBytes - documentBytes;
    return node;
}

[[gnu::always_inline]] inline JsonStatus Parser::Attach(std::unique_ptr<JsonNode>& node) {
    // AttachChild has reported a refusal already.
    return AttachChildFast(*cursor, node, reporter) == 1 ? JsonStatus::NeedMore
                                                         : JsonStatus::StructureError;
}

// ---- messages -------------------------------------------------------------------------------

void Parser::BuildLineSuffix() {
    lineSuffix.clear();
    if (lexer.line != 0) {
        char text[40];
        std::snprintf(text, sizeof text, " at line %-6" PRId64, lexer.line);
        lineSuffix = text;
    }
}

JsonStatus Parser::Unexpected(const char* format) {
    BuildLineSuffix();
    reporter.ReportMessage(0, format, DescribeLexerState(lexer.lexState), lineSuffix.c_str());
    return JsonStatus::SyntaxError;
}

JsonStatus Parser::Fail(JsonStatus status, const char* format) {
    BuildLineSuffix();
    reporter.ReportMessage(0, format, lineSuffix.c_str());
    return status;
}

JsonStatus Parser::ReportLexicalError(JsonStatus status) {
    const std::string byte = DescribeByte(lexer.lastChar);
    BuildLineSuffix();
    if (const char* format = LexicalErrorFormat(lexer.lexState)) {
        reporter.ReportMessage(0, format, byte.c_str(), lineSuffix.c_str());
    }
    return status;
}

JsonStatus Parser::Feed(const char* data, std::size_t length) {
    if (failure != JsonStatus::NeedMore) {
        return failure;  // fed after an error: the reader stays where it stopped
    }
    lexer.BeginChunk(data, length);
    JsonStatus status = JsonStatus::NeedMore;
    try {
        while (true) {
            if (lexer.lexState == BetweenTokens) {
                status = TakePlainRun();
                if (status != JsonStatus::NeedMore) {
                    break;
                }
            }
            if (lexer.readPos == lexer.end) {
                status =
                    parseState == DocumentHeld ? JsonStatus::DocumentEnded : JsonStatus::NeedMore;
                break;
            }
            status = Step();
            if (status != JsonStatus::NeedMore && status != JsonStatus::DocumentEnded) {
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        status = JsonStatus::OutOfMemory;
        try {
            ReportOutOfMemory();
        } catch (const std::bad_alloc&) {
            // Nothing left to tell it with; the status says it.
        }
    }
    lexer.EndChunk();
    if (status != JsonStatus::NeedMore && status != JsonStatus::DocumentEnded) {
        failure = status;
    }
    return status;
}

}  // namespace

// ---- the reader -----------------------------------------------------------------------------

struct JsonReader::State {
    State(DocumentHandler handler, const Reporter& reporter)
        : parser(std::move(handler), reporter) {}
    Parser parser;
};

JsonReader::JsonReader(DocumentHandler handler, const Reporter& reporter)
    : state_(std::make_unique<State>(std::move(handler), reporter)) {}

JsonReader::~JsonReader() = default;

JsonStatus JsonReader::Feed(const char* data, std::size_t length) {
    return state_->parser.Feed(data, length);
}

const JsonNode* JsonReader::Document() const {
    return state_->parser.Document();
}

const char* JsonStatusName(JsonStatus status) {
    switch (status) {
        case JsonStatus::NeedMore:
            return "NeedMore";
        case JsonStatus::DocumentEnded:
            return "DocumentEnded";
        case JsonStatus::SyntaxError:
            return "SyntaxError";
        case JsonStatus::OutOfMemory:
            return "OutOfMemory";
        case JsonStatus::LexicalError:
            return "LexicalError";
        case JsonStatus::StructureError:
            return "StructureError";
        case JsonStatus::InternalError:
            return "InternalError";
    }
    return "InternalError";
}
