// Runs a piece of work on a thread with a small stack, so that anything that recursed with
// the depth of a tree would crash instead of passing by luck on the main thread's 8 MiB.
// Keep test assertions out of `work`: record, then check.
#pragma once

#include <pthread.h>

#include <cstdlib>
#include <functional>

inline void RunOnSmallStack(const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    if (pthread_attr_init(&attributes) != 0 ||
        pthread_attr_setstacksize(&attributes, 256 * 1024) != 0 ||
        pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)) != 0) {
        std::abort();
    }
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}
