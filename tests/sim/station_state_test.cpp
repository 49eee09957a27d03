// The station's switching rules, without sockets.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "keva-sim/station_state.h"

namespace {

constexpr int32_t Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Max = std::numeric_limits<int32_t>::max();

// Antennas 1 "Low" 80 m; 2 "Yagi" 20 m; 3 "Tri" 20+15 m; 4 "Vert" 80+20 m; 5 "Bev" 80+20 m,
// additive, receive-only; 6 "Stack" 20 m, additive. Functions 1 plain, 2 momentary,
// 3 alternate. Radio 1 starts on 14025 kHz, radio 2 on 14100 kHz.
StationDescription TestStation() {
    const Band b80{3500, 4000}, b20{14000, 14350}, b15{21000, 21450};
    auto antenna = [](int32_t number, std::string name, std::vector<Band> bands,
                      bool additive = false, bool receiveOnly = false) {
        AntennaSetup a;
        a.number = number;
        a.shortName = name;
        a.longName = name + " long";
        a.bands = std::move(bands);
        a.additive = additive;
        a.receiveOnly = receiveOnly;
        return a;
    };
    auto function = [](int32_t number, bool momentary, bool alternate) {
        FunctionSetup f;
        f.number = number;
        f.momentary = momentary;
        f.alternate = alternate;
        return f;
    };
    StationDescription s;
    s.lowerFrequency = 1800;
    s.upperFrequency = 29700;
    s.radios = {{1, 14025}, {2, 14100}};
    s.antennas = {antenna(1, "Low", {b80}),
                  antenna(2, "Yagi", {b20}),
                  antenna(3, "Tri", {b20, b15}),
                  antenna(4, "Vert", {b80, b20}),
                  antenna(5, "Bev", {b80, b20}, true, true),
                  antenna(6, "Stack", {b20}, true)};
    s.functions = {function(1, false, false), function(2, true, false), function(3, false, true)};
    return s;
}

// One request in a row: an antenna side, a frequency, or a function; `ok` false when refused.
enum class Kind { Tx, Rx, Freq, Function };
struct Step {
    Kind kind;
    int32_t radio;
    int32_t code;   // antenna or function code; unused for a frequency
    int32_t value;  // antenna number, relative index, frequency or function number
    bool ok = true;
};
constexpr bool No = false;
Step Tx(int32_t radio, int32_t code, int32_t antenna, bool ok = true) {
    return {Kind::Tx, radio, code, antenna, ok};
}
Step Rx(int32_t radio, int32_t code, int32_t antenna, bool ok = true) {
    return {Kind::Rx, radio, code, antenna, ok};
}
Step Freq(int32_t radio, int32_t khz) {
    return {Kind::Freq, radio, 0, khz};
}
Step Fn(int32_t radio, int32_t function, int32_t code, bool ok = true) {
    return {Kind::Function, radio, code, function, ok};
}

void Apply(StationState& state, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        const Side side = s.kind == Kind::Tx ? Side::Tx : Side::Rx;
        const std::string refused = s.kind == Kind::Freq ? state.RequestFrequency(s.radio, s.value)
                                    : s.kind == Kind::Function
                                        ? state.RequestFunction(s.radio, s.value, s.code, 0)
                                        : state.RequestAntenna(s.radio, side, s.code, s.value);
        EXPECT_EQ(refused.empty(), s.ok) << "refusal: " << refused;
    }
}

// One digit per antenna or function, in station order: 0 Unavailable, 1 Available, 2 Selected.
std::string Digits(const RadioView& view, Side side) {
    std::string digits;
    for (const AntennaView& a : view.antennas) {
        digits += static_cast<char>('0' + (side == Side::Tx ? a.tx : a.rx));
    }
    return digits;
}
std::string FunctionDigits(const RadioView& view, bool highlight) {
    std::string digits;
    for (const FunctionView& f : view.functions) {
        digits += static_cast<char>('0' + (highlight ? f.highlight : f.state));
    }
    return digits;
}

