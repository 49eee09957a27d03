#include "json/json_lexer.h"

#include <cstdio>

#include "json/json_reader.h"
#include "json/report.h"

void Lexer::MoveCarriedTextTo(std::optional<std::string>& text) {
    tokenText.append(tokenStart, tokenEnd);
    text = std::move(tokenText);
    tokenText.clear();
}

void ReportMissingLexerState(const Reporter& reporter, int32_t lexState) {
    reporter.ReportMessage(0, "JSON: Internal error, lex_state missing: %d", lexState);
}

const char* DescribeLexerState(int32_t lexState) {
    if (lexState == BetweenTokens) {
        return "start of object";
    }
    if (lexState == InString) {
        return "string";
    }
    if (lexState >= Escape && lexState <= EscapeHex4) {
        return "escape sequence";
    }
    if (lexState >= TrueR && lexState <= TrueE) {
        return "true value";
    }
    if (lexState >= FalseA && lexState <= FalseE) {
        return "false value";
    }
    if (lexState >= NullU && lexState <= NullL2) {
        return "null value";
    }
    if (lexState >= NumberSign && lexState <= NumberExponent) {
        return "number";
    }
    return "unknown state (internal error)";
}

const char* LexicalErrorFormat(int32_t lexState) {
    if (lexState == BetweenTokens) {
        return "JSON: Unexpected %s in object%s";
    }
    if (lexState == InString) {
        return "JSON: Invalid %s in string%s";
    }
    if (lexState >= Escape && lexState <= EscapeHex4) {
        return "JSON: Unexpected %s in escape sequence%s";
    }
    if (lexState >= TrueR && lexState <= TrueE) {
        return "JSON: Unexpected %s (possible misspelling of 'true')%s";
    }
    if (lexState >= FalseA && lexState <= FalseE) {
        return "JSON: Unexpected %s (possible misspelling of 'false')%s";
    }
    if (lexState >= NullU && lexState <= NullL2) {
        return "JSON: Unexpected %s (possible misspelling of 'null')%s";
    }
    if (lexState >= NumberSign && lexState <= NumberExponent) {
        return "JSON: Invalid %s in number%s";
    }
    return nullptr;
}

std::string DescribeByte(int32_t byte) {
    char text[80];
    if (byte < 32) {
        std::snprintf(text, sizeof text, "control character 0x%x", static_cast<unsigned>(byte));
    } else if (byte >= 0x80) {
        // Outside strings such a byte is always an error; its value says more than its glyph.
        std::snprintf(text, sizeof text, "character 0x%x", static_cast<unsigned>(byte));
    } else {
        std::snprintf(text, sizeof text, "character '%c'", static_cast<char>(byte));
    }
    return text;
}
