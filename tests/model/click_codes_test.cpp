// What a click on a grid button asks of the server. The codes are the protocol's numbers,
// written as numbers: antenna 1 select alone, 2 its double click, 3 add, 4 remove; function
// 1 on, 2 off, 3 the alternate mode.
#include "model/click_codes.h"

#include <gtest/gtest.h>

namespace {

enum Mode { None, Tx, Rx };

struct AntennaRow {
    const char* name;
    bool additive;
    int32_t tx, rx;  // states: 0 unavailable, 1 available, 2 selected, else odd
    Mode armed;
    AntennaCodes click;
};

// clang-format off
const AntennaRow kAntennaRows[] = {
    {"plain, no mode: both sides", false, 0, 0, None, {1, 1}},
    {"plain, TX armed: TX only", false, 2, 1, Tx, {1, 0}},
    {"plain, RX armed: RX only", false, 1, 2, Rx, {0, 1}},
    {"additive tx selected: drop both", true, 2, 0, None, {4, 4}},
    {"additive tx selected, RX armed, rx selected", true, 2, 2, Rx, {0, 4}},
    {"additive tx selected, RX armed, rx available", true, 2, 1, Rx, {0, 3}},
    {"additive tx selected, RX armed, rx unavailable", true, 2, 0, Rx, {0, 0}},
    {"additive tx available: add both", true, 1, 2, None, {3, 3}},
    {"additive tx available, TX armed", true, 1, 0, Tx, {3, 0}},
    {"additive tx unavailable: rx decides (selected)", true, 0, 2, None, {0, 4}},
    {"additive tx unavailable: rx decides (available)", true, 0, 1, None, {0, 3}},
    {"additive tx and rx unavailable: nothing", true, 0, 0, None, {0, 0}},
    {"additive tx unavailable, TX armed: nothing", true, 0, 2, Tx, {0, 0}},
    {"additive tx odd code: rx decides", true, 7, 2, None, {0, 4}},
    {"additive odd rx code gives nothing", true, 0, -3, None, {0, 0}},
};
// clang-format on

TEST(ClickCodes, Antenna) {
    for (const AntennaRow& row : kAntennaRows) {
        SCOPED_TRACE(row.name);
        AntFuncDescription antenna;
        antenna.additive = row.additive;
        antenna.txState = row.tx;
        antenna.rxState = row.rx;
        const AntennaCodes codes = AntennaClickCodes(antenna, row.armed == Tx, row.armed == Rx);
        EXPECT_EQ(codes, row.click) << "got " << codes.tx << "," << codes.rx;
    }
    // The second press follows the modes armed at the first press, not the current ones.
    EXPECT_EQ(AntennaDoubleClickCodes(false, false), (AntennaCodes{2, 2}));
    EXPECT_EQ(AntennaDoubleClickCodes(true, false), (AntennaCodes{2, 0}));
    EXPECT_EQ(AntennaDoubleClickCodes(false, true), (AntennaCodes{0, 2}));
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
        function.momentary = row.momentary;
        function.alternate = row.alternate;
        function.txState = function.rxState = row.state;
        EXPECT_EQ(FunctionClickState(function), row.click);
        EXPECT_EQ(FunctionDoubleClickState(function), row.doubleClick);
    }
}

}  // namespace