struct Row {
    const char* name;
    std::vector<Step> steps;
    const char* after;  // antennas: radio 1 TX, radio 1 RX, radio 2 TX; or functions: radio 1
                        // states, radio 1 highlights, radio 2 states
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}
std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// Radio 1 (14025 kHz) and radio 2 (14100 kHz) cover antennas 2 to 6; 5 is receive-only.
const char* const Untouched = "011101 011111 011101";
const Row antennaRows[] = {
    {"StartsWithNothingSelected", {}, Untouched},
    {"Code1SelectsAloneOnEachSide", {Tx(1, 1, 2), Rx(1, 1, 2)}, "021101 021111 001101"},
    {"Code2ReplacesTheSelection", {Tx(1, 1, 2), Tx(1, 2, 3)}, "012101 011111 010101"},
    {"Code3AddsAnAdditiveAntenna", {Rx(1, 1, 2), Rx(1, 3, 5)}, "011101 021121 011101"},
    {"Code3AddsOnTransmitToo", {Tx(1, 1, 2), Tx(1, 3, 6)}, "021102 011111 001100"},
    {"Code4RemovesIt", {Rx(1, 1, 2), Rx(1, 3, 5), Rx(1, 4, 5)}, "011101 021111 011101"},
    {"Code3RefusedForAPlainAntenna", {Rx(1, 1, 2), Rx(1, 3, 3, No)}, "011101 021111 011101"},
    {"Code4RefusedWhenNotSelected", {Rx(1, 4, 5, No)}, Untouched},
    {"Code1OnAdditiveSelectsItAlone", {Rx(1, 1, 2), Rx(1, 1, 5)}, "011101 011121 011101"},
    {"ReceiveOnlyRefusedForTx", {Tx(1, 1, 5, No), Tx(1, 3, 5, No)}, Untouched},
    {"NotCoveringRefused", {Tx(1, 1, 1, No), Rx(1, 1, 1, No)}, Untouched},
    {"UnknownAntennaRefused", {Tx(1, 1, 99, No), Tx(1, 1, -1, No)}, Untouched},
    {"UnknownCodesRefused", {Tx(1, 0, 2, No), Tx(1, 8, 2, No), Tx(1, -5, 2, No)}, Untouched},
    {"UnknownRadioRefused", {Tx(7, 1, 2, No)}, Untouched},
    {"TransmitLocksOutOtherRadios", {Tx(2, 1, 2)}, "001101 011111 021101"},
    {"LockedAntennaRefused",
     {Tx(2, 1, 2), Tx(1, 1, 2, No), Tx(1, 3, 2, No)},
     "001101 011111 021101"},
    {"ReceiveIsShared", {Tx(2, 1, 2), Rx(1, 1, 2)}, "001101 021111 021101"},
    {"LockFollowsTheOtherRadio", {Tx(2, 1, 2), Tx(2, 1, 3)}, "010101 011111 012101"},
    {"RelativeSelectsTheNthCovering", {Tx(1, 5, 0), Rx(1, 5, 1)}, "021101 012111 001101"},
    {"RelativeReachesReceiveOnlyOnRx", {Rx(1, 5, 3)}, "011101 011121 011101"},
    {"RelativeReceiveOnlyRefusedOnTx", {Tx(1, 5, 3, No)}, Untouched},
    {"RelativeOutOfRangeRefused",
     {Tx(1, 5, 5, No), Tx(1, 5, -1, No), Tx(1, 5, Max, No), Tx(1, 5, Min, No)},
     Untouched},
    {"NextFromNothingTakesTheFirst", {Tx(1, 6, 0)}, "021101 011111 001101"},
    {"NextStepsOn", {Tx(1, 6, 0), Tx(1, 6, 0)}, "012101 011111 010101"},
    {"NextSkipsReceiveOnlyOnTx", {Tx(1, 1, 4), Tx(1, 6, 0)}, "011102 011111 011100"},
    {"NextIncludesReceiveOnlyOnRx", {Rx(1, 1, 4), Rx(1, 6, 0)}, "011101 011121 011101"},
    {"NextWrapsRound", {Tx(1, 1, 6), Tx(1, 6, 0)}, "021101 011111 001101"},
    {"PreviousFromNothingTakesTheLast", {Tx(1, 7, 0)}, "011102 011111 011100"},
    {"PreviousWrapsRound", {Rx(1, 1, 2), Rx(1, 7, 0)}, "011101 011112 011101"},
    {"NextSkipsLockedAntennas", {Tx(2, 1, 3), Tx(1, 1, 2), Tx(1, 6, 0)}, "010201 011111 012001"},
    {"NextStepsFromTheFirstSelected",
     {Rx(1, 1, 3), Rx(1, 3, 6), Rx(1, 6, 0)},
     "011101 011211 011101"},
    {"FrequencyChangeDropsWhatNoLongerCovers",
     {Tx(1, 1, 3), Rx(1, 1, 2), Freq(1, 21200)},
     "002000 001000 010101"},
    {"FrequencyChangeReleasesTheLock", {Tx(2, 1, 2), Freq(2, 3525)}, "011101 011111 100100"},
    {"FrequencyOutsideEveryBand", {Tx(1, 1, 2), Freq(1, 50000)}, "000000 000000 011101"},
    {"ExtremeFrequencies", {Freq(1, Min), Freq(2, Max)}, "000000 000000 000000"},
};

class AntennaRules : public testing::TestWithParam<Row> {};

