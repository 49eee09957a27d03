// Rotator arithmetic and motion, and what the console makes of the reported position.
#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

#include "keva-sim/rotator_motion.h"
#include "model/rotator.h"

namespace {

TEST(RotatorMotion, TargetOffsets) {
    constexpr int64_t Min = std::numeric_limits<int32_t>::min(), Max = -(Min + 1);
    const struct {
        const char* name;
        int32_t ccwLimit, rotation;
        int64_t currentOffset, bearing;
        int32_t expected;
    } rows[] = {
        // clang-format off
        {"ReachableOnce", 180, 450, 225, 50, 230}, {"AlreadyThere", 180, 450, 225, 45, 225},
        {"TwoOffsetsTakesTheLowerWhenNearer", 180, 450, 0, 200, 20},
        {"TwoOffsetsTakesTheUpperWhenNearer", 180, 450, 400, 200, 380},
        {"TwoOffsetsTieTakesTheLower", 180, 450, 200, 200, 20},
        {"FullCircleNorthFromNearTheEnd", 0, 360, 350, 0, 360}, {"FullCircleNorthFromTheStart", 0, 360, 10, 0, 0},
        {"UnreachableNearerTheClockwiseStop", 0, 270, 100, 300, 270},
        {"UnreachableNearerTheCounterClockwiseStop", 0, 270, 100, 350, 0},
        {"UnreachableTieGoesCounterClockwise", 0, 270, 100, 315, 0},
        {"NegativeBearing", 0, 360, 0, -90, 270}, {"BearingAbove360", 90, 360, 0, 450, 0},
        {"SmallestBearing", 0, 360, 0, Min, 232}, {"LargestBearing", 0, 360, 0, Max, 127},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TargetOffset(row.ccwLimit, row.rotation, row.currentOffset, row.bearing),
                  row.expected)
            << row.name;
    }
    // The console draws its needle at RelativePosition(Position, CCWLimit): what keva-sim sends
    // must make the needle show the true bearing.
    for (int32_t ccwLimit : {0, 1, 90, 180, 270, 359}) {
        for (int32_t bearing = 0; bearing < 360; ++bearing) {
            ASSERT_EQ(RelativePosition(WirePosition(ccwLimit, bearing), ccwLimit), bearing)
                << "CCW limit " << ccwLimit;
        }
    }
}

// Steps: Tn turns toward n (t: expected to stay still), S stops, Bn expects bearing n, Pn the
// report with Position n,
// +ms=offset moves on by ms and expects that offset, with * while still turning.
TEST(RotatorMotion, Moves) {
    const struct {
        const char* name;
        int32_t ccwLimit, rotation, startBearing;
        const char* steps;
    } rows[] = {
        // A tower rotator: counter-clockwise stop at 180, 450 degrees, at 45 (offset 225).
        // clang-format off
        {"TurnsAtItsSpeedAndStopsAtTheTarget", 180, 450, 45, "P225 B45 T60 +1000=231* +500=234* +1500=240 B60 +1000=240"},
        {"TurnsCounterClockwiseInsideItsRange", 180, 450, 45, "T30 +1000=219* +10000=210"},
        {"StopHaltsWhereItIs", 180, 450, 45, "T135 +2000=237* S0 +5000=237"},
        {"StaysPutWithoutCause", 180, 450, 45, "t45 t1125 +0=225 T90 +0=225* +-1000=225* +-9223372036854775808=225*"},
        {"NeverLeavesItsRange", 0, 270, 100, "P100 T300 +9223372036854775807=270 T350 +9223372036854775807=0"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RotatorMotion rotator({4, "", "", row.ccwLimit, row.rotation, true, 6, row.startBearing});
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            SCOPED_TRACE(step);
            const int64_t n = std::stoll(step.substr(1));
            if (step[0] == 'T' || step[0] == 't') {
                EXPECT_EQ(rotator.TurnToward(n), step[0] == 'T');
            } else if (step[0] == 'S') {
                rotator.Stop();
            } else if (step[0] == 'P') {
                EXPECT_EQ(rotator.Report(),
                          (RotationReport{4, row.ccwLimit, row.rotation, int32_t(n)}));
            } else if (step[0] == 'B') {
                EXPECT_EQ(rotator.Bearing(), n);
            } else {
                rotator.Advance(n);
                EXPECT_EQ(rotator.Offset(), std::stoi(step.substr(step.find('=') + 1)));
                EXPECT_EQ(rotator.Moving(), step.back() == '*');
            }
        }
    }
}

}  // namespace
