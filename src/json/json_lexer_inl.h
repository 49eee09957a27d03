// The lexer's state machine, one small function per state. Included only by the reader, so
// that the lexer is compiled into the parser's loop.
#pragma once

#include <array>
#include <bit>
#include <cstring>

#include "json/json_lexer.h"

namespace json_lexer_detail {

using Byte = unsigned char;

// Byte classes, looked up once per byte.
enum ByteClass : uint8_t {
    StringStop = 1,  // ends a run of plain string bytes: quote, backslash, 0x01 to 0x1F
    Terminator = 2,  // ends a number: TAB, LF, CR, SPACE, ',', ']', '}'
    Digit = 4,
    HexDigit = 8,
    Blank = 16,  // between tokens: TAB, LF, CR, SPACE
};

constexpr std::array<uint8_t, 256> MakeByteClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = 0x01; c <= 0x1F; ++c) {
        classes[c] |= StringStop;
    }
    classes['"'] |= StringStop;
    classes['\\'] |= StringStop;
    for (Byte c : {'\t', '\n', '\r', ' ', ',', ']', '}'}) {
        classes[c] |= Terminator;
    }
    for (Byte c : {'\t', '\n', '\r', ' '}) {
        classes[c] |= Blank;
    }
    for (int c = '0'; c <= '9'; ++c) {
        classes[c] |= Digit | HexDigit;
    }
    for (int c = 'a'; c <= 'f'; ++c) {
        classes[c] |= HexDigit;
        classes[c - 'a' + 'A'] |= HexDigit;
    }
    return classes;
}

inline constexpr std::array<uint8_t, 256> kByteClasses = MakeByteClasses();

inline bool Is(Byte c, ByteClass byteClass) {
    return (kByteClasses[c] & byteClass) != 0;
}

// The first byte from `from` that ends a run of plain string bytes, or `end`. Eight bytes at a
// time while eight are left: in a word, the bytes below 0x20 and those equal to '"' or '\\' are
// marked by borrow arithmetic, whose lowest mark is always a true one. A zero byte is plain in a
// string but marked too; the search goes on after it.
inline const Byte* FindStringStop(const Byte* from, const Byte* end) {
    const Byte* p = from;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t kOnes = 0x0101010101010101u;
        constexpr uint64_t kHigh = 0x8080808080808080u;
        while (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, sizeof word);
            const uint64_t quote = word ^ (kOnes * '"');
            const uint64_t backslash = word ^ (kOnes * '\\');
            const uint64_t marks =
                (((quote - kOnes) & ~quote) | ((backslash - kOnes) & ~backslash) |
                 ((word - kOnes * 0x20) & ~word)) &
                kHigh;
            if (marks == 0) {
                p += 8;
                continue;
            }
            p += std::countr_zero(marks) / 8;
            if (Is(*p, StringStop)) {
                return p;
            }
            ++p;
        }
    }
    while (p != end && !Is(*p, StringStop)) {
        ++p;
    }
    return p;
}

// The first byte from `from` that is not a blank (TAB, LF, CR, SPACE), or `end`. Each LF and each
// CR counts a line while counting is on (`line` is not 0).
[[gnu::always_inline]] inline const Byte* SkipBlanks(const Byte* from, const Byte* end,
                                                     int64_t& line) {
    const Byte* p = from;
    while (p != end && Is(*p, Blank)) {
        if ((*p == '\n' || *p == '\r') && line != 0) {
            ++line;
        }
        ++p;
    }
    return p;
}

// The letters after the first one of each keyword, indexed by lexer state.
constexpr Byte KeywordLetter(int32_t state) {
    return "rue"
           "alse"
           "ull"[state - TrueR];
}

// The state that reads a keyword's last letter, and the token the keyword gives.
struct KeywordEnd {
    int32_t lastState;
    Token token;
};

constexpr KeywordEnd EndOfKeyword(int32_t state) {
    if (state <= TrueE) {
        return {TrueE, Token::True};
    }
    if (state <= FalseE) {
        return {FalseE, Token::False};
    }
    return {NullL2, Token::Null};
}

// States inside a string or number, whose text runs on into the next chunk.
constexpr bool InTextToken(int32_t state) {
    return (state >= InString && state <= EscapeHex4) ||
           (state >= NumberSign && state <= NumberExponent);
}

// One NextToken call. The read position lives in a local while the bytes are examined.
class Scanner {
public:
    explicit Scanner(Lexer& lexer)
        : lexer_(lexer),
          pos_(reinterpret_cast<const Byte*>(lexer.readPos)),
          end_(reinterpret_cast<const Byte*>(lexer.end)) {}
    ~Scanner() { lexer_.readPos = reinterpret_cast<const char*>(pos_); }
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    Token Run();

private:
    // Each returns a token, or Pending to go on reading in the (new) lexer state.
    static constexpr Token Pending = static_cast<Token>(-1);

