// A check of a tree's links, for tests, fuzzing and diagnostics.
#pragma once

#include "json/json_node.h"

// True when every child names its parent and its previous sibling, and every node's lastChild
// is its last child. Iterative: any depth is checked in constant stack.
bool TreeLinksAgree(const JsonNode& root);
