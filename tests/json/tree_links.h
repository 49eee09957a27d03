// Checks a tree's links without recursion: every child names its parent and previous sibling,
// and every node's lastChild is its last child.
#pragma once

#include <vector>

#include "json/json_node.h"

inline bool LinksAgree(const JsonNode& root) {
    std::vector<const JsonNode*> parents{&root};
    while (!parents.empty()) {
        const JsonNode* parent = parents.back();
        parents.pop_back();
        const JsonNode* prev = nullptr;
        for (const JsonNode* child = parent->firstChild.get(); child; child = child->next.get()) {
            if (child->parent != parent || child->prev != prev) {
                return false;
            }
            parents.push_back(prev = child);
        }
        if (parent->lastChild != prev) {
            return false;
        }
    }
    return true;
}
