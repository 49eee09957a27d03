// One rotator's motion: where it points, where it is going, and what "Rotation" reports.
//
// A rotator turns clockwise from its counter-clockwise stop (ccwLimit, a true bearing) through
// `rotation` degrees to its clockwise stop. Its place is the offset from the counter-clockwise
// stop, 0..rotation; it points at the true bearing (ccwLimit + offset) mod 360. With more than
// 360 degrees of rotation some bearings can be reached at two offsets.
#pragma once

#include <cstdint>

#include "keva-sim/station_description.h"

// The members of a "Rotation" message.
struct RotationReport {
    int32_t rotator = 0;
    int32_t ccwLimit = 0;
    int32_t rotation = 360;
    int32_t position = 0;
    bool operator==(const RotationReport&) const = default;
};

// The offset, 0..rotation, at which a rotator whose offset is now `currentOffset` should stop
// to point at `bearing` (any integer, taken modulo 360): of the offsets that point there, the
// nearest to the current one (the lower on a tie); for a bearing in the unreachable range, the
// stop nearer to it in angle (the counter-clockwise one on a tie).
int32_t TargetOffset(int32_t ccwLimit, int32_t rotation, int64_t currentOffset, int64_t bearing);

// The "Position" that makes the console show `bearing` (0..359) with this CCW limit.
int32_t WirePosition(int32_t ccwLimit, int32_t bearing);

class RotatorMotion {
public:
    explicit RotatorMotion(const RotatorSetup& setup);

    int32_t Number() const { return setup_.number; }
    bool HasStop() const { return setup_.hasStop; }

    // Starts turning toward `bearing`; false when the rotator is already there (it then stays
    // still).
    bool TurnToward(int64_t bearing);
    void Stop();
    bool Moving() const { return moving_; }

    // Moves on by `elapsedMs` at the rotator's speed, stopping at the target.
    void Advance(int64_t elapsedMs);

    // Degrees clockwise from the counter-clockwise stop, rounded to a whole degree.
    int32_t Offset() const;
    // The true bearing it points at, 0..359.
    int32_t Bearing() const;
    RotationReport Report() const;

private:
    RotatorSetup setup_;
    int64_t offsetMilli_ = 0;  // thousandths of a degree, 0..rotation * 1000
    int64_t targetMilli_ = 0;
    bool moving_ = false;
};
