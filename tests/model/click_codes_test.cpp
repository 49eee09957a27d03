#include "model/click_codes.h"

#include <gtest/gtest.h>

namespace {

enum class Mode { None, Tx, Rx };

struct AntennaRow {
    const char* behaviour;
    bool additive;
    int32_t txState;
    int32_t rxState;
    Mode mode;
    AntennaCodes expected;
};

const AntennaRow kAntennaRows[] = {
    {"plain, no mode: both sides", false, 0, 0, Mode::None, {1, 1}},
    {"plain, TX armed: TX only", false, 2, 1, Mode::Tx, {1, 0}},
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
    for (const AntennaRow& row : kAntennaRows) {
        AntFuncDescription antenna;
        antenna.additive = row.additive;
        antenna.txState = row.txState;
        antenna.rxState = row.rxState;
        const AntennaCodes codes =
            AntennaClickCodes(antenna, row.mode == Mode::Tx, row.mode == Mode::Rx);
        EXPECT_EQ(codes, row.expected) << row.behaviour << ": got " << codes.tx << "," << codes.rx;
    }
}

TEST(ClickCodes, AntennaDoubleClickFollowsModesOfFirstPress) {
    EXPECT_EQ(AntennaDoubleClickCodes(false, false), (AntennaCodes{2, 2}));
    EXPECT_EQ(AntennaDoubleClickCodes(true, false), (AntennaCodes{2, 0}));
    EXPECT_EQ(AntennaDoubleClickCodes(false, true), (AntennaCodes{0, 2}));
}

// A double click with TX armed beforehand: the first press sends TX 1 only, the second TX 2 only.
TEST(ClickCodes, DoubleClickWithTxArmedSendsTxOneThenTxTwo) {
    AntFuncDescription antenna;
    EXPECT_EQ(AntennaClickCodes(antenna, true, false), (AntennaCodes{1, 0}));
    EXPECT_EQ(AntennaDoubleClickCodes(true, false), (AntennaCodes{2, 0}));
}

struct FunctionRow {
    const char* behaviour;
    bool momentary;
    bool alternate;
    int32_t state;
    int32_t click;
    int32_t doubleClick;
};

const FunctionRow kFunctionRows[] = {
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
    for (const FunctionRow& row : kFunctionRows) {
        AntFuncDescription function;
        function.kind = DescriptionKind::Function;
        function.momentary = row.momentary;
        function.alternate = row.alternate;
        function.txState = function.rxState = row.state;
        EXPECT_EQ(FunctionClickState(function), row.click) << row.behaviour;
        EXPECT_EQ(FunctionDoubleClickState(function), row.doubleClick) << row.behaviour;
    }
}

}  // namespace
