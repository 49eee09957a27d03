// The station's switching rules, without sockets.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "keva-sim/station_file.h"
#include "keva-sim/station_state.h"

namespace {

constexpr int32_t Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Max = std::numeric_limits<int32_t>::max();

// Functions 1 plain, 2 momentary, 3 alternate; 5 additive and receive-only, 6 additive.
StationDescription TestStation() {
    StationDescription s;
    std::string error;
    EXPECT_TRUE(ParseStation(R"({"LowerFrequency": 1800, "UpperFrequency": 29700,
      "Radios": [{"Radio": 1, "Frequency": 14025}, {"Radio": 2, "Frequency": 14100}],
      "Antennas": [{"Antenna": 1, "ShortName": "Low", "Bands": [[3500, 4000]]},
        {"Antenna": 2, "ShortName": "Yagi", "Bands": [[14000, 14350]]},
        {"Antenna": 3, "ShortName": "Tri", "LongName": "Tri long", "Bands": [[14000, 14350], [21000, 21450]]},
        {"Antenna": 4, "ShortName": "Vert", "Bands": [[3500, 4000], [14000, 14350]]},
        {"Antenna": 5, "ShortName": "Bev", "LongName": "Bev long", "Bands": [[3500, 4000], [14000, 14350]], "Additive": true, "ReceiveOnly": true},
        {"Antenna": 6, "ShortName": "Stack", "LongName": "Stack long", "Bands": [[14000, 14350]], "Additive": true}],
      "Functions": [{"Function": 1, "ShortName": "F"}, {"Function": 2, "ShortName": "M", "Momentary": true},
        {"Function": 3, "ShortName": "A", "Alternate": true}]})",
                             s, error))
        << error;
    return s;
}

// One step of a row: a request (`ok` false when it must be refused), or the momentary clock.
enum class Kind { Tx, Rx, Freq, Function, Expire, Deadline };
struct Step {
    Kind kind;
    int32_t radio;  // Expire: the radio expected to change, 0 for none
    int32_t code;   // antenna or function code
    int64_t value;  // antenna number, relative index, frequency, function number, or a time
    bool ok = true;
    int64_t at = 0;  // the time of a function request
};
constexpr bool No = false;
// clang-format off
Step Tx(int32_t radio, int32_t code, int32_t antenna, bool ok = true) { return {Kind::Tx, radio, code, antenna, ok}; }
Step Rx(int32_t radio, int32_t code, int32_t antenna, bool ok = true) { return {Kind::Rx, radio, code, antenna, ok}; }
Step Freq(int32_t radio, int32_t khz) { return {Kind::Freq, radio, 0, khz}; }
Step Fn(int32_t radio, int32_t function, int32_t code, bool ok = true, int64_t at = 0) { return {Kind::Function, radio, code, function, ok, at}; }
Step Expire(int64_t now, int32_t changedRadio) { return {Kind::Expire, changedRadio, 0, now}; }
Step Deadline(int64_t expected) { return {Kind::Deadline, 0, 0, expected}; }  // -1: none
// clang-format on

// What a row looks at afterwards: the antennas, one digit each (0 Unavailable, 1 Available,
// 2 Selected) for radio 1 TX, radio 1 RX and radio 2 TX; the functions' states of radio 1,
// their highlights and the states of radio 2; or radio 1's long names.
enum class Probe { Antennas, Functions, Names };

struct Row {
    const char* name;
    std::vector<Step> steps;
    const char* after;
    Probe probe = Probe::Antennas;
};

std::string Look(const StationState& state, Probe probe) {
    const RadioView one = state.View(1), two = state.View(2);
    std::string text;
    for (const auto* view : {&one, &one, &two}) {
        const bool first = text.empty(), second = !first && view == &one;
        text += first ? "" : " ";
        if (probe == Probe::Antennas) {
            for (const AntennaView& a : view->antennas) {
                text += static_cast<char>('0' + (second ? a.rx : a.tx));
            }
        } else {
            for (const FunctionView& f : view->functions) {
                text += static_cast<char>('0' + (second ? f.highlight : f.state));
            }
        }
    }
    return probe == Probe::Names ? one.txLongName + "|" + one.rxLongName : text;
}

