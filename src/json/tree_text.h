// A received tree written back as compact JSON text, for traces and tests.
#pragma once

#include <string>

#include "json/json_node.h"

// Appends `root` without blanks: `{"label":value,...}`, `[value,...]`, strings as `"text"`,
// numbers as their literal, `true`, `false`, `null`. Texts are written exactly as stored
// (escapes undecoded), so a tree read from valid input comes back as valid JSON. Iterative:
// any depth of nesting is written in constant stack.
void AppendTreeText(std::string& out, const JsonNode* root);

std::string TreeText(const JsonNode* root);
