// The read accessors and the member-reading rules that every message handler follows.
#include "base/atol_value.h"
#include "json/json_node.h"

bool TextEquals(const JsonNode* node, std::string_view literal) {
    return node && node->text && *node->text == literal;
}

const JsonNode* ValueOf(const JsonNode* label) {
    return label ? label->firstChild.get() : nullptr;
}

int32_t IntValue(const JsonNode* node) {
    return node && node->text ? AtolValue(*node->text) : 0;
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
