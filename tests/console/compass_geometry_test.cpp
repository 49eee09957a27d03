#include "console/compass_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "model/rotator.h"

namespace {

struct BearingRow {
    const char* behaviour;
    int x, y;
    int32_t bearing;
};

TEST(BearingFromPoint, RoundsTheDirectionFromTheCentreWithTheWrittenConstants) {
    const BearingRow rows[] = {
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
    for (const BearingRow& row : rows) {
        EXPECT_EQ(BearingFromPoint(row.x, row.y), row.bearing) << row.behaviour;
    }
}

struct WedgeRow {
    const char* behaviour;
    int32_t ccwLimit, rotation;
    WedgeRadials radials;
};

TEST(WedgeRadialPoints, TruncateTowardZeroAfterAddingAHalf) {
    const WedgeRow rows[] = {
        {"north and west", 0, 270, {0, -180, -179, 0}},
        {"full turn: both points north", 0, 360, {0, -180, 0, -180}},
        {"rotation 0: the points coincide", 90, 0, {180, 0, 180, 0}},
        {"south (trunc(-179.5) is -179) and north", 180, 180, {0, 179, 0, -180}},
    };
    for (const WedgeRow& row : rows) {
        EXPECT_EQ(WedgeRadialPoints(row.ccwLimit, row.rotation), row.radials) << row.behaviour;
    }
}

TEST(WedgeRadialPoints, StayOnTheCircleForEveryExtremeServerValue) {
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int32_t highest = std::numeric_limits<int32_t>::max();
    for (int32_t ccw : {lowest, -1, 0, highest}) {
        for (int32_t rotation : {lowest, -1, 0, 359, highest}) {
            const WedgeRadials r = WedgeRadialPoints(ccw, rotation);
            for (auto [x, y] : {std::pair{r.x1, r.y1}, std::pair{r.x2, r.y2}}) {
                const int squared = x * x + y * y;
                EXPECT_GE(squared, 178 * 178) << ccw << " " << rotation;
                EXPECT_LE(squared, 181 * 181) << ccw << " " << rotation;
            }
        }
    }
}

TEST(WedgePieAngles, RunCounterClockwiseFromTheFirstPointAndCloseOnCoincidence) {
    const PieAngles quarter = WedgePieAngles(WedgeRadialPoints(0, 270));
    EXPECT_DOUBLE_EQ(quarter.startDegrees, 90);
    EXPECT_DOUBLE_EQ(quarter.sweepDegrees, 90);

    const PieAngles whole = WedgePieAngles(WedgeRadialPoints(45, 0));
    EXPECT_DOUBLE_EQ(whole.sweepDegrees, 360);

    // ccwLimit 90, rotation 90: reachable east to south, dark from south clockwise to east.
    const PieAngles threeQuarters = WedgePieAngles(WedgeRadialPoints(90, 90));
    EXPECT_DOUBLE_EQ(threeQuarters.startDegrees, 0);
    EXPECT_DOUBLE_EQ(threeQuarters.sweepDegrees, 270);
}

TEST(CompassDecisions, ShadeAndNeedle) {
    EXPECT_TRUE(RangeShaded(359));
    EXPECT_TRUE(RangeShaded(-5));
    EXPECT_FALSE(RangeShaded(360));
    EXPECT_FALSE(RangeShaded(450));

    EXPECT_TRUE(NeedleVisible(0));
    EXPECT_TRUE(NeedleVisible(19999));
    EXPECT_TRUE(NeedleVisible(std::numeric_limits<int32_t>::min()));
    EXPECT_FALSE(NeedleVisible(20000));
    EXPECT_FALSE(NeedleVisible(NoPosition));
    EXPECT_DOUBLE_EQ(NeedleRadians(NoPosition - 1),
                     (static_cast<double>(NoPosition) + 179) * 3.14159265 / 180);
}

}  // namespace
