// The compass's arithmetic without a display: the bearing of a press, and the wedge of the
// unreachable range (its pixels are checked on the control in compass_test.cpp).
#include "console/compass_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "model/rotator.h"

namespace {

TEST(BearingFromPoint, RoundsTheDirectionFromTheCentreWithTheWrittenConstants) {
    const struct {
        const char* behaviour;
        int x, y;
        int32_t bearing;
    } rows[] = {
        {"straight above comes out a hair below 360", 180, 80, 360},
        {"one pixel right of north", 181, 80, 1},
        {"one pixel left of north (359.43)", 179, 80, 359},
        {"right", 280, 180, 90},
        {"down", 180, 280, 180},
        {"left", 80, 180, 270},
        {"top-left corner", 0, 0, 315},
        {"the centre itself", 180, 180, 90},
        {"below the rose, distance ignored", 180, 389, 180},
        {"far outside the control", -2147483647, 180, 270},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(BearingFromPoint(row.x, row.y), row.bearing) << row.behaviour;
    }
}

TEST(Wedge, RadialsTruncateTowardZeroAfterAHalfAndThePieRunsCounterClockwiseFromTheFirst) {
    const struct {
        const char* behaviour;
        int32_t ccwLimit, rotation;
        WedgeRadials radials;
        double start, sweep;
    } rows[] = {
        {"north and west", 0, 270, {0, -180, -179, 0}, 90, 90},
        {"full turn: both points north, the whole circle", 0, 360, {0, -180, 0, -180}, 90, 360},
        {"rotation 0: the points coincide", 90, 0, {180, 0, 180, 0}, 0, 360},
        {"south (trunc(-179.5) is -179) and north", 180, 180, {0, 179, 0, -180}, -90, 180},
        {"half a turn from north is half the circle", 0, 180, {0, -180, 0, 179}, 90, 180},
        {"east to south reachable: dark three quarters", 90, 90, {180, 0, 0, 179}, 0, 270},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        EXPECT_EQ(WedgeRadialPoints(row.ccwLimit, row.rotation), row.radials);
        const PieAngles pie = WedgePieAngles(row.radials);
        EXPECT_DOUBLE_EQ(pie.startDegrees, row.start);
        EXPECT_DOUBLE_EQ(pie.sweepDegrees, row.sweep);
    }
}

TEST(Wedge, RadialsStayOnTheCircleForEveryExtremeServerValue) {
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t highest = std::numeric_limits<int32_t>::max();
    for (int32_t ccw : {lowest, -1, 0, highest}) {
        for (int32_t rotation : {lowest, -1, 0, 359, highest}) {
            const WedgeRadials r = WedgeRadialPoints(ccw, rotation);
            for (auto [x, y] : {std::pair{r.x1, r.y1}, std::pair{r.x2, r.y2}}) {
                EXPECT_GE(x * x + y * y, 178 * 178) << ccw << " " << rotation;
                EXPECT_LE(x * x + y * y, 181 * 181) << ccw << " " << rotation;
            }
        }
    }
}

}  // namespace
