// The reader's character-level lexer: one state machine, fed from the reader's current chunk.
// Internal to the JSON reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "json/report.h"

// What the lexer hands to the parser.
enum class Token : int32_t {
    None = 0,   // the chunk is used up; the token in progress continues in the next chunk
    Error = 1,  // a byte that cannot continue; lexState stays where the byte came
    True = 2,
    False = 3,
    Null = 4,
    ObjectOpen = 5,
    ObjectClose = 6,
    ArrayOpen = 7,
    ArrayClose = 8,
    Colon = 9,
    Comma = 10,
    String = 11,  // contents in tokenText
    Number = 12,  // literal in tokenText
    OutOfMemory = 14,
};

// Lexer states; the codes appear in messages through DescribeLexerState.
enum LexState : int32_t {
    BetweenTokens = 0,
    InString = 1,
    Escape = 2,
    EscapeHex1 = 3,
    EscapeHex2 = 4,
    EscapeHex3 = 5,
    EscapeHex4 = 6,
    TrueR = 7,
    TrueU = 8,
    TrueE = 9,
    FalseA = 10,
    FalseL = 11,
    FalseS = 12,
    FalseE = 13,
    NullU = 14,
    NullL = 15,
    NullL2 = 16,
    NumberSign = 17,
    NumberZero = 18,
    NumberInteger = 19,
    NumberPoint = 20,
    NumberFraction = 21,
    NumberExponentMark = 22,
    NumberExponentSign = 23,
    NumberExponent = 24,
};

// The lexer's state, kept between chunks. The text of a string or number token is a stretch of
// the input (escapes stay as written), so it is not copied byte by byte: while the token lies in
// the current chunk it is the bytes from tokenStart to tokenEnd; the part that earlier chunks
// held is carried in tokenText.
struct Lexer {
    const Reporter* reporter = &StandardErrorReporter();  // where a missing state is told
    int32_t lexState = BetweenTokens;
    std::string tokenText;             // the token's bytes from earlier chunks
    const char* tokenStart = nullptr;  // its bytes in this chunk begin here...
    const char* tokenEnd = nullptr;    // ...and end here once the token is complete
    const char* readPos = nullptr;     // next byte of the chunk; equals `end` when used up
    const char* end = nullptr;
    int32_t lastChar = 0;       // the byte a lexical error is about, 0 to 255
    int64_t line = 0;           // 0: counting is off; 64 bits, so it cannot overflow
    std::size_t textLimit = 0;  // a token's text may not grow past this (Token::OutOfMemory)

    void BeginChunk(const char* data, std::size_t length) {
        readPos = data;
        end = data + length;
        tokenStart = data;
    }
    // Between chunks the lexer keeps no pointer into the caller's bytes.
    void EndChunk() { readPos = end = tokenStart = tokenEnd = nullptr; }

    Token NextToken();  // in json_lexer_inl.h, which the reader alone includes

    // The length of the text of the string or number token just returned...
    std::size_t TokenLength() const {
        return tokenText.size() + static_cast<std::size_t>(tokenEnd - tokenStart);
    }
    // ...and the text itself, handed over to a node.
    void MoveTokenTextTo(std::optional<std::string>& text) {
        if (tokenText.empty()) {
            text.emplace(tokenStart, static_cast<std::size_t>(tokenEnd - tokenStart));
        } else {
            MoveCarriedTextTo(text);
        }
    }
    // The same for a token begun in an earlier chunk.
    void MoveCarriedTextTo(std::optional<std::string>& text);
};

// Reports a lexer state outside 0 to 24.
void ReportMissingLexerState(const Reporter& reporter, int32_t lexState);

// The printf format of the lexical-error message for `lexState` (a %s for the byte, a %s for
// the line suffix), or none for a state without one.
const char* LexicalErrorFormat(int32_t lexState);

// "control character 0x1", "character 'x'" or, for bytes 0x80 to 0xFF, "character 0xe9".
std::string DescribeByte(int32_t byte);
