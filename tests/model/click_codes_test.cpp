#include "model/click_codes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

enum class Mode { None, Tx, Rx };

// behaviour, additive, TX state, RX state, armed mode, codes sent
const std::tuple<const char*, bool, int32_t, int32_t, Mode, AntennaCodes> kAntennaRows[] = {
    {"plain, no mode: both sides", false, 0, 0, Mode::None, {1, 1}},
    {"plain, TX armed: TX only", false, 2, 1, Mode::Tx, {1, 0}},
    {"plain, unavailable, TX armed: TX only", false, 0, 0, Mode::Tx, {1, 0}},
    {"plain, RX armed: RX only", false, 1, 2, Mode::Rx, {0, 1}},
    {"additive tx selected: drop both", true, 2, 0, Mode::None, {4, 4}},
    {"additive tx selected, TX armed", true, 2, 1, Mode::Tx, {4, 0}},
    {"additive tx selected, RX armed, rx selected", true, 2, 2, Mode::Rx, {0, 4}},
    {"additive tx selected, RX armed, rx available", true, 2, 1, Mode::Rx, {0, 3}},
    {"additive tx selected, RX armed, rx unavailable", true, 2, 0, Mode::Rx, {0, 0}},
    {"additive tx available: add both", true, 1, 2, Mode::None, {3, 3}},
    {"additive tx available, TX armed", true, 1, 0, Mode::Tx, {3, 0}},
    {"additive tx available, RX armed, rx selected", true, 1, 2, Mode::Rx, {0, 4}},
    {"additive tx unavailable: rx decides (selected)", true, 0, 2, Mode::None, {0, 4}},
    {"additive tx unavailable: rx decides (available)", true, 0, 1, Mode::None, {0, 3}},
    {"additive tx unavailable, rx unavailable: nothing", true, 0, 0, Mode::None, {0, 0}},
    {"additive tx unavailable, TX armed: nothing", true, 0, 2, Mode::Tx, {0, 0}},
    {"additive tx unavailable, RX armed", true, 0, 1, Mode::Rx, {0, 3}},
    {"additive tx odd code: rx decides", true, 7, 2, Mode::None, {0, 4}},
    {"additive odd rx code gives nothing", true, 0, -3, Mode::None, {0, 0}},
    {"additive tx odd code, TX armed: nothing", true, 7, 1, Mode::Tx, {0, 0}},
    {"additive tx odd code, RX armed, rx odd", true, 7, 9, Mode::Rx, {0, 0}},
};

TEST(ClickCodes, AntennaSingleClickTable) {
    for (const auto& [behaviour, additive, txState, rxState, mode, expected] : kAntennaRows) {
        AntFuncDescription antenna;
        antenna.additive = additive;
        antenna.txState = txState;
        antenna.rxState = rxState;
        const AntennaCodes codes = AntennaClickCodes(antenna, mode == Mode::Tx, mode == Mode::Rx);
        EXPECT_EQ(codes, expected) << behaviour << ": got " << codes.tx << "," << codes.rx;
    }
}

// The second press follows the modes armed at the first press, not the current ones.
TEST(ClickCodes, AntennaDoubleClickFollowsModesOfFirstPress) {
    EXPECT_EQ(AntennaDoubleClickCodes(false, false), (AntennaCodes{2, 2}));
    EXPECT_EQ(AntennaDoubleClickCodes(true, false), (AntennaCodes{2, 0}));
    EXPECT_EQ(AntennaDoubleClickCodes(false, true), (AntennaCodes{0, 2}));
}

// behaviour, momentary, alternate, state, single click state, double click state
const std::tuple<const char*, bool, bool, int32_t, int32_t, int32_t> kFunctionRows[] = {
    {"latching available: turn on", false, false, 1, 1, 0},
    {"latching selected: turn off", false, false, 2, 2, 0},
    {"latching unavailable: nothing", false, false, 0, 0, 0},
    {"latching odd state: nothing", false, false, 5, 0, 0},
    {"momentary available: press", true, false, 1, 1, 0},
    {"momentary selected: nothing", true, false, 2, 0, 0},
    {"momentary unavailable: nothing", true, false, 0, 0, 0},
    {"alternate available: double gives 3", false, true, 1, 1, 3},
    {"alternate selected: double gives 3", false, true, 2, 2, 3},
    {"alternate odd state: double gives 3", false, true, -4, 0, 3},
    {"alternate unavailable: nothing", false, true, 0, 0, 0},
    {"momentary alternate selected", true, true, 2, 0, 3},
};

TEST(ClickCodes, FunctionTable) {
    for (const auto& [behaviour, momentary, alternate, state, click, doubleClick] : kFunctionRows) {
        AntFuncDescription function;
        function.kind = DescriptionKind::Function;
        function.momentary = momentary;
        function.alternate = alternate;
        function.txState = function.rxState = state;
        EXPECT_EQ(FunctionClickState(function), click) << behaviour;
        EXPECT_EQ(FunctionDoubleClickState(function), doubleClick) << behaviour;
    }
}

}  // namespace
