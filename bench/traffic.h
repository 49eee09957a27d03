// A stream of realistic server traffic for the reader benchmarks: State, Configuration,
// Rotators and Rotation messages in a plausible mix, with blanks and line breaks between them.
#pragma once

#include <cstddef>
#include <string>

struct Traffic {
    std::string bytes;
    std::size_t messages = 0;
};

// At least `bytes` long; the same every time.
Traffic GenerateTraffic(std::size_t bytes);
