#include "json/tree_links.h"

bool TreeLinksAgree(const JsonNode& root) {
    const JsonNode* node = &root;
    for (;;) {
        // The links of `node`'s children, then down to its first child or on to the next node.
        const JsonNode* prev = nullptr;
        for (const JsonNode* child = node->firstChild.get(); child; child = child->next.get()) {
            if (child->parent != node || child->prev != prev) {
                return false;
            }
            prev = child;
        }
        if (node->lastChild != prev) {
            return false;
        }
        if (node->firstChild) {
            node = node->firstChild.get();
            continue;
        }
        while (node != &root && !node->next) {
            node = node->parent;
        }
        if (node == &root) {
            return true;
        }
        node = node->next.get();
    }
}
