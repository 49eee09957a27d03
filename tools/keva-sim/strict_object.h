// Strict reading of one JSON object of the station file.
//
// Unlike the console's lenient member rules, a station file is checked: every member at most
// once, of the kind asked for, inside the range asked for, and none that nobody asked for. The
// first problem is kept as one line of text ("antenna 3: "Row" must be ..."); after it every
// call returns false, so a loader can chain its calls with && and report once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json/json_node.h"

// A Number node whose literal is a whole number (no fraction, no exponent) within
// [lo, hi]. Never overflows, whatever the length of the literal.
bool WholeNumberIn(const JsonNode* node, int64_t lo, int64_t hi, int32_t& out);

class StrictObject {
public:
    // `where` names the object in messages, e.g. "antenna 3".
    StrictObject(const JsonNode* object, std::string where, std::string& error);

    bool Integer(std::string_view name, int32_t lo, int32_t hi, int32_t& out);
    bool OptionalInteger(std::string_view name, int32_t lo, int32_t hi, int32_t& out);
    // A non-empty string without control bytes, kept as written between the quotes.
    bool Text(std::string_view name, std::string& out);
    bool OptionalText(std::string_view name, std::string& out);
    bool OptionalFlag(std::string_view name, bool& out);
    bool Array(std::string_view name, const JsonNode*& out);
    // Leaves `out` null when the member is absent.
    bool OptionalArray(std::string_view name, const JsonNode*& out);

    // Complains about the first member that no call above asked for.
    bool Finish();

    bool Fail(const std::string& problem);  // records "<where>: <problem>", returns false
    const std::string& Where() const { return where_; }

private:
    struct Member {
        std::string_view name;
        const JsonNode* value;
        bool used;
    };
    const JsonNode* Find(std::string_view name);  // marks it used; null when absent

    std::string where_;
    std::string& error_;
    std::vector<Member> members_;
};
