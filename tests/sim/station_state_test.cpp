// The station's switching rules, without sockets.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "keva-sim/station_file.h"
#include "keva-sim/station_state.h"

namespace {

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

// Steps, each refused when it ends in '!': Tradio,code,antenna and Rradio,code,antenna ask for
// an antenna, Fradio,kHz for a frequency, Nradio,function,code[,time] for a function; Enow,radio
// expects the momentary functions to expire for that radio (0: none), Dtime the next deadline
// (-1: none).
// What a row looks at afterwards: the antennas, one digit each (0 Unavailable, 1 Available,
// 2 Selected) for radio 1 TX, radio 1 RX and radio 2 TX; the functions' states of radio 1,
// their highlights and the states of radio 2; or radio 1's long names.
enum class Probe { Antennas, Functions, Names };

struct Row {
    const char* name;
    const char* steps;
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
// clang-format off
const Row kRows[] = {
    {"Code4RemovesIt", "R1,1,2 R1,3,5 R1,4,5", "011101 021111 011101"},
    {"Code4RefusedWhenNotSelected", "R1,4,5!", Untouched},
    {"UnknownAntennaRefused", "T1,1,99! T1,1,-1!", Untouched},
    {"UnknownCodesRefused", "T1,0,2! T1,8,2! T1,-5,2!", Untouched},
    {"UnknownRadioRefused", "T7,1,2!", Untouched},
    {"TransmitLocksOutOtherRadios", "T2,1,2", "001101 011111 021101"},
    {"LockedAntennaRefused", "T2,1,2 T1,1,2! T1,3,2!", "001101 011111 021101"},
    {"ReceiveIsShared", "T2,1,2 R1,1,2", "001101 021111 021101"},
    {"LockFollowsTheOtherRadio", "T2,1,2 T2,1,3", "010101 011111 012101"},
    {"RelativeSelectsTheNthCovering", "T1,5,0 R1,5,1", "021101 012111 001101"},
    {"RelativeReachesReceiveOnlyOnRx", "R1,5,3", "011101 011121 011101"},
    {"RelativeReceiveOnlyRefusedOnTx", "T1,5,3!", Untouched},
    {"RelativeOutOfRangeRefused", "T1,5,5! T1,5,-1! T1,5,2147483647! T1,5,-2147483648!", Untouched},
    {"NextFromNothingTakesTheFirst", "T1,6,0", "021101 011111 001101"},
    {"NextStepsOn", "T1,6,0 T1,6,0", "012101 011111 010101"},
    {"NextSkipsReceiveOnlyOnTx", "T1,1,4 T1,6,0", "011102 011111 011100"},
    {"NextIncludesReceiveOnlyOnRx", "R1,1,4 R1,6,0", "011101 011121 011101"},
    {"NextWrapsRound", "T1,1,6 T1,6,0", "021101 011111 001101"},
    {"PreviousFromNothingTakesTheLast", "T1,7,0", "011102 011111 011100"},
    {"PreviousWrapsRound", "R1,1,2 R1,7,0", "011101 011112 011101"},
    {"NextSkipsLockedAntennas", "T2,1,3 T1,1,2 T1,6,0", "010201 011111 012001"},
    {"NextStepsFromTheFirstSelected", "R1,1,3 R1,3,6 R1,6,0", "011101 011211 011101"},
    {"FrequencyChangeDropsWhatNoLongerCovers", "T1,1,3 R1,1,2 F1,21200", "002000 001000 010101"},
    {"FrequencyChangeReleasesTheLock", "T2,1,2 F2,3525", "011101 011111 100100"},
    {"FrequencyOutsideEveryBand", "T1,1,2 F1,50000", "000000 000000 011101"},
    {"ExtremeFrequencies", "F1,-2147483648 F2,2147483647", "000000 000000 000000"},
    {"LongNamesJoinTheSelectionInStationOrder", "T1,1,3 R1,1,6 R1,3,5", "Tri long|Bev long + Stack long", Probe::Names},
    // Function codes: 1 on, 2 off, 3 toggles an alternate function's highlight.
    {"FunctionCode3RefusedWithoutAlternate", "N1,1,3!", AllOff, Probe::Functions},
    {"UnknownFunctionCodeAndRadioRefused", "N1,9,1! N1,1,0! N1,1,4! N5,1,1!", AllOff, Probe::Functions},
    {"EachRadioHasItsOwnFunctions", "N2,1,1 N2,3,3", "111 000 211", Probe::Functions},
    {"MomentaryStaysOnUntilItsTime", "N1,2,1,1000 D1300 E1299,0", "121 000 111", Probe::Functions},
    {"MomentaryFallsBackAtItsTime", "N1,2,1,1000 E1300,1 D-1", AllOff, Probe::Functions},
    {"MomentarySwitchedOffFirstHasNoTime", "N1,2,1,1000 N1,2,2,1010 D-1 E100000,0", AllOff, Probe::Functions},
};
// clang-format on

TEST(StationState, Rules) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        StationState state(TestStation());
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            SCOPED_TRACE(step);
            std::istringstream in(step.substr(1));
            int64_t n[4] = {0, 0, 0, 0};
            for (int64_t& x : n) {
                in >> x;
                in.ignore();
            }
            const auto radio = static_cast<int32_t>(n[0]), a = static_cast<int32_t>(n[1]),
                       b = static_cast<int32_t>(n[2]);
            std::string refused;
            if (step[0] == 'E') {
                EXPECT_EQ(state.ExpireMomentary(n[0]), a ? std::vector{a} : std::vector<int32_t>{});
            } else if (step[0] == 'D') {
                EXPECT_EQ(state.NextDeadline().value_or(-1), n[0]);
            } else if (step[0] == 'F') {
                refused = state.RequestFrequency(radio, a);
            } else if (step[0] == 'N') {
                refused = state.RequestFunction(radio, a, b, n[3]);
            } else {
                refused = state.RequestAntenna(radio, step[0] == 'T' ? Side::Tx : Side::Rx, a, b);
            }
            EXPECT_EQ(refused.empty(), step.back() != '!') << refused;
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