// Radio 1 (14025 kHz) and radio 2 (14100 kHz) cover antennas 2 to 6; 5 is receive-only.
const char* const Untouched = "011101 011111 011101";
// Function 2 is momentary; 1 is plain, 3 alternate.
const char* const AllOff = "111 000 111";
constexpr int64_t Due = 1000 + StationState::MomentaryMs;
// clang-format off
const Row kRows[] = {
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
    {"LockedAntennaRefused", {Tx(2, 1, 2), Tx(1, 1, 2, No), Tx(1, 3, 2, No)}, "001101 011111 021101"},
    {"ReceiveIsShared", {Tx(2, 1, 2), Rx(1, 1, 2)}, "001101 021111 021101"},
    {"LockFollowsTheOtherRadio", {Tx(2, 1, 2), Tx(2, 1, 3)}, "010101 011111 012101"},
    {"RelativeSelectsTheNthCovering", {Tx(1, 5, 0), Rx(1, 5, 1)}, "021101 012111 001101"},
    {"RelativeReachesReceiveOnlyOnRx", {Rx(1, 5, 3)}, "011101 011121 011101"},
    {"RelativeReceiveOnlyRefusedOnTx", {Tx(1, 5, 3, No)}, Untouched},
    {"RelativeOutOfRangeRefused", {Tx(1, 5, 5, No), Tx(1, 5, -1, No), Tx(1, 5, Max, No), Tx(1, 5, Min, No)}, Untouched},
    {"NextFromNothingTakesTheFirst", {Tx(1, 6, 0)}, "021101 011111 001101"},
    {"NextStepsOn", {Tx(1, 6, 0), Tx(1, 6, 0)}, "012101 011111 010101"},
    {"NextSkipsReceiveOnlyOnTx", {Tx(1, 1, 4), Tx(1, 6, 0)}, "011102 011111 011100"},
    {"NextIncludesReceiveOnlyOnRx", {Rx(1, 1, 4), Rx(1, 6, 0)}, "011101 011121 011101"},
    {"NextWrapsRound", {Tx(1, 1, 6), Tx(1, 6, 0)}, "021101 011111 001101"},
    {"PreviousFromNothingTakesTheLast", {Tx(1, 7, 0)}, "011102 011111 011100"},
    {"PreviousWrapsRound", {Rx(1, 1, 2), Rx(1, 7, 0)}, "011101 011112 011101"},
    {"NextSkipsLockedAntennas", {Tx(2, 1, 3), Tx(1, 1, 2), Tx(1, 6, 0)}, "010201 011111 012001"},
    {"NextStepsFromTheFirstSelected", {Rx(1, 1, 3), Rx(1, 3, 6), Rx(1, 6, 0)}, "011101 011211 011101"},
    {"FrequencyChangeDropsWhatNoLongerCovers", {Tx(1, 1, 3), Rx(1, 1, 2), Freq(1, 21200)}, "002000 001000 010101"},
    {"FrequencyChangeReleasesTheLock", {Tx(2, 1, 2), Freq(2, 3525)}, "011101 011111 100100"},
    {"FrequencyOutsideEveryBand", {Tx(1, 1, 2), Freq(1, 50000)}, "000000 000000 011101"},
    {"ExtremeFrequencies", {Freq(1, Min), Freq(2, Max)}, "000000 000000 000000"},
    {"LongNamesStartEmpty", {}, "|", Probe::Names},
    {"LongNamesJoinTheSelectionInStationOrder", {Tx(1, 1, 3), Rx(1, 1, 6), Rx(1, 3, 5)}, "Tri long|Bev long + Stack long", Probe::Names},
    // Function codes: 1 on, 2 off, 3 toggles an alternate function's highlight.
    {"FunctionsStartAvailable", {Deadline(-1)}, AllOff, Probe::Functions},
    {"FunctionCode1SwitchesOn", {Fn(1, 1, 1), Deadline(-1)}, "211 000 111", Probe::Functions},
    {"FunctionCode2SwitchesOff", {Fn(1, 1, 1), Fn(1, 1, 2)}, AllOff, Probe::Functions},
    {"FunctionCode3TogglesTheAlternateMode", {Fn(1, 3, 3)}, "111 001 111", Probe::Functions},
    {"FunctionCode3TwiceTogglesBack", {Fn(1, 3, 3), Fn(1, 3, 3)}, AllOff, Probe::Functions},
    {"FunctionCode3RefusedWithoutAlternate", {Fn(1, 1, 3, No)}, AllOff, Probe::Functions},
    {"UnknownFunctionCodeAndRadioRefused", {Fn(1, 9, 1, No), Fn(1, 1, 0, No), Fn(1, 1, 4, No), Fn(5, 1, 1, No)}, AllOff, Probe::Functions},
    {"EachRadioHasItsOwnFunctions", {Fn(2, 1, 1), Fn(2, 3, 3)}, "111 000 211", Probe::Functions},
    {"MomentaryStaysOnUntilItsTime", {Fn(1, 2, 1, true, 1000), Deadline(Due), Expire(Due - 1, 0)}, "121 000 111", Probe::Functions},
    {"MomentaryFallsBackAtItsTime", {Fn(1, 2, 1, true, 1000), Expire(Due, 1), Deadline(-1)}, AllOff, Probe::Functions},
    {"MomentarySwitchedOffFirstHasNoTime", {Fn(1, 2, 1, true, 1000), Fn(1, 2, 2, true, 1010), Deadline(-1), Expire(100000, 0)}, AllOff, Probe::Functions},
};
// clang-format on

