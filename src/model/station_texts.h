// The texts the station model writes on the console: the window title and the long-name lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// "[lower-upper] " before the connected title when both ends of the range are known (neither
// is -1); the connected title alone otherwise.
std::string GridTitle(int32_t lower, int32_t upper, const std::string& connectedTitle);

struct LongNameLines {
    std::string tx;
    std::string rx;
    bool operator==(const LongNameLines&) const = default;
};

// The TX and RX lines above the grid. No RX name means the TX name; one name (or two equal
// ones) goes on the TX line after four spaces; two names read "TX: " and "RX: ".
LongNameLines MakeLongNameLines(const std::optional<std::string>& txName,
                                const std::optional<std::string>& rxName);
