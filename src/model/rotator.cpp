#include "model/rotator.h"

int32_t RelativePosition(int32_t position, int32_t ccwLimit) {
    if (position >= 10000) {
        return NoPosition;
    }
    const int64_t difference = int64_t{position} - int64_t{ccwLimit};
    if (difference >= 0) {
        return static_cast<int32_t>(difference % 360);
    }
    // The remainder truncates toward zero, so a whole turn below the limit reads 360, not 0.
    return static_cast<int32_t>(difference % 360 + 360);
}

std::string RotatorButtonLabel(const CRotator& rotator) {
    if (rotator.relativePosition == NoPosition) {
        return rotator.shortName;
    }
    return rotator.shortName + "\n" + std::to_string(rotator.relativePosition);
}
