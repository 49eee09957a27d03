// The read accessors and the member-reading rules that every message handler follows.
#include <limits>

#include "json/json_node.h"

namespace {

// The white space that strtol skips in the C locale.
bool IsStrtolSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool TextEquals(const JsonNode* node, std::string_view literal) {
    return node && node->text && *node->text == literal;
}

const JsonNode* ValueOf(const JsonNode* label) {
    return label ? label->firstChild.get() : nullptr;
}

int32_t IntValue(const JsonNode* node) {
    if (!node || !node->text) {
        return 0;
    }
    const std::string& text = *node->text;
    std::size_t i = 0;
    while (i < text.size() && IsStrtolSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range, so that no number of
    // digits can overflow.
    constexpr int64_t kBeyond = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude < kBeyond) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

int32_t ReadInteger(const JsonNode* label) {
    return IntValue(ValueOf(label));
}

std::optional<std::string> ReadText(const JsonNode* label) {
    const JsonNode* value = ValueOf(label);
    if (!value || !value->text) {
        return std::nullopt;
    }
    return *value->text;
}

bool ReadFlag(const JsonNode* label) {
    const JsonNode* value = ValueOf(label);
    return value && value->kind == JsonKind::True;
}