    Token BetweenTokensStep();
    Token InTokenStep(Byte c);  // every other state
    Token StringStep();
    Token EscapeStep(Byte c);
    Token EscapeHexStep(Byte c);
    Token KeywordStep(Byte c);
    Token NumberSignStep(Byte c);
    Token NumberZeroStep(Byte c);
    Token NumberIntegerStep();
    Token NumberPointStep(Byte c);
    Token NumberFractionStep();
    Token NumberExponentMarkStep(Byte c);
    Token NumberExponentSignStep(Byte c);
    Token NumberExponentStep();

    Token Go(int32_t state) {
        lexer_.lexState = state;
        return Pending;
    }
    Token ConsumeAndGo(int32_t state) {
        ++pos_;
        return Go(state);
    }
    // The byte that cannot continue; `consume` as its state's rule says (it matters to no one
    // after an error, since the reader is not fed again).
    Token Refuse(Byte c, bool consume) {
        lexer_.lastChar = c;
        pos_ += consume ? 1 : 0;
        return Token::Error;
    }
    // A string or number starts its text at `at`.
    void StartText(const Byte* at) {
        lexer_.tokenText.clear();
        lexer_.tokenStart = reinterpret_cast<const char*>(at);
    }
    // The text of the token ends before the read position.
    Token EndText(Token token) {
        lexer_.lexState = BetweenTokens;
        lexer_.tokenEnd = reinterpret_cast<const char*>(pos_);
        return lexer_.TokenLength() > lexer_.textLimit ? Token::OutOfMemory : token;
    }
    // At the end of the chunk inside a string or number: keep what this chunk held of it.
    Token CarryText() {
        const char* start = lexer_.tokenStart;
        const auto count = static_cast<std::size_t>(lexer_.end - start);
        const std::size_t size = lexer_.tokenText.size();
        if (size > lexer_.textLimit || count > lexer_.textLimit - size) {
            return Token::OutOfMemory;
        }
        lexer_.tokenText.append(start, count);
        return Token::None;
    }
    void SkipDigits() { pos_ = SkipWhile(pos_, Digit, true); }
    // The first byte from `from` whose membership of `byteClass` is not `member` (or the end).
    // A local pointer keeps the loop in registers.
    const Byte* SkipWhile(const Byte* from, ByteClass byteClass, bool member) const {
        const Byte* p = from;
        while (p != end_ && Is(*p, byteClass) == member) {
            ++p;
        }
        return p;
    }

    Lexer& lexer_;
    const Byte* pos_;
    const Byte* end_;
};

[[gnu::always_inline]] inline Token Scanner::Run() {
    while (pos_ != end_) {
        // Nearly every token starts between tokens; that state is tested before the switch.
        const Token token =
            lexer_.lexState == BetweenTokens ? BetweenTokensStep() : InTokenStep(*pos_);
        if (token != Pending) {
            return token;
        }
    }
    return InTextToken(lexer_.lexState) ? CarryText() : Token::None;
}

inline Token Scanner::InTokenStep(Byte c) {
    switch (lexer_.lexState) {
        case InString:
            return StringStep();
        case Escape:
            return EscapeStep(c);
        case EscapeHex1:
        case EscapeHex2:
        case EscapeHex3:
        case EscapeHex4:
            return EscapeHexStep(c);
        case TrueR:
        case TrueU:
        case TrueE:
        case FalseA:
        case FalseL:
        case FalseS:
        case FalseE:
        case NullU:
        case NullL:
        case NullL2:
            return KeywordStep(c);
        case NumberSign:
            return NumberSignStep(c);
        case NumberZero:
            return NumberZeroStep(c);
        case NumberInteger:
            return NumberIntegerStep();
        case NumberPoint:
            return NumberPointStep(c);
        case NumberFraction:
            return NumberFractionStep();
        case NumberExponentMark:
            return NumberExponentMarkStep(c);
        case NumberExponentSign:
            return NumberExponentSignStep(c);
        case NumberExponent:
            return NumberExponentStep();
        default:
            ReportMissingLexerState(*lexer_.reporter, lexer_.lexState);
            return Token::Error;
    }
}

