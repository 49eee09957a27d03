// Walking a received tree the way every message handler reads it: the members of an object are
// its Label children, the elements of an array its children, both in document order.
#pragma once

#include "json/json_node.h"

inline bool IsKind(const JsonNode* node, JsonKind kind) {
    return node && node->kind == kind;
}

// No children: an empty object or array, a scalar, or no node at all.
inline bool HasNoChildren(const JsonNode* node) {
    return !node || !node->firstChild;
}

// The first member of an object; none for any other kind, so the children of an array are
// never taken for members.
inline const JsonNode* FirstMember(const JsonNode* object) {
    if (!IsKind(object, JsonKind::Object)) {
        return nullptr;
    }
    const JsonNode* child = object->firstChild.get();
    while (child && child->kind != JsonKind::Label) {
        child = child->next.get();
    }
    return child;
}

inline const JsonNode* NextMember(const JsonNode* member) {
    const JsonNode* child = member->next.get();
    while (child && child->kind != JsonKind::Label) {
        child = child->next.get();
    }
    return child;
}

// The first element of an array; none for any other kind.
inline const JsonNode* FirstElement(const JsonNode* array) {
    return IsKind(array, JsonKind::Array) ? array->firstChild.get() : nullptr;
}

inline const JsonNode* NextElement(const JsonNode* element) {
    return element->next.get();
}
