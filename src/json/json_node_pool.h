// The memory of freed JsonNode records, kept for the next ones of the same thread.
//
// Every message is a tree built node by node and freed as soon as it has been handled, so the
// next tree needs about as many nodes as the last one released. A freed node's memory goes on a
// short list of this thread instead of back to the heap, and a new node takes it from there: a
// few instructions instead of a trip through malloc and free. The list is bounded, so what it
// holds does not grow with the stream; the thread's list is released when the thread ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

// Under AddressSanitizer every node goes to the heap and back, so that a use after free is
// caught and the leak checker sees every node (it does not find the list's head in the
// thread's storage).
#if defined(__SANITIZE_ADDRESS__)
#define KEVA_NODE_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEVA_NODE_POOL_OFF 1
#endif
#endif

namespace json_node_pool {

// At most this many nodes are kept: a large message, well beyond what a station sends.
inline constexpr uint32_t kKeptNodes = 8192;

struct FreeNode {
    FreeNode* next;
};

// Plain data, so that it is usable for the whole life of the thread without a guard.
struct List {
    FreeNode* head = nullptr;
    uint32_t count = 0;
    bool open = false;    // the thread's list is released at its end (Open arranges it)
    bool closed = false;  // the thread is ending: freed nodes go back to the heap
};

inline constinit thread_local List list;

inline void Push(void* node) {
    auto* free = static_cast<FreeNode*>(node);
    free->next = list.head;
    list.head = free;
    ++list.count;
}

// The first node a thread frees: arranges for the list to be released at the thread's end and
// keeps the node. False when the thread is ending.
bool Open(void* node);

inline void* Take(std::size_t size) {
#ifndef KEVA_NODE_POOL_OFF
    if (FreeNode* node = list.head) {
        list.head = node->next;
        --list.count;
        return node;
    }
#endif
    return ::operator new(size);
}

inline void Give(void* node) {
#ifndef KEVA_NODE_POOL_OFF
    if (list.open) {
        if (list.count < kKeptNodes) {
            Push(node);
            return;
        }
    } else if (Open(node)) {
        return;
    }
#endif
    ::operator delete(node);
}

}  // namespace json_node_pool

inline void* JsonNode::operator new(std::size_t size) {
    return json_node_pool::Take(size);
}

inline void JsonNode::operator delete(void* node, std::size_t) noexcept {
    json_node_pool::Give(node);
}
