// What a click on a grid button asks of the server. The codes are the protocol's numbers: antenna
// 1 select alone, 2 its double click, 3 add, 4 remove; function 1 on, 2 off, 3 the alternate mode.
#include <gtest/gtest.h>

#include <tuple>

#include "model/click_codes.h"

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

}  // namespace