// A string or an integer goes on in its new state at once, without a round through Run.
// (Forced inline, with StringStep: as calls, they cost the reader a tenth of its speed.)
[[gnu::always_inline]] inline Token Scanner::BetweenTokensStep() {
    pos_ = SkipBlanks(pos_, end_, lexer_.line);
    if (pos_ == end_) {
        return Pending;
    }
    const Byte c = *pos_++;
    // The commonest bytes are tested one by one first: that branches more predictably than the
    // jump table of the switch.
    if (c == '"') {
        StartText(pos_);
        lexer_.lexState = InString;
        return StringStep();
    }
    if (c == ':') {
        return Token::Colon;
    }
    if (c == ',') {
        return Token::Comma;
    }
    switch (c) {
        case '{':
            return Token::ObjectOpen;
        case '}':
            return Token::ObjectClose;
        case '[':
            return Token::ArrayOpen;
        case ']':
            return Token::ArrayClose;
        case '-':
            StartText(pos_ - 1);
            return Go(NumberSign);
        case '0':
            StartText(pos_ - 1);
            return Go(NumberZero);
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
            StartText(pos_ - 1);
            lexer_.lexState = NumberInteger;
            return NumberIntegerStep();
        case 't':
            return Go(TrueR);
        case 'f':
            return Go(FalseA);
        case 'n':
            return Go(NullU);
        default:
            lexer_.lastChar = c;
            return Token::Error;
    }
}

[[gnu::always_inline]] inline Token Scanner::StringStep() {
    pos_ = FindStringStop(pos_, end_);
    if (pos_ == end_) {
        return Pending;
    }
    const Byte c = *pos_;
    if (c == '"') {
        const Token token = EndText(Token::String);
        ++pos_;
        return token;
    }
    if (c == '\\') {
        return ConsumeAndGo(Escape);
    }
    return Refuse(c, false);  // a control byte
}

inline Token Scanner::EscapeStep(Byte c) {
    switch (c) {
        case '"':
        case '/':
        case '\\':
        case 'b':
        case 'f':
        case 'n':
        case 'r':
        case 't':
            return ConsumeAndGo(InString);
        case 'u':
            return ConsumeAndGo(EscapeHex1);
        default:
            return Refuse(c, false);
    }
}

inline Token Scanner::EscapeHexStep(Byte c) {
    if (!Is(c, HexDigit)) {
        return Refuse(c, true);
    }
    const int32_t state = lexer_.lexState;
    return ConsumeAndGo(state == EscapeHex4 ? InString : state + 1);
}

inline Token Scanner::KeywordStep(Byte c) {
    const int32_t state = lexer_.lexState;
    if (c != KeywordLetter(state)) {
        return Refuse(c, true);
    }
    ++pos_;
    const KeywordEnd keyword = EndOfKeyword(state);
    if (state != keyword.lastState) {
        return Go(state + 1);
    }
    lexer_.lexState = BetweenTokens;
    return keyword.token;
}

inline Token Scanner::NumberSignStep(Byte c) {
    if (c == '0') {
        return ConsumeAndGo(NumberZero);
    }
    if (Is(c, Digit)) {
        return ConsumeAndGo(NumberInteger);
    }
    return Refuse(c, true);
}

inline Token Scanner::NumberZeroStep(Byte c) {
    if (Is(c, Terminator)) {
        return EndText(Token::Number);
    }
    if (c == '.') {
        return ConsumeAndGo(NumberPoint);
    }
    if (c == 'e' || c == 'E') {
        return ConsumeAndGo(NumberExponentMark);
    }
    return Refuse(c, false);
}

inline Token Scanner::NumberIntegerStep() {
    SkipDigits();
    if (pos_ == end_) {
        return Pending;
    }
    return NumberZeroStep(*pos_);  // what may follow the integer part is the same
}

inline Token Scanner::NumberPointStep(Byte c) {
    return Is(c, Digit) ? ConsumeAndGo(NumberFraction) : Refuse(c, true);
}

inline Token Scanner::NumberFractionStep() {
    SkipDigits();
    if (pos_ == end_) {
        return Pending;
    }
    const Byte c = *pos_;
    if (Is(c, Terminator)) {
        return EndText(Token::Number);
    }
    if (c == 'e' || c == 'E') {
        return ConsumeAndGo(NumberExponentMark);
    }
    return Refuse(c, false);
}

inline Token Scanner::NumberExponentMarkStep(Byte c) {
    if (c == '+' || c == '-') {
        return ConsumeAndGo(NumberExponentSign);
    }
    return Is(c, Digit) ? ConsumeAndGo(NumberExponent) : Refuse(c, true);
}

inline Token Scanner::NumberExponentSignStep(Byte c) {
    return Is(c, Digit) ? ConsumeAndGo(NumberExponent) : Refuse(c, true);
}

inline Token Scanner::NumberExponentStep() {
    SkipDigits();
    if (pos_ == end_) {
        return Pending;
    }
    const Byte c = *pos_;
    return Is(c, Terminator) ? EndText(Token::Number) : Refuse(c, false);
}

}  // namespace json_lexer_detail

[[gnu::always_inline]] inline Token Lexer::NextToken() {
    return json_lexer_detail::Scanner(*this).Run();
}
