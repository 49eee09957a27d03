#include "keva-sim/strict_object.h"

#include <utility>

namespace {

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

bool IsPlainText(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20) {
            return false;
        }
    }
    return !text.empty();
}

}  // namespace

bool WholeNumberIn(const JsonNode* node, int64_t lo, int64_t hi, int32_t& out) {
    if (node == nullptr || node->kind != JsonKind::Number || !node->text) {
        return false;
    }
    const std::string& text = *node->text;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;  // a fraction or an exponent
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > (int64_t{1} << 40)) {
            return false;  // far outside any range asked for; stop before overflowing
        }
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < lo || value > hi) {
        return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

StrictObject::StrictObject(const JsonNode* object, std::string where, std::string& error)
    : where_(std::move(where)), error_(error) {
    if (object == nullptr || object->kind != JsonKind::Object) {
        Fail("must be an object");
        return;
    }
    for (const JsonNode* label = object->firstChild.get(); label; label = label->next.get()) {
        const std::string_view name = label->text ? std::string_view(*label->text) : "";
        for (const Member& m : members_) {
            if (m.name == name) {
                Fail(Quoted(name) + " appears twice");
                return;
            }
        }
        members_.push_back({name, ValueOf(label), false});
    }
}

bool StrictObject::Fail(const std::string& problem) {
    if (error_.empty()) {
        error_ = where_ + ": " + problem;
    }
    return false;
}

const JsonNode* StrictObject::Find(std::string_view name) {
    for (Member& m : members_) {
        if (m.name == name) {
            m.used = true;
            return m.value;
        }
    }
    return nullptr;
}

bool StrictObject::Integer(std::string_view name, int32_t lo, int32_t hi, int32_t& out) {
    if (!error_.empty()) {
        return false;
    }
    const JsonNode* value = Find(name);
    if (value == nullptr) {
        return Fail(Quoted(name) + " is missing");
    }
    if (!WholeNumberIn(value, lo, hi, out)) {
        return Fail(Quoted(name) + " must be a whole number from " + std::to_string(lo) + " to " +
                    std::to_string(hi));
    }
    return true;
}

bool StrictObject::OptionalInteger(std::string_view name, int32_t lo, int32_t hi, int32_t& out) {
    if (!error_.empty()) {
        return false;
    }
    for (const Member& m : members_) {
        if (m.name == name) {
            return Integer(name, lo, hi, out);
        }
    }
    return true;
}

bool StrictObject::Text(std::string_view name, std::string& out) {
    if (!error_.empty()) {
        return false;
    }
    const JsonNode* value = Find(name);
    if (value == nullptr) {
        return Fail(Quoted(name) + " is missing");
    }
    if (value->kind != JsonKind::String || !value->text || !IsPlainText(*value->text)) {
        return Fail(Quoted(name) + " must be a non-empty string without control characters");
    }
    out = *value->text;
    return true;
}

bool StrictObject::OptionalText(std::string_view name, std::string& out) {
    if (!error_.empty()) {
        return false;
    }
    for (const Member& m : members_) {
        if (m.name == name) {
            return Text(name, out);
        }
    }
    return true;
}

bool StrictObject::OptionalFlag(std::string_view name, bool& out) {
    if (!error_.empty()) {
        return false;
    }
    const JsonNode* value = Find(name);
    if (value == nullptr) {
        return true;
    }
    if (value->kind != JsonKind::True && value->kind != JsonKind::False) {
        return Fail(Quoted(name) + " must be true or false");
    }
    out = value->kind == JsonKind::True;
    return true;
}

bool StrictObject::Array(std::string_view name, const JsonNode*& out) {
    if (!error_.empty()) {
        return false;
    }
    const JsonNode* value = Find(name);
    if (value == nullptr) {
        return Fail(Quoted(name) + " is missing");
    }
    if (value->kind != JsonKind::Array) {
        return Fail(Quoted(name) + " must be an array");
    }
    out = value;
    return true;
}

bool StrictObject::OptionalArray(std::string_view name, const JsonNode*& out) {
    out = nullptr;
    if (!error_.empty()) {
        return false;
    }
    for (const Member& m : members_) {
        if (m.name == name) {
            return Array(name, out);
        }
    }
    return true;
}

bool StrictObject::Finish() {
    if (!error_.empty()) {
        return false;
    }
    for (const Member& m : members_) {
        if (!m.used) {
            return Fail("unknown member " + Quoted(m.name));
        }
    }
    return true;
}
