#include "keva-sim/rotator_motion.h"

#include <algorithm>

namespace {

int64_t Modulo360(int64_t degrees) {
    return (degrees % 360 + 360) % 360;
}

int64_t Distance(int64_t a, int64_t b) {
    return a > b ? a - b : b - a;
}

}  // namespace

int32_t TargetOffset(int32_t ccwLimit, int32_t rotation, int64_t currentOffset, int64_t bearing) {
    const int64_t first = Modulo360(bearing - ccwLimit);
    if (first > rotation) {
        // Unreachable: from the clockwise stop it lies first - rotation degrees further on;
        // from the counter-clockwise stop 360 - first degrees back.
        return first - rotation < 360 - first ? rotation : 0;
    }
    int64_t best = first;
    for (int64_t offset = first + 360; offset <= rotation; offset += 360) {
        if (Distance(offset, currentOffset) < Distance(best, currentOffset)) {
            best = offset;
        }
    }
    return static_cast<int32_t>(best);
}

// The console draws its needle at (Position - CCWLimit) mod 360 and shades the unreachable
// range taking CCWLimit as a true bearing. So CCWLimit goes out as the stop's true bearing, and
// Position as CCWLimit plus the true bearing: the difference is then the bearing itself,
// 0..359, never negative, and Position stays below 720, far from the 10000 that means none.
int32_t WirePosition(int32_t ccwLimit, int32_t bearing) {
    return ccwLimit + bearing;
}

RotatorMotion::RotatorMotion(const RotatorSetup& setup) : setup_(setup) {
    offsetMilli_ = int64_t{1000} * Modulo360(int64_t{setup.startBearing} - setup.ccwLimit);
    targetMilli_ = offsetMilli_;
}

bool RotatorMotion::TurnToward(int64_t bearing) {
    const int64_t target = TargetOffset(setup_.ccwLimit, setup_.rotation, Offset(), bearing);
    targetMilli_ = target * 1000;
    moving_ = targetMilli_ != offsetMilli_;
    return moving_;
}

void RotatorMotion::Stop() {
    targetMilli_ = offsetMilli_;
    moving_ = false;
}

void RotatorMotion::Advance(int64_t elapsedMs) {
    if (!moving_ || elapsedMs <= 0) {
        return;
    }
    // One degree per second is one thousandth of a degree per millisecond. A long pause (a
    // stopped debugger, a suspended machine) cannot carry it past the target.
    const int64_t step = int64_t{setup_.speed} * std::min<int64_t>(elapsedMs, 3'600'000);
    if (Distance(targetMilli_, offsetMilli_) <= step) {
        offsetMilli_ = targetMilli_;
        moving_ = false;
    } else {
        offsetMilli_ += targetMilli_ > offsetMilli_ ? step : -step;
    }
}

int32_t RotatorMotion::Offset() const {
    return static_cast<int32_t>((offsetMilli_ + 500) / 1000);
}

int32_t RotatorMotion::Bearing() const {
    return static_cast<int32_t>(Modulo360(int64_t{setup_.ccwLimit} + Offset()));
}

RotationReport RotatorMotion::Report() const {
    return {setup_.number, setup_.ccwLimit, setup_.rotation,
            WirePosition(setup_.ccwLimit, Bearing())};
}
