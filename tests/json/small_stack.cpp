#include "small_stack.h"

#include <pthread.h>

#include <cstdlib>

namespace {

void* RunWork(void* argument) {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
}

}  // namespace

void RunOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) != 0 ||
        pthread_attr_setstacksize(&attributes, stackBytes) != 0 ||
        pthread_create(&thread, &attributes, RunWork, const_cast<std::function<void()>*>(&work)) !=
            0) {
        std::abort();
    }
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}