TEST(StationState, Rules) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        StationState state(TestStation());
        for (const Step& s : row.steps) {
            const Side side = s.kind == Kind::Tx ? Side::Tx : Side::Rx;
            const int32_t value = static_cast<int32_t>(s.value);
            std::string refused;
            if (s.kind == Kind::Expire) {
                EXPECT_EQ(state.ExpireMomentary(s.value),
                          s.radio ? std::vector<int32_t>{s.radio} : std::vector<int32_t>{});
            } else if (s.kind == Kind::Deadline) {
                EXPECT_EQ(state.NextDeadline().value_or(-1), s.value);
            } else if (s.kind == Kind::Freq) {
                refused = state.RequestFrequency(s.radio, value);
            } else if (s.kind == Kind::Function) {
                refused = state.RequestFunction(s.radio, value, s.code, s.at);
            } else {
                refused = state.RequestAntenna(s.radio, side, s.code, value);
            }
            EXPECT_EQ(refused.empty(), s.ok) << "refusal: " << refused;
        }
        EXPECT_EQ(Look(state, row.probe), row.after);
    }
}

TEST(StationState, RadiosComeFromTheFileAndFromHello) {
    StationState state(TestStation());
    EXPECT_EQ(state.Radios(), (std::vector<int32_t>{1, 2}));
    EXPECT_FALSE(state.HasRadio(9));
    EXPECT_TRUE(state.AddRadio(9));
    EXPECT_EQ(state.Frequency(9), 1800);  // the station's lower frequency
    EXPECT_EQ(state.Frequency(1), 14025);
    EXPECT_EQ(state.RequestAntenna(9, Side::Rx, 1, 1).empty(), false);  // 1800 kHz: no band
    for (int32_t radio = 10; state.Radios().size() < StationState::MaxRadios; ++radio) {
        EXPECT_TRUE(state.AddRadio(radio));
    }
    EXPECT_FALSE(state.AddRadio(1000));
    EXPECT_TRUE(state.AddRadio(9));  // known radios are always fine
}

}  // namespace
