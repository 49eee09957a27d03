// The plain decisions behind the grid. Click codes are the protocol's numbers: antenna 1 select
// alone, 2 its double click, 3 add, 4 remove; function 1 on, 2 off, 3 the alternate mode.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/click_codes.h"
#include "model/grid_placement.h"
#include "model/rotator.h"
#include "model/station_texts.h"

namespace {

enum Mode { None, Tx, Rx };

// States: 0 unavailable, 1 available, 2 selected, else odd. The second press of a double click
// follows the modes armed at the first press.
TEST(ClickCodes, Antenna) {
    const struct {
        const char* name;
        bool additive;
        int32_t tx, rx;
        Mode armed;
        AntennaCodes click, doubleClick;
    } rows[] = {
        // clang-format off
        {"plain, no mode: both sides", false, 0, 0, None, {1, 1}, {2, 2}},
        {"plain, TX armed: TX only", false, 2, 1, Tx, {1, 0}, {2, 0}},
        {"plain, RX armed: RX only", false, 1, 2, Rx, {0, 1}, {0, 2}},
        {"additive tx selected: drop both", true, 2, 0, None, {4, 4}, {2, 2}},
        {"additive tx selected, RX armed, rx selected", true, 2, 2, Rx, {0, 4}, {0, 2}},
        {"additive tx selected, RX armed, rx available", true, 2, 1, Rx, {0, 3}, {0, 2}},
        {"additive tx selected, RX armed, rx unavailable", true, 2, 0, Rx, {0, 0}, {0, 2}},
        {"additive tx available: add both", true, 1, 2, None, {3, 3}, {2, 2}},
        {"additive tx available, TX armed", true, 1, 0, Tx, {3, 0}, {2, 0}},
        {"additive tx unavailable: rx decides (selected)", true, 0, 2, None, {0, 4}, {2, 2}},
        {"additive tx unavailable: rx decides (available)", true, 0, 1, None, {0, 3}, {2, 2}},
        {"additive tx and rx unavailable: nothing", true, 0, 0, None, {0, 0}, {2, 2}},
        {"additive tx unavailable, TX armed: nothing", true, 0, 2, Tx, {0, 0}, {2, 0}},
        {"additive tx odd code: rx decides", true, 7, 2, None, {0, 4}, {2, 2}},
        {"additive odd rx code gives nothing", true, 0, -3, None, {0, 0}, {2, 2}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AntFuncDescription antenna;
        std::tie(antenna.additive, antenna.txState, antenna.rxState) =
            std::tie(row.additive, row.tx, row.rx);
        EXPECT_EQ(AntennaClickCodes(antenna, row.armed == Tx, row.armed == Rx), row.click);
        EXPECT_EQ(AntennaDoubleClickCodes(row.armed == Tx, row.armed == Rx), row.doubleClick);
    }
}

TEST(ClickCodes, Function) {
    const struct {
        const char* name;
        bool momentary, alternate;
        int32_t state, click, doubleClick;
    } rows[] = {
        {"latching available: turn on", false, false, 1, 1, 0},
        {"latching selected: turn off", false, false, 2, 2, 0},
        {"latching odd state: nothing", false, false, 5, 0, 0},
        {"momentary available: press", true, false, 1, 1, 0},
        {"momentary selected: nothing", true, false, 2, 0, 0},
        {"alternate available: double gives 3", false, true, 1, 1, 3},
        {"alternate odd state: double gives 3", false, true, -4, 0, 3},
        {"alternate unavailable: nothing", false, true, 0, 0, 0},
        {"momentary alternate selected", true, true, 2, 0, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AntFuncDescription function;
        function.kind = DescriptionKind::Function;
        std::tie(function.momentary, function.alternate, function.txState, function.rxState) =
            std::tie(row.momentary, row.alternate, row.state, row.state);
        EXPECT_EQ(FunctionClickState(function), row.click);
        EXPECT_EQ(FunctionDoubleClickState(function), row.doubleClick);
    }
}

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
        std::string text;
        for (int j = 0; const int32_t slot : PlaceOnGrid(row.places)) {
            text += slot == -1 ? ""
                               : (text.empty() ? "" : " ") + std::to_string(j) + "=" +
                                     std::to_string(slot);
            ++j;
        }
        EXPECT_EQ(text, row.slots) << row.name;
    }
}

TEST(LongNameLines, Table) {
    const struct {
        const char* name;
        std::optional<std::string> tx, rx;
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
        {"lowest position against lowest limit", min, min, 0},
        {"highest position below 10000 against lowest limit", 9999, min, 47},
        {"negative limit", 10, -350, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RelativePosition(row.position, row.ccwLimit), row.relative) << row.name;
    }
}

}  // namespace
