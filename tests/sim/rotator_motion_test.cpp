// Rotator arithmetic and motion, and what the console makes of the reported position.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>

#include "keva-sim/rotator_motion.h"
#include "model/rotator.h"

namespace {

struct TargetRow {
    const char* name;
    int32_t ccwLimit;
    int32_t rotation;
    int64_t currentOffset;
    int64_t bearing;
    int32_t expected;
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const TargetRow& row, std::ostream* out) {
    *out << row.name;
}

const TargetRow targetRows[] = {
    {"ReachableOnce", 180, 450, 225, 50, 230},
    {"AlreadyThere", 180, 450, 225, 45, 225},
    {"TwoOffsetsTakesTheLowerWhenNearer", 180, 450, 0, 200, 20},
    {"TwoOffsetsTakesTheUpperWhenNearer", 180, 450, 400, 200, 380},
    {"TwoOffsetsTieTakesTheLower", 180, 450, 200, 200, 20},
    {"FullCircleNorthFromNearTheEnd", 0, 360, 350, 0, 360},
    {"FullCircleNorthFromTheStart", 0, 360, 10, 0, 0},
    {"UnreachableNearerTheClockwiseStop", 0, 270, 100, 300, 270},
    {"UnreachableNearerTheCounterClockwiseStop", 0, 270, 100, 350, 0},
    {"UnreachableTieGoesCounterClockwise", 0, 270, 100, 315, 0},
    {"NegativeBearing", 0, 360, 0, -90, 270},
    {"BearingAbove360", 90, 360, 0, 450, 0},
    {"SmallestBearing", 0, 360, 0, std::numeric_limits<int32_t>::min(), 232},
    {"LargestBearing", 0, 360, 0, std::numeric_limits<int32_t>::max(), 127},
};

class TargetOffsets : public testing::TestWithParam<TargetRow> {};

TEST_P(TargetOffsets, Choose) {
    const TargetRow& row = GetParam();
    EXPECT_EQ(TargetOffset(row.ccwLimit, row.rotation, row.currentOffset, row.bearing),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, TargetOffsets, testing::ValuesIn(targetRows),
                         [](const testing::TestParamInfo<TargetRow>& info) {
                             return info.param.name;
                         });

// The console draws its needle at RelativePosition(Position, CCWLimit) and shades taking
// CCWLimit as a true bearing: what keva-sim sends must make the needle show the true bearing.
TEST(RotatorMotion, ConsoleNeedleShowsTheTrueBearing) {
    for (int32_t ccwLimit : {0, 1, 90, 180, 270, 359}) {
        for (int32_t bearing = 0; bearing < 360; ++bearing) {
            ASSERT_EQ(RelativePosition(WirePosition(ccwLimit, bearing), ccwLimit), bearing)
                << "CCW limit " << ccwLimit;
        }
    }
}

RotatorSetup Mount(int32_t ccwLimit, int32_t rotation, int32_t startBearing) {
    RotatorSetup setup;
    setup.number = 4;
    setup.ccwLimit = ccwLimit;
    setup.rotation = rotation;
    setup.hasStop = true;
    setup.speed = 6;
    setup.startBearing = startBearing;
    return setup;
}

// A tower rotator: counter-clockwise stop at 180, 450 degrees, pointing at 45 (offset 225).
class Tower : public testing::Test {
protected:
    // Moves on by `ms`, then expects the rotator at `offset`, still turning or not.
    void After(int64_t ms, int32_t offset, bool moving) {
        rotator.Advance(ms);
        EXPECT_EQ(rotator.Offset(), offset);
        EXPECT_EQ(rotator.Moving(), moving);
    }
    RotatorMotion rotator{Mount(180, 450, 45)};
};

TEST_F(Tower, StartsAtItsStartBearing) {
    EXPECT_FALSE(rotator.Moving());
    EXPECT_EQ(rotator.Bearing(), 45);
    EXPECT_EQ(rotator.Report(), (RotationReport{4, 180, 450, 225}));
}

TEST_F(Tower, TurnsAtItsSpeedAndStopsAtTheTarget) {
    ASSERT_TRUE(rotator.TurnToward(60));  // offset 240, 15 degrees clockwise
    After(1000, 231, true);
    After(500, 234, true);
    After(1500, 240, false);
    EXPECT_EQ(rotator.Bearing(), 60);
    After(1000, 240, false);
}

TEST_F(Tower, TurnsCounterClockwiseInsideItsRange) {
    // Bearing 30 is offset 210 (570 is past the clockwise stop): back through 40, not on.
    ASSERT_TRUE(rotator.TurnToward(30));
    After(1000, 219, true);
    After(10000, 210, false);
}

TEST_F(Tower, StopHaltsWhereItIs) {
    ASSERT_TRUE(rotator.TurnToward(135));
    After(2000, 237, true);
    rotator.Stop();
    After(5000, 237, false);
}

// Turning toward where it already points, or advancing by no time, does not move it.
TEST_F(Tower, StaysPutWithoutCause) {
    EXPECT_FALSE(rotator.TurnToward(45));
    EXPECT_FALSE(rotator.TurnToward(45 + 360 * 3));
    EXPECT_FALSE(rotator.Moving());
    ASSERT_TRUE(rotator.TurnToward(90));
    After(0, 225, true);
    After(-1000, 225, true);
    After(std::numeric_limits<int64_t>::min(), 225, true);
}

TEST(RotatorMotion, NeverLeavesItsRange) {
    RotatorMotion rotator(Mount(0, 270, 100));
    ASSERT_TRUE(rotator.TurnToward(300));  // unreachable: it goes to the clockwise stop
    rotator.Advance(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(rotator.Offset(), 270);
    EXPECT_FALSE(rotator.Moving());
    ASSERT_TRUE(rotator.TurnToward(350));  // nearer the counter-clockwise stop
    rotator.Advance(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(rotator.Offset(), 0);
}

}  // namespace
