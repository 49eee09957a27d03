// The station's switching rules, without sockets.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "keva-sim/station_state.h"
#include "sim_test_station.h"

namespace {

// One request in a row: an antenna side, or a frequency for the radio.
struct Step {
    int32_t radio;
    bool frequency;
    Side side;
    int32_t code;
    int32_t value;  // antenna number, relative index, or frequency
    bool accepted;
};

Step Tx(int32_t radio, int32_t code, int32_t antenna, bool accepted = true) {
    return {radio, false, Side::Tx, code, antenna, accepted};
}
Step Rx(int32_t radio, int32_t code, int32_t antenna, bool accepted = true) {
    return {radio, false, Side::Rx, code, antenna, accepted};
}
Step Freq(int32_t radio, int32_t khz) {
    return {radio, true, Side::Tx, 0, khz, true};
}

// One digit per antenna, in station order: 0 Unavailable, 1 Available, 2 Selected.
std::string Digits(const RadioView& view, Side side) {
    std::string digits;
    for (const AntennaView& a : view.antennas) {
        digits += static_cast<char>('0' + (side == Side::Tx ? a.tx : a.rx));
    }
    return digits;
}

struct Row {
    const char* name;
    std::vector<Step> steps;
    const char* tx1;  // radio 1 afterwards
    const char* rx1;
    const char* tx2;  // radio 2 afterwards
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Radio 1 (14025 kHz) and radio 2 (14100 kHz) cover antennas 2 to 6; 5 is receive-only.
const Row rows[] = {
    {"StartsWithNothingSelected", {}, "011101", "011111", "011101"},
    {"Code1SelectsAloneOnEachSide", {Tx(1, 1, 2), Rx(1, 1, 2)}, "021101", "021111", "001101"},
    {"Code2ReplacesTheSelection", {Tx(1, 1, 2), Tx(1, 2, 3)}, "012101", "011111", "010101"},
    {"Code3AddsAnAdditiveAntenna", {Rx(1, 1, 2), Rx(1, 3, 5)}, "011101", "021121", "011101"},
    {"Code3AddsOnTransmitToo", {Tx(1, 1, 2), Tx(1, 3, 6)}, "021102", "011111", "001100"},
    {"Code4RemovesIt", {Rx(1, 1, 2), Rx(1, 3, 5), Rx(1, 4, 5)}, "011101", "021111", "011101"},
    {"Code3RefusedForAPlainAntenna",
     {Rx(1, 1, 2), Rx(1, 3, 3, false)},
     "011101",
     "021111",
     "011101"},
    {"Code4RefusedWhenNotSelected", {Rx(1, 4, 5, false)}, "011101", "011111", "011101"},
    {"Code1OnAnAdditiveAntennaSelectsItAlone",
     {Rx(1, 1, 2), Rx(1, 1, 5)},
     "011101",
     "011121",
     "011101"},
    {"ReceiveOnlyRefusedForTransmit",
     {Tx(1, 1, 5, false), Tx(1, 3, 5, false)},
     "011101",
     "011111",
     "011101"},
    {"NotCoveringRefused", {Tx(1, 1, 1, false), Rx(1, 1, 1, false)}, "011101", "011111", "011101"},
    {"UnknownAntennaRefused",
     {Tx(1, 1, 99, false), Tx(1, 1, -1, false)},
     "011101",
     "011111",
     "011101"},
    {"UnknownCodesRefused",
     {Tx(1, 0, 2, false), Tx(1, 8, 2, false), Tx(1, -5, 2, false)},
     "011101",
     "011111",
     "011101"},
    {"UnknownRadioRefused", {Tx(7, 1, 2, false)}, "011101", "011111", "011101"},
    {"TransmitLocksOutOtherRadios", {Tx(2, 1, 2)}, "001101", "011111", "021101"},
    {"LockedAntennaRefused",
     {Tx(2, 1, 2), Tx(1, 1, 2, false), Tx(1, 3, 2, false)},
     "001101",
     "011111",
     "021101"},
    {"ReceiveIsShared", {Tx(2, 1, 2), Rx(1, 1, 2)}, "001101", "021111", "021101"},
    {"LockFollowsTheOtherRadio", {Tx(2, 1, 2), Tx(2, 1, 3)}, "010101", "011111", "012101"},
    {"RelativeSelectsTheNthCovering", {Tx(1, 5, 0), Rx(1, 5, 1)}, "021101", "012111", "001101"},
    {"RelativeReachesReceiveOnlyOnRx", {Rx(1, 5, 3)}, "011101", "011121", "011101"},
    {"RelativeReceiveOnlyRefusedOnTx", {Tx(1, 5, 3, false)}, "011101", "011111", "011101"},
    {"RelativeOutOfRangeRefused",
     {Tx(1, 5, 5, false), Tx(1, 5, -1, false), Tx(1, 5, std::numeric_limits<int32_t>::max(), false),
      Tx(1, 5, std::numeric_limits<int32_t>::min(), false)},
     "011101",
     "011111",
     "011101"},
    {"NextFromNothingTakesTheFirst", {Tx(1, 6, 0)}, "021101", "011111", "001101"},
    {"NextStepsOn", {Tx(1, 6, 0), Tx(1, 6, 0)}, "012101", "011111", "010101"},
    {"NextSkipsReceiveOnlyOnTx", {Tx(1, 1, 4), Tx(1, 6, 0)}, "011102", "011111", "011100"},
    {"NextIncludesReceiveOnlyOnRx", {Rx(1, 1, 4), Rx(1, 6, 0)}, "011101", "011121", "011101"},
    {"NextWrapsRound", {Tx(1, 1, 6), Tx(1, 6, 0)}, "021101", "011111", "001101"},
    {"PreviousFromNothingTakesTheLast", {Tx(1, 7, 0)}, "011102", "011111", "011100"},
    {"PreviousWrapsRound", {Rx(1, 1, 2), Rx(1, 7, 0)}, "011101", "011112", "011101"},
    {"NextSkipsLockedAntennas",
     {Tx(2, 1, 3), Tx(1, 1, 2), Tx(1, 6, 0)},
     "010201",
     "011111",
     "012001"},
    {"NextStepsFromTheFirstSelected",
     {Rx(1, 1, 3), Rx(1, 3, 6), Rx(1, 6, 0)},
     "011101",
     "011211",
     "011101"},
    {"FrequencyChangeDropsWhatNoLongerCovers",
     {Tx(1, 1, 3), Rx(1, 1, 2), Freq(1, 21200)},
     "002000",
     "001000",
     "010101"},
    {"FrequencyChangeReleasesTheLock", {Tx(2, 1, 2), Freq(2, 3525)}, "011101", "011111", "100100"},
    {"FrequencyOutsideEveryBand", {Tx(1, 1, 2), Freq(1, 50000)}, "000000", "000000", "011101"},
    {"ExtremeFrequencies",
     {Freq(1, std::numeric_limits<int32_t>::min()), Freq(2, std::numeric_limits<int32_t>::max())},
     "000000",
     "000000",
     "000000"},
};

class StationRules : public testing::TestWithParam<Row> {};

TEST_P(StationRules, Apply) {
    const Row& row = GetParam();
    StationState state(TestStation());
    for (const Step& step : row.steps) {
        const std::string refused =
            step.frequency ? state.RequestFrequency(step.radio, step.value)
                           : state.RequestAntenna(step.radio, step.side, step.code, step.value);
        EXPECT_EQ(refused.empty(), step.accepted) << "refusal: " << refused;
    }
    EXPECT_EQ(Digits(state.View(1), Side::Tx), row.tx1);
    EXPECT_EQ(Digits(state.View(1), Side::Rx), row.rx1);
    EXPECT_EQ(Digits(state.View(2), Side::Tx), row.tx2);
}

INSTANTIATE_TEST_SUITE_P(Rows, StationRules, testing::ValuesIn(rows),
                         [](const testing::TestParamInfo<Row>& info) { return info.param.name; });

TEST(StationState, LongNamesJoinTheSelectionInStationOrder) {
    StationState state(TestStation());
    EXPECT_EQ(state.View(1).txLongName, "");
    state.RequestAntenna(1, Side::Tx, SelectAlone, 3);
    state.RequestAntenna(1, Side::Rx, SelectAlone, 6);
    state.RequestAntenna(1, Side::Rx, AddAdditive, 5);
    const RadioView view = state.View(1);
    EXPECT_EQ(view.txLongName, "Tri long");
    EXPECT_EQ(view.rxLongName, "Bev long + Stack long");
}

TEST(StationState, RadiosComeFromTheFileAndFromHello) {
    StationState state(TestStation());
    EXPECT_EQ(state.Radios(), (std::vector<int32_t>{1, 2}));
    EXPECT_FALSE(state.HasRadio(9));
    EXPECT_TRUE(state.AddRadio(9));
    EXPECT_EQ(state.Frequency(9), 1800);  // the station's lower frequency
    EXPECT_EQ(state.Frequency(1), 14025);
    EXPECT_NE(state.RequestAntenna(9, Side::Rx, SelectAlone, 1), "");  // 1800 kHz: no band
    EXPECT_EQ(Digits(state.View(9), Side::Rx), "000000");
    for (int32_t radio = 10; state.Radios().size() < StationState::MaxRadios; ++radio) {
        EXPECT_TRUE(state.AddRadio(radio));
    }
    EXPECT_FALSE(state.AddRadio(1000));
    EXPECT_TRUE(state.AddRadio(9));  // known radios are always fine
}

// Functions: state code 1 on, 2 off, 3 toggles an alternate function's highlight.
struct FunctionStep {
    int32_t radio;
    int32_t function;
    int32_t code;
    bool accepted;
};

struct FunctionRow {
    const char* name;
    std::vector<FunctionStep> steps;
    const char* states1;      // radio 1: one digit per function
    const char* highlights1;  // radio 1: one 0/1 per function
    const char* states2;
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const FunctionRow& row, std::ostream* out) {
    *out << row.name;
}

std::string FunctionDigits(const RadioView& view, bool highlight) {
    std::string digits;
    for (const FunctionView& f : view.functions) {
        digits += static_cast<char>('0' + (highlight ? f.highlight : f.state));
    }
    return digits;
}

const FunctionRow functionRows[] = {
    {"AllStartAvailable", {}, "111", "000", "111"},
    {"Code1SwitchesOn", {{1, 1, 1, true}}, "211", "000", "111"},
    {"Code2SwitchesOff", {{1, 1, 1, true}, {1, 1, 2, true}}, "111", "000", "111"},
    {"Code3TogglesTheAlternateMode", {{1, 3, 3, true}}, "111", "001", "111"},
    {"Code3TwiceTogglesBack", {{1, 3, 3, true}, {1, 3, 3, true}}, "111", "000", "111"},
    {"Code3RefusedWithoutAlternate", {{1, 1, 3, false}}, "111", "000", "111"},
    {"UnknownFunctionCodeAndRadioRefused",
     {{1, 9, 1, false}, {1, 1, 0, false}, {1, 1, 4, false}, {5, 1, 1, false}},
     "111",
     "000",
     "111"},
    {"EachRadioHasItsOwn", {{2, 1, 1, true}, {2, 3, 3, true}}, "111", "000", "211"},
};

class FunctionRules : public testing::TestWithParam<FunctionRow> {};

TEST_P(FunctionRules, Apply) {
    const FunctionRow& row = GetParam();
    StationState state(TestStation());
    for (const FunctionStep& step : row.steps) {
        const std::string refused = state.RequestFunction(step.radio, step.function, step.code, 0);
        EXPECT_EQ(refused.empty(), step.accepted) << "refusal: " << refused;
    }
    EXPECT_EQ(FunctionDigits(state.View(1), false), row.states1);
    EXPECT_EQ(FunctionDigits(state.View(1), true), row.highlights1);
    EXPECT_EQ(FunctionDigits(state.View(2), false), row.states2);
}

INSTANTIATE_TEST_SUITE_P(Rows, FunctionRules, testing::ValuesIn(functionRows),
                         [](const testing::TestParamInfo<FunctionRow>& info) {
                             return info.param.name;
                         });

TEST(StationState, MomentaryFunctionFallsBackAfterItsTime) {
    StationState state(TestStation());
    EXPECT_FALSE(state.NextDeadline());
    ASSERT_EQ(state.RequestFunction(1, 2, SwitchOn, 1000), "");
    EXPECT_EQ(FunctionDigits(state.View(1), false), "121");
    ASSERT_TRUE(state.NextDeadline());
    EXPECT_EQ(*state.NextDeadline(), 1000 + StationState::MomentaryMs);

    EXPECT_TRUE(state.ExpireMomentary(1000 + StationState::MomentaryMs - 1).empty());
    EXPECT_EQ(FunctionDigits(state.View(1), false), "121");
    EXPECT_EQ(state.ExpireMomentary(1000 + StationState::MomentaryMs), std::vector<int32_t>{1});
    EXPECT_EQ(FunctionDigits(state.View(1), false), "111");
    EXPECT_FALSE(state.NextDeadline());
}

TEST(StationState, MomentarySwitchedOffEarlyHasNoDeadline) {
    StationState state(TestStation());
    state.RequestFunction(1, 2, SwitchOn, 0);
    state.RequestFunction(1, 2, SwitchOff, 10);
    EXPECT_FALSE(state.NextDeadline());
    EXPECT_TRUE(state.ExpireMomentary(100000).empty());
}

TEST(StationState, PlainFunctionsStayOn) {
    StationState state(TestStation());
    state.RequestFunction(1, 1, SwitchOn, 0);
    EXPECT_FALSE(state.NextDeadline());
    EXPECT_TRUE(state.ExpireMomentary(100000).empty());
    EXPECT_EQ(FunctionDigits(state.View(1), false), "211");
}

}  // namespace
