// libFuzzer entry: any breach of the receive road's invariants aborts the run.
#include <cstdio>

#include "receive_road/receive_road.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string breach = RunReceiveRoad(data, size);
    if (!breach.empty()) {
        std::fprintf(stderr, "receive road breach: %s\n", breach.c_str());
        __builtin_trap();
    }
    return 0;
}
