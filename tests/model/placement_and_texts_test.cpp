// The plain decisions behind the grid: placement, title, long-name lines, rotator positions.
#include <gtest/gtest.h>

#include <vector>

#include "model/grid_placement.h"
#include "model/rotator.h"
#include "model/station_texts.h"

namespace {

using Slots = std::array<int32_t, GridSlots>;

Slots SlotsWith(std::initializer_list<std::pair<int, int32_t>> filled) {
    Slots slots;
    slots.fill(-1);
    for (auto [slot, index] : filled) {
        slots[slot] = index;
    }
    return slots;
}

struct PlacementRow {
    const char* behaviour;
    std::vector<GridPlace> places;
    Slots expected;
};

TEST(GridPlacement, Table) {
    std::vector<GridPlace> sixteen(16, GridPlace{});
    Slots firstFifteen;
    for (int j = 0; j < GridSlots; ++j) {
        firstFifteen[j] = j;
    }
    const PlacementRow rows[] = {
        {"worked example: two at (0,0), one unplaced, a function at (4,2)",
         {{0, 0}, {0, 0}, {-1, -1}, {4, 2}},
         SlotsWith({{0, 0}, {14, 3}, {1, 1}, {2, 2}})},
        {"duplicate place: the later one goes to the lowest free slot after all placed ones",
         {{1, 0}, {0, 0}, {1, 0}},
         SlotsWith({{1, 0}, {0, 1}, {2, 2}})},
        {"three unplaced take slots 0, 1, 2",
         {{5, 0}, {0, 3}, {-1, 1}},
         SlotsWith({{0, 0}, {1, 1}, {2, 2}})},
        {"a place outside the grid counts as none",
         {{-2, 0}, {0, -1}, {2, 1}},
         SlotsWith({{0, 0}, {1, 1}, {7, 2}})},
        {"slots count down the columns",
         {{4, 0}, {0, 1}, {0, 2}},
         SlotsWith({{4, 0}, {5, 1}, {10, 2}})},
        {"sixteen places: only the first fifteen are shown", sixteen, firstFifteen},
        {"nothing to place", {}, SlotsWith({})},
    };
    for (const PlacementRow& row : rows) {
        EXPECT_EQ(PlaceOnGrid(row.places), row.expected) << row.behaviour;
    }
}

TEST(GridTitle, RangeOnlyWhenBothEndsKnown) {
    EXPECT_EQ(GridTitle(7000, 7300, "Console"), "[7000-7300] Console");
    EXPECT_EQ(GridTitle(7000, -1, "Console"), "Console");
    EXPECT_EQ(GridTitle(-1, 7300, "Console"), "Console");
    EXPECT_EQ(GridTitle(-5, 0, "C"), "[-5-0] C");
    EXPECT_EQ(GridTitle(-2147483647 - 1, 2147483647, ""), "[-2147483648-2147483647] ");
}

struct LinesRow {
    const char* behaviour;
    std::optional<std::string> tx;
    std::optional<std::string> rx;
    LongNameLines expected;
};

TEST(LongNameLines, Table) {
    const LinesRow rows[] = {
        {"no names: both empty", std::nullopt, std::nullopt, {"", ""}},
        {"RX name alone: both empty", std::nullopt, "Dipole", {"", ""}},
        {"TX name alone stands for both", "Yagi", std::nullopt, {"    Yagi", ""}},
        {"equal names: one line after four spaces", "Yagi", "Yagi", {"    Yagi", ""}},
        {"different names", "Yagi", "Beverage", {"TX: Yagi", "RX: Beverage"}},
        {"names differing in case are different", "yagi", "Yagi", {"TX: yagi", "RX: Yagi"}},
        {"an empty TX name is still a name", "", std::nullopt, {"    ", ""}},
        {"bytes after a zero byte count",
         std::string("A\0B", 3),
         std::string("A\0C", 3),
         {std::string("TX: A\0B", 7), std::string("RX: A\0C", 7)}},
    };
    for (const LinesRow& row : rows) {
        EXPECT_EQ(MakeLongNameLines(row.tx, row.rx), row.expected) << row.behaviour;
    }
}

struct PositionRow {
    const char* behaviour;
    int32_t position;
    int32_t ccwLimit;
    int32_t expected;
};

TEST(RelativePosition, Table) {
    const int32_t kMin = -2147483647 - 1;
    const PositionRow rows[] = {
        {"45 against 180", 45, 180, 225},
        {"-90 gives 270", 0, 90, 270},
        {"0 against 360 gives 360", 0, 360, 360},
        {"a whole turn above wraps to 0", 360, 0, 0},
        {"at the limit", 180, 180, 0},
        {"9999 is a position", 9999, 0, 279},
        {"10000 is none", 10000, 0, NoPosition},
        {"missing position is none", NoPosition, 5, NoPosition},
        {"lowest position against highest limit", kMin, 2147483647, 360 - 255},
        {"lowest position against lowest limit", kMin, kMin, 0},
        {"highest position below 10000 against lowest limit", 9999, kMin, 47},
        {"negative limit", 10, -350, 0},
    };
    for (const PositionRow& row : rows) {
        EXPECT_EQ(RelativePosition(row.position, row.ccwLimit), row.expected) << row.behaviour;
    }
}

TEST(RotatorButtonLabel, NameAndPositionOnTwoLines) {
    CRotator rotator;
    rotator.shortName = "Tower";
    EXPECT_EQ(RotatorButtonLabel(rotator), "Tower");
    rotator.relativePosition = 225;
    EXPECT_EQ(RotatorButtonLabel(rotator), "Tower\n225");
    rotator.relativePosition = 0;
    EXPECT_EQ(RotatorButtonLabel(rotator), "Tower\n0");
}

}  // namespace
