// The message-fed record of one rotator (its window is the console's CRotatorWindow).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A position or value that is missing.
inline constexpr int32_t NoPosition = 2147483647;
// The console holds at most this many rotators.
inline constexpr int MaxRotators = 10;

struct CRotator {
    int32_t number = -1;
    std::string shortName;
    std::optional<std::string> longName;
    bool hasStop = false;
    int32_t ccwLimit = 0;
    int32_t rotation = 360;
    int32_t position = NoPosition;
    int32_t relativePosition = NoPosition;  // NoPosition or 0..360
    bool onGrid = false;                    // an antenna on the grid lists this rotator
    bool inUse = false;                     // ... and that antenna is selected on TX or RX
};

// The position relative to the counter-clockwise limit, 0..360, or NoPosition when the position
// is 10000 or more. Computed in 64 bits: any pair of 32-bit values is valid.
int32_t RelativePosition(int32_t position, int32_t ccwLimit);

// The rotator button's text: the short name, and the relative position on a second line when
// there is one.
std::string RotatorButtonLabel(const CRotator& rotator);
