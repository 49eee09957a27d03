// The plain decisions behind the grid: placement, title, long-name lines, rotator positions
// (the rotator button label is checked through the handlers).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/grid_placement.h"
#include "model/rotator.h"
#include "model/station_texts.h"

namespace {

// "slot=index" for every slot that shows a description.
std::string SlotsText(const std::array<int32_t, GridSlots>& slots) {
    std::string text;
    for (int j = 0; j < GridSlots; ++j) {
        if (slots[j] != -1) {
            text += (text.empty() ? "" : " ") + std::to_string(j) + "=" + std::to_string(slots[j]);
        }
    }
    return text;
}

// (The worked example is checked through a Station.)
TEST(GridPlacement, Table) {
    const std::tuple<const char*, std::vector<GridPlace>, const char*> rows[] = {
        {"duplicate place: the later one goes to the lowest free slot after all placed ones",
         {{1, 0}, {0, 0}, {1, 0}},
         "0=1 1=0 2=2"},
        {"three unplaced take slots 0, 1, 2", {{5, 0}, {0, 3}, {-1, 1}}, "0=0 1=1 2=2"},
        {"a place outside the grid counts as none", {{-2, 0}, {0, -1}, {2, 1}}, "0=0 1=1 7=2"},
        {"slots count down the columns", {{4, 0}, {0, 1}, {0, 2}}, "4=0 5=1 10=2"},
        {"sixteen places: only the first fifteen are shown", std::vector<GridPlace>(16),
         "0=0 1=1 2=2 3=3 4=4 5=5 6=6 7=7 8=8 9=9 10=10 11=11 12=12 13=13 14=14"},
        {"nothing to place", {}, ""},
    };
    for (const auto& [behaviour, places, expected] : rows) {
        EXPECT_EQ(SlotsText(PlaceOnGrid(places)), expected) << behaviour;
    }
}

TEST(GridTitle, RangeOnlyWhenBothEndsKnown) {
    EXPECT_EQ(GridTitle(7000, 7300, "Console"), "[7000-7300] Console");
    EXPECT_EQ(GridTitle(7000, -1, "Console"), "Console");
    EXPECT_EQ(GridTitle(-1, 7300, "Console"), "Console");
    EXPECT_EQ(GridTitle(-5, 0, "C"), "[-5-0] C");
    EXPECT_EQ(GridTitle(-2147483647 - 1, 2147483647, ""), "[-2147483648-2147483647] ");
}

TEST(LongNameLines, Table) {
    using std::nullopt;
    using Name = std::optional<std::string>;
    const std::tuple<const char*, Name, Name, std::string> rows[] = {
        {"no names: both empty", nullopt, nullopt, "|"},
        {"RX name alone: both empty", nullopt, "Dipole", "|"},
        {"TX name alone stands for both", "Yagi", nullopt, "    Yagi|"},
        {"equal names: one line after four spaces", "Yagi", "Yagi", "    Yagi|"},
        {"different names", "Yagi", "Beverage", "TX: Yagi|RX: Beverage"},
        {"names differing in case are different", "yagi", "Yagi", "TX: yagi|RX: Yagi"},
        {"an empty TX name is still a name", "", nullopt, "    |"},
        {"bytes after a zero byte count", std::string("A\0B", 3), std::string("A\0C", 3),
         std::string("TX: A\0B|RX: A\0C", 15)},
    };
    for (const auto& [behaviour, tx, rx, expected] : rows) {
        const LongNameLines lines = MakeLongNameLines(tx, rx);
        EXPECT_EQ(lines.tx + "|" + lines.rx, expected) << behaviour;
    }
}

TEST(RelativePosition, Table) {
    const int32_t kMin = -2147483647 - 1;
    const std::tuple<const char*, int32_t, int32_t, int32_t> rows[] = {
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
    for (const auto& [behaviour, position, ccwLimit, expected] : rows) {
        EXPECT_EQ(RelativePosition(position, ccwLimit), expected) << behaviour;
    }
}

}  // namespace
