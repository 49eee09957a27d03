// The plain decisions behind the grid: placement, long-name lines and rotator positions.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/grid_placement.h"
#include "model/rotator.h"
#include "model/station_texts.h"

namespace {

TEST(GridPlacement, Table) {
    const struct {
        const char* name;
        std::vector<GridPlace> places;
        const char* slots;  // "slot=index" of every slot that shows a description
    } rows[] = {
        // clang-format off
        {"a duplicate place goes to the lowest free slot after all placed ones", {{1, 0}, {0, 0}, {1, 0}}, "0=1 1=0 2=2"},
        {"three unplaced take slots 0, 1, 2", {{5, 0}, {0, 3}, {-1, 1}}, "0=0 1=1 2=2"},
        {"a place outside the grid counts as none", {{-2, 0}, {0, -1}, {2, 1}}, "0=0 1=1 7=2"},
        {"slots count down the columns", {{4, 0}, {0, 1}, {0, 2}}, "4=0 5=1 10=2"},
        {"sixteen places: only the first fifteen are shown", std::vector<GridPlace>(16), "0=0 1=1 2=2 3=3 4=4 5=5 6=6 7=7 8=8 9=9 10=10 11=11 12=12 13=13 14=14"},
        // clang-format on
    };
    for (const auto& row : rows) {
        const std::array<int32_t, GridSlots> slots = PlaceOnGrid(row.places);
        std::string text;
        for (int j = 0; j < GridSlots; ++j) {
            if (slots[j] != -1) {
                text +=
                    (text.empty() ? "" : " ") + std::to_string(j) + "=" + std::to_string(slots[j]);
            }
        }
        EXPECT_EQ(text, row.slots) << row.name;
    }
}

TEST(LongNameLines, Table) {
    using Name = std::optional<std::string>;
    const struct {
        const char* name;
        Name tx, rx;
        std::string lines;  // "tx|rx"
    } rows[] = {
        {"no names: both empty", {}, {}, "|"},
        {"RX name alone: both empty", {}, "Dipole", "|"},
        {"TX name alone stands for both", "Yagi", {}, "    Yagi|"},
        {"equal names: one line after four spaces", "Yagi", "Yagi", "    Yagi|"},
        {"names differing in case are different", "yagi", "Yagi", "TX: yagi|RX: Yagi"},
        {"an empty TX name is still a name", "", {}, "    |"},
        {"bytes after a zero byte count", std::string("A\0B", 3), std::string("A\0C", 3),
         std::string("TX: A\0B|RX: A\0C", 15)},
    };
    for (const auto& row : rows) {
        const LongNameLines lines = MakeLongNameLines(row.tx, row.rx);
        EXPECT_EQ(lines.tx + "|" + lines.rx, row.lines) << row.name;
    }
}

TEST(RelativePosition, Table) {
    const int32_t min = -2147483647 - 1;
    const struct {
        const char* name;
        int32_t position, ccwLimit, relative;
    } rows[] = {
        {"-90 gives 270", 0, 90, 270},
        {"a whole turn below reads 360", 0, 360, 360},
        {"a whole turn above wraps to 0", 360, 0, 0},
        {"9999 is a position", 9999, 0, 279},
        {"10000 is none", 10000, 0, NoPosition},
        {"lowest position against highest limit", min, 2147483647, 105},
        {"lowest position against lowest limit", min, min, 0},
        {"highest position below 10000 against lowest limit", 9999, min, 47},
        {"negative limit", 10, -350, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RelativePosition(row.position, row.ccwLimit), row.relative) << row.name;
    }
}

}  // namespace