TEST_P(AntennaRules, Apply) {
    StationState state(TestStation());
    Apply(state, GetParam().steps);
    EXPECT_EQ(Digits(state.View(1), Side::Tx) + " " + Digits(state.View(1), Side::Rx) + " " +
                  Digits(state.View(2), Side::Tx),
              GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, AntennaRules, testing::ValuesIn(antennaRows), RowName);

// Function codes: 1 on, 2 off, 3 toggles an alternate function's highlight.
const char* const AllOff = "111 000 111";
const Row functionRows[] = {
    {"AllStartAvailable", {}, AllOff},
    {"Code1SwitchesOn", {Fn(1, 1, 1)}, "211 000 111"},
    {"Code2SwitchesOff", {Fn(1, 1, 1), Fn(1, 1, 2)}, AllOff},
    {"Code3TogglesTheAlternateMode", {Fn(1, 3, 3)}, "111 001 111"},
    {"Code3TwiceTogglesBack", {Fn(1, 3, 3), Fn(1, 3, 3)}, AllOff},
    {"Code3RefusedWithoutAlternate", {Fn(1, 1, 3, No)}, AllOff},
    {"UnknownFunctionCodeAndRadioRefused",
     {Fn(1, 9, 1, No), Fn(1, 1, 0, No), Fn(1, 1, 4, No), Fn(5, 1, 1, No)},
     AllOff},
    {"EachRadioHasItsOwn", {Fn(2, 1, 1), Fn(2, 3, 3)}, "111 000 211"},
};

class FunctionRules : public testing::TestWithParam<Row> {};

TEST_P(FunctionRules, Apply) {
    StationState state(TestStation());
    Apply(state, GetParam().steps);
    EXPECT_EQ(FunctionDigits(state.View(1), false) + " " + FunctionDigits(state.View(1), true) +
                  " " + FunctionDigits(state.View(2), false),
              GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Rows, FunctionRules, testing::ValuesIn(functionRows), RowName);

TEST(StationState, LongNamesJoinTheSelectionInStationOrder) {
    StationState state(TestStation());
    EXPECT_EQ(state.View(1).txLongName, "");
    Apply(state, {Tx(1, 1, 3), Rx(1, 1, 6), Rx(1, 3, 5)});
    EXPECT_EQ(state.View(1).txLongName, "Tri long");
    EXPECT_EQ(state.View(1).rxLongName, "Bev long + Stack long");
}

TEST(StationState, RadiosComeFromTheFileAndFromHello) {
    StationState state(TestStation());
    EXPECT_EQ(state.Radios(), (std::vector<int32_t>{1, 2}));
    EXPECT_FALSE(state.HasRadio(9));
    EXPECT_TRUE(state.AddRadio(9));
    EXPECT_EQ(state.Frequency(9), 1800);  // the station's lower frequency
    EXPECT_EQ(state.Frequency(1), 14025);
    Apply(state, {Rx(9, 1, 1, No)});  // 1800 kHz: no band
    EXPECT_EQ(Digits(state.View(9), Side::Rx), "000000");
    for (int32_t radio = 10; state.Radios().size() < StationState::MaxRadios; ++radio) {
        EXPECT_TRUE(state.AddRadio(radio));
    }
    EXPECT_FALSE(state.AddRadio(1000));
    EXPECT_TRUE(state.AddRadio(9));  // known radios are always fine
}

// Function 2 is momentary: it falls back after its time unless switched off first; plain
// function 1 stays on.
TEST(StationState, MomentaryFunctionFallsBackAfterItsTime) {
    constexpr int64_t due = 1000 + StationState::MomentaryMs;
    StationState state(TestStation());
    EXPECT_FALSE(state.NextDeadline());
    ASSERT_EQ(state.RequestFunction(1, 1, SwitchOn, 0), "");
    EXPECT_FALSE(state.NextDeadline());
    ASSERT_EQ(state.RequestFunction(1, 2, SwitchOn, 1000), "");
    EXPECT_EQ(state.NextDeadline(), due);
    EXPECT_TRUE(state.ExpireMomentary(due - 1).empty());
    EXPECT_EQ(FunctionDigits(state.View(1), false), "221");
    EXPECT_EQ(state.ExpireMomentary(due), std::vector<int32_t>{1});
    EXPECT_EQ(FunctionDigits(state.View(1), false), "211");
    EXPECT_FALSE(state.NextDeadline());

    state.RequestFunction(1, 2, SwitchOn, 2000);
    state.RequestFunction(1, 2, SwitchOff, 2010);
    EXPECT_FALSE(state.NextDeadline());
    EXPECT_TRUE(state.ExpireMomentary(100000).empty());
    EXPECT_EQ(FunctionDigits(state.View(1), false), "211");
}

}  // namespace
