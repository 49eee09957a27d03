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

RotatorSetup Tower() {
    RotatorSetup setup;
    setup.number = 4;
    setup.ccwLimit = 180;
    setup.rotation = 450;
    setup.hasStop = true;
    setup.speed = 6;
    setup.startBearing = 45;
    return setup;
}

TEST(RotatorMotion, StartsAtItsStartBearing) {
    RotatorMotion tower(Tower());
    EXPECT_FALSE(tower.Moving());
    EXPECT_EQ(tower.Offset(), 225);
    EXPECT_EQ(tower.Bearing(), 45);
    EXPECT_EQ(tower.Report(), (RotationReport{4, 180, 450, 225}));
}

TEST(RotatorMotion, TurnsAtItsSpeedAndStopsAtTheTarget) {
    RotatorMotion tower(Tower());
    ASSERT_TRUE(tower.TurnToward(60));  // offset 240, 15 degrees clockwise
    tower.Advance(1000);
    EXPECT_TRUE(tower.Moving());
    EXPECT_EQ(tower.Bearing(), 51);
    tower.Advance(500);
    EXPECT_EQ(tower.Bearing(), 54);
    tower.Advance(1500);
    EXPECT_FALSE(tower.Moving());
    EXPECT_EQ(tower.Bearing(), 60);
    EXPECT_EQ(tower.Report().position, 240);
    tower.Advance(1000);
    EXPECT_EQ(tower.Bearing(), 60);
}

TEST(RotatorMotion, TurnsCounterClockwiseInsideItsRange) {
    RotatorMotion tower(Tower());
    // Bearing 30 is offset 210 (570 is past the clockwise stop): back through 40, not on.
    ASSERT_TRUE(tower.TurnToward(30));
    tower.Advance(1000);
    EXPECT_EQ(tower.Bearing(), 39);
    tower.Advance(10000);
    EXPECT_EQ(tower.Offset(), 210);
    EXPECT_FALSE(tower.Moving());
}

TEST(RotatorMotion, NeverLeavesItsRange) {
    RotatorSetup setup = Tower();
    setup.ccwLimit = 0;
    setup.rotation = 270;
    setup.startBearing = 100;
    RotatorMotion rotator(setup);
    ASSERT_TRUE(rotator.TurnToward(300));  // unreachable: it goes to the clockwise stop
    rotator.Advance(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(rotator.Offset(), 270);
    EXPECT_FALSE(rotator.Moving());
    ASSERT_TRUE(rotator.TurnToward(350));  // nearer the counter-clockwise stop
    rotator.Advance(std::numeric_limits<int64_t>::max());
    EXPECT_EQ(rotator.Offset(), 0);
}

TEST(RotatorMotion, StopHaltsWhereItIs) {
    RotatorMotion tower(Tower());
    ASSERT_TRUE(tower.TurnToward(135));
    tower.Advance(2000);
    tower.Stop();
    EXPECT_FALSE(tower.Moving());
    const int32_t stopped = tower.Bearing();
    EXPECT_EQ(stopped, 57);
    tower.Advance(5000);
    EXPECT_EQ(tower.Bearing(), stopped);
}

TEST(RotatorMotion, TurnTowardWhereItIsDoesNotMove) {
    RotatorMotion tower(Tower());
    EXPECT_FALSE(tower.TurnToward(45));
    EXPECT_FALSE(tower.TurnToward(45 + 360 * 3));
    EXPECT_FALSE(tower.Moving());
}

TEST(RotatorMotion, NegativeOrZeroElapsedTimeDoesNothing) {
    RotatorMotion tower(Tower());
    ASSERT_TRUE(tower.TurnToward(90));
    tower.Advance(0);
    tower.Advance(-1000);
    tower.Advance(std::numeric_limits<int64_t>::min());
    EXPECT_EQ(tower.Bearing(), 45);
    EXPECT_TRUE(tower.Moving());
}

}  // namespace
