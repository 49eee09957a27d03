// keva-sim without sockets: its station file, switching rules, rotators, requests and options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "json/json_reader.h"
#include "keva-sim/request_reader.h"
#include "keva-sim/rotator_motion.h"
#include "keva-sim/sim_options.h"
#include "keva-sim/station_file.h"
#include "keva-sim/station_state.h"
#include "model/rotator.h"

namespace {

TEST(StationFile, Loads) {
    StationDescription s;
    std::string error;
    ASSERT_TRUE(LoadStationFile(std::string(KEVA_SOURCE_DIR) + "/examples/station.json", s, error))
        << error;
    EXPECT_EQ(std::tie(s.station, s.lowerFrequency, s.upperFrequency), std::tuple(1, 1800, 29700));
    for (int32_t khz : {1830, 3525, 7025, 10110, 14025, 18080, 21025, 24900, 28025})
        EXPECT_TRUE(std::ranges::any_of(s.antennas, [=](auto& a) { return a.Covers(khz); })) << khz;
    ASSERT_EQ(s.rotators.size(), 2u);
    EXPECT_EQ(std::tie(s.rotators[0].ccwLimit, s.rotators[0].rotation, s.rotators[0].hasStop,
                       s.rotators[1].hasStop),
              std::tuple(180, 450, true, false));
    // A file's optional members take their defaults.
    const char* defaults =
        R"({"LowerFrequency": 1800, "UpperFrequency": 2000, "Antennas": [{"Antenna": 0,
        "ShortName": "A", "Bands": [[1800, 2000]]}], "Rotators": [{"Rotator": 3, "ShortName": "R", "CCWLimit": 90, "Rotation": 360}]})";
    ASSERT_TRUE(ParseStation(defaults, s, error)) << error;
    const auto& [a, r] = std::tie(s.antennas.at(0), s.rotators.at(0));  // throws when missing
    EXPECT_EQ(std::tuple(s.station, a.longName, a.row, a.column, a.additive, r.startBearing,
                         r.speed, r.hasStop, s.functions.size()),
              std::tuple(1, "A", -1, -1, false, 90, 6, false, 0u));
}

// Radios 1 (14025 kHz) and 2 (14100 kHz) cover antennas 2 to 6; 5 is additive and receive-only,
// 6 additive. Functions 1 plain, 2 momentary, 3 alternate.
const char* const TestStation =
    R"({"LowerFrequency": 1800, "UpperFrequency": 29700, "Radios": [{"Radio": 1, "Frequency": 14025}, {"Radio": 2, "Frequency": 14100}],
  "Antennas": [{"Antenna": 1, "ShortName": "Low", "Bands": [[3500, 4000]]}, {"Antenna": 2, "ShortName": "Yagi", "Bands": [[14000, 14350]]},
    {"Antenna": 3, "ShortName": "Tri", "LongName": "Tri long", "Bands": [[14000, 14350], [21000, 21450]]},)"
    R"( {"Antenna": 4, "ShortName": "Vert", "Bands": [[3500, 4000], [14000, 14350]]},
    {"Antenna": 5, "ShortName": "Bev", "LongName": "Bev long", "Bands": [[3500, 4000], [14000, 14350]], "Additive": true, "ReceiveOnly": true},
    {"Antenna": 6, "ShortName": "Stack", "LongName": "Stack long", "Bands": [[14000, 14350]], "Additive": true}],
  "Functions": [{"Function": 1, "ShortName": "F"}, {"Function": 2, "ShortName": "M", "Momentary": true}, {"Function": 3, "ShortName": "A", "Alternate": true}]})";

// Steps (refused when ending in '!'): T|Rradio,code,antenna, Fradio,kHz, Nradio,function,code,time
// (1 on, 2 off, 3 toggles a highlight); Enow,radio: momentaries expire (0: none); Dtime: next
// deadline (-1: none). Then antennas (0 Unavailable, 1 Available, 2 Selected) of radio 1 TX, RX,
// radio 2 TX; functions of radio 1, its highlights, radio 2's functions; radio 1's long names.
#define UNTOUCHED "011101 011111 011101 "
#define ALL_OFF "111 000 111 |"
// clang-format off
const struct { const char *name, *steps, *after; } stateRows[] = {
    {"Code4RemovesIt", "R1,1,2 R1,3,5 R1,4,5", "011101 021111 011101 111 000 111 |Yagi"},
    {"Code4RefusedWhenNotSelected", "R1,4,5!", UNTOUCHED ALL_OFF},
    {"UnknownAntennaRefused", "T1,1,99! T1,1,-1!", UNTOUCHED ALL_OFF},
    {"UnknownCodesRefused", "T1,0,2! T1,8,2! T1,-5,2!", UNTOUCHED ALL_OFF},
    {"UnknownRadioRefused", "T7,1,2!", UNTOUCHED ALL_OFF},
    {"UncoveredAntennaRefused", "T1,1,1! R1,1,1!", UNTOUCHED ALL_OFF},
    {"LockedAntennaRefused", "T2,1,2 T1,1,2! T1,3,2!", "001101 011111 021101 " ALL_OFF},
    {"ReceiveIsShared", "T2,1,2 R1,1,2", "001101 021111 021101 111 000 111 |Yagi"},
    {"LockFollowsTheOtherRadio", "T2,1,2 T2,1,3", "010101 011111 012101 " ALL_OFF},
    {"RelativeSelectsTheNthCovering", "T1,5,0 R1,5,1", "021101 012111 001101 111 000 111 Yagi|Tri long"},
    {"RelativeReachesReceiveOnlyOnRx", "R1,5,3", "011101 011121 011101 111 000 111 |Bev long"},
    {"RelativeReceiveOnlyRefusedOnTx", "T1,5,3!", UNTOUCHED ALL_OFF},
    {"RelativeOutOfRangeRefused", "T1,5,5! T1,5,-1! T1,5,2147483647! T1,5,-2147483648!", UNTOUCHED ALL_OFF},
    {"NextStepsOn", "T1,6,0 T1,6,0", "012101 011111 010101 111 000 111 Tri long|"},
    {"NextSkipsReceiveOnlyOnTx", "T1,1,4 T1,6,0", "011102 011111 011100 111 000 111 Stack long|"},
    {"NextWrapsRound", "T1,1,6 T1,6,0", "021101 011111 001101 111 000 111 Yagi|"},
    {"PreviousWrapsRound", "R1,1,2 R1,7,0", "011101 011112 011101 111 000 111 |Stack long"},
    {"NextSkipsLockedAntennas", "T2,1,3 T1,1,2 T1,6,0", "010201 011111 012001 111 000 111 Vert|"},
    {"NextStepsFromTheFirstSelected", "R1,1,3 R1,3,6 R1,6,0", "011101 011211 011101 111 000 111 |Vert"},
    {"FrequencyChangeDropsWhatNoLongerCovers", "T1,1,3 R1,1,2 F1,21200", "002000 001000 010101 111 000 111 Tri long|"},
    {"FrequencyChangeReleasesTheLock", "T2,1,2 F2,3525", "011101 011111 100100 " ALL_OFF},
    {"ExtremeFrequencies", "F1,-2147483648 F2,2147483647", "000000 000000 000000 " ALL_OFF},
    {"LongNamesJoinTheSelectionInStationOrder", "T1,1,3 R1,1,6 R1,3,5", "012101 011122 010101 111 000 111 Tri long|Bev long + Stack long"},
    {"FunctionCode3RefusedWithoutAlternate", "N1,1,3!", UNTOUCHED ALL_OFF},
    {"UnknownFunctionCodeAndRadioRefused", "N1,9,1! N1,1,0! N1,1,4! N5,1,1!", UNTOUCHED ALL_OFF},
    {"EachRadioHasItsOwnFunctions", "N2,1,1 N2,3,3", UNTOUCHED "111 000 211 |"},
    {"MomentaryStaysOnUntilItsTime", "N1,2,1,1000 D1300 E1299,0", UNTOUCHED "121 000 111 |"},
    {"MomentaryFallsBackAtItsTime", "N1,2,1,1000 E1300,1 D-1", UNTOUCHED ALL_OFF},
    {"MomentarySwitchedOffFirstHasNoTime", "N1,2,1,1000 N1,2,2,1010 D-1 E100000,0", UNTOUCHED ALL_OFF},
};
// clang-format on

TEST(StationState, Rules) {
    StationDescription description;
    std::string error;
    ASSERT_TRUE(ParseStation(TestStation, description, error)) << error;
    for (const auto& row : stateRows) {
        SCOPED_TRACE(row.name);
        StationState state(description);
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            SCOPED_TRACE(step);
            long long n[4] = {0, 0, 0, 0};
            std::sscanf(step.c_str() + 1, "%lld,%lld,%lld,%lld", &n[0], &n[1], &n[2], &n[3]);
            const auto radio = int32_t(n[0]), a = int32_t(n[1]), b = int32_t(n[2]);
            std::string refused;
            if (step[0] == 'E')
                EXPECT_EQ(state.ExpireMomentary(n[0]), a ? std::vector{a} : std::vector<int32_t>{});
            else if (step[0] == 'D')
                EXPECT_EQ(state.NextDeadline().value_or(-1), n[0]);
            else if (step[0] == 'F')
                refused = state.RequestFrequency(radio, a);
            else if (step[0] == 'N')
                refused = state.RequestFunction(radio, a, b, n[3]);
            else
                refused = state.RequestAntenna(radio, step[0] == 'T' ? Side::Tx : Side::Rx, a, b);
            EXPECT_EQ(refused.empty(), step.back() != '!') << refused;
        }
        const RadioView views[] = {state.View(1), state.View(1), state.View(2)};
        std::string antennas, functions;
        for (int i = 0; i < 3; ++i) {
            for (const AntennaView& v : views[i].antennas)
                antennas += char('0' + (i == 1 ? v.rx : v.tx));
            for (const FunctionView& f : views[i].functions)
                functions += char('0' + (i == 1 ? f.highlight : f.state));
            antennas += ' ', functions += ' ';
        }
        EXPECT_EQ(antennas + functions + views[0].txLongName + "|" + views[0].rxLongName,
                  row.after);
    }

    // Radios come from the file and from Hello, up to MaxRadios.
    StationState state(description);
    EXPECT_TRUE(state.AddRadio(9));
    EXPECT_EQ(std::pair(state.Frequency(9), state.Frequency(1)), std::pair(1800, 14025));
    for (int32_t radio = 10; state.Radios().size() < StationState::MaxRadios; ++radio)
        EXPECT_TRUE(state.AddRadio(radio));
    EXPECT_FALSE(state.AddRadio(1000));
    EXPECT_TRUE(state.AddRadio(9));  // known radios are always fine
}

// Steps: Tn turns toward n (t: expected to stay still), S stops, Bn expects bearing n, Pn the
// report with Position n, +ms=offset moves on by ms and expects that offset (* while turning);
// Ooffset,bearing=target: the offset a turn from `offset` toward `bearing` aims at.
TEST(RotatorMotion, Moves) {
    // clang-format off
    const struct { const char* name; int32_t ccwLimit, rotation, startBearing; const char* steps; } rows[] = {
        {"TargetReachableOnce", 180, 450, 0, "O225,50=230"}, {"TargetAlreadyThere", 180, 450, 0, "O225,45=225"}, {"TwoOffsetsTieTakesTheLower", 180, 450, 0, "O200,200=20"},
        {"TwoOffsetsTakesTheLowerWhenNearer", 180, 450, 0, "O0,200=20"}, {"TwoOffsetsTakesTheUpperWhenNearer", 180, 450, 0, "O400,200=380"},
        {"BearingAbove360", 90, 360, 0, "O0,450=0"},
        {"FullCircleNorthFromNearTheEnd", 0, 360, 0, "O350,0=360"}, {"FullCircleNorthFromTheStart", 0, 360, 0, "O10,0=0"}, {"NegativeBearing", 0, 360, 0, "O0,-90=270"},
        {"UnreachableNearerTheClockwiseStop", 0, 270, 0, "O100,300=270"}, {"UnreachableNearerTheCounterClockwiseStop", 0, 270, 0, "O100,350=0"},
        {"UnreachableTieGoesCounterClockwise", 0, 270, 0, "O100,315=0"},
        {"SmallestBearing", 0, 360, 0, "O0,-2147483648=232"}, {"LargestBearing", 0, 360, 0, "O0,2147483647=127"},
        {"TurnsAtItsSpeedAndStopsAtTheTarget", 180, 450, 45, "P225 B45 T60 +1000=231* +500=234* +1500=240 B60 +1000=240"},
        {"TurnsCounterClockwiseInsideItsRange", 180, 450, 45, "T30 +1000=219* +10000=210"},
        {"StopHaltsWhereItIs", 180, 450, 45, "T135 +2000=237* S0 +5000=237"},
        {"StaysPutWithoutCause", 180, 450, 45, "t45 t1125 +0=225 T90 +0=225* +-1000=225* +-9223372036854775808=225*"},
        {"NeverLeavesItsRange", 0, 270, 100, "P100 T300 +9223372036854775807=270 T350 +9223372036854775807=0"},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RotatorMotion rotator({4, "", "", row.ccwLimit, row.rotation, true, 6, row.startBearing});
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            SCOPED_TRACE(step);
            long long n = 0, m = 0, target = 0;
            std::sscanf(step.c_str() + 1, "%lld%*[,=]%lld%*[,=]%lld", &n, &m, &target);
            if (step[0] == 'O') {
                EXPECT_EQ(TargetOffset(row.ccwLimit, row.rotation, n, m), target);
            } else if (step[0] == 'T' || step[0] == 't') {
                EXPECT_EQ(rotator.TurnToward(n), step[0] == 'T');
            } else if (step[0] == 'S') {
                rotator.Stop();
            } else if (step[0] == 'P') {
                EXPECT_EQ(rotator.Report(),
                          (RotationReport{4, row.ccwLimit, row.rotation, int32_t(n)}));
            } else if (step[0] == 'B') {
                EXPECT_EQ(rotator.Bearing(), n);
            } else {
                rotator.Advance(n);
                EXPECT_EQ(rotator.Offset(), m);
                EXPECT_EQ(rotator.Moving(), step.back() == '*');
            }
        }
    }
    // What keva-sim sends as "Position" must make the console's needle show the true bearing.
    for (int32_t ccwLimit : {0, 1, 90, 180, 270, 359}) {
        for (int32_t bearing = 0; bearing < 360; ++bearing) {
            ASSERT_EQ(RelativePosition(WirePosition(ccwLimit, bearing), ccwLimit), bearing)
                << "CCW limit " << ccwLimit;
        }
    }
}

#define HEAD R"({"LowerFrequency": 1800, "UpperFrequency": 29700, )"
#define ANT(extra) R"({"Antenna": 1, "ShortName": "A", "Bands": [[1800, 2000]])" extra "}"
// What keva-sim makes of what it reads: a station file (S: its one error line; the description
// is left as it was), a console's request (R: its summary), a command line (O: the error, or
// the options kept).
// clang-format off
const struct { const char* name; char kind; const char *text, *expected; } inputRows[] = {
    {"Unclosed", 'S', "{\"LowerFrequency\": 1", "station: the file holds no complete JSON object"},
    {"TwoObjects", 'S', "{} {}", "station: JSON: Found start of object after end of document"},
    {"NoAntennas", 'S', HEAD R"("Functions": []})", "station: \"Antennas\" is missing"},
    {"FrequencyText", 'S', R"({"LowerFrequency": "1800"})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"FrequencyFraction", 'S', R"({"LowerFrequency": 1800.5})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"FrequencyHuge", 'S', R"({"LowerFrequency": 99999999999999999999999999})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"RangeUpsideDown", 'S', R"({"LowerFrequency": 3000, "UpperFrequency": 2000, "Antennas": []})", "station: \"LowerFrequency\" is above \"UpperFrequency\""},
    {"UnknownMember", 'S', HEAD R"("Antennas": [], "Colour": 1})", "station: unknown member \"Colour\""},
    {"RepeatedMember", 'S', HEAD R"("Antennas": [], "Antennas": []})", "station: \"Antennas\" appears twice"},
    {"AntennaNotObject", 'S', HEAD R"("Antennas": [5]})", "Antennas[0]: must be an object"},
    {"AntennaWithoutBands", 'S', HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A"}]})", "Antennas[0]: \"Bands\" is missing"},
    {"AntennaNoBand", 'S', HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": []}]})", "Antennas[0]: \"Bands\" must name at least one band"},
    {"BandUpsideDown", 'S', HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": [[2000, 1800]]}]})",
        "Antennas[0]: each band must be [low, high] in kHz, low not above high"},
    {"BandOfThree", 'S', HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": [[1800, 1900, 2000]]}]})",
        "Antennas[0]: each band must be [low, high] in kHz, low not above high"},
    {"EmptyName", 'S', HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "", "Bands": [[1, 2]]}]})",
        "Antennas[0]: \"ShortName\" must be a non-empty string without control characters"},
    {"RowOffTheGrid", 'S', HEAD R"("Antennas": [)" ANT(R"(, "Row": 5)") "]}", "Antennas[0]: \"Row\" must be a whole number from -1 to 4"},
    {"FlagAsText", 'S', HEAD R"("Antennas": [)" ANT(R"(, "Additive": "yes")") "]}", "Antennas[0]: \"Additive\" must be true or false"},
    {"NegativeAntennaNumber", 'S', HEAD R"("Antennas": [{"Antenna": -1, "ShortName": "A", "Bands": [[1, 2]]}]})",
        "Antennas[0]: \"Antenna\" must be a whole number from 0 to 2147483646"},
    {"TwoAntennasOneNumber", 'S', HEAD R"("Antennas": [)" ANT("") "," ANT("") "]}", "station: two antennas are numbered 1"},
    {"UnknownRotator", 'S', HEAD R"("Antennas": [)" ANT(R"(, "Rotators": [2])") "]}", "station: antenna 1 names rotator 2, which the station does not have"},
    {"CcwLimitOfAFullCircle", 'S', HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 360, "Rotation": 360}]})",
        "Rotators[0]: \"CCWLimit\" must be a whole number from 0 to 359"},
    {"NoRotation", 'S', HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 0, "Rotation": 0}]})",
        "Rotators[0]: \"Rotation\" must be a whole number from 1 to 720"},
    {"StartOutsideTheRange", 'S', HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 0,)"
        R"( "Rotation": 270, "StartBearing": 300}]})", "Rotators[0]: \"StartBearing\" is outside the rotator's range"},
    {"FunctionUnknownMember", 'S', HEAD R"("Antennas": [], "Functions": [{"Function": 1, "ShortName": "F", "Additive": true}]})", "Functions[0]: unknown member \"Additive\""},
    {"RadioWithoutFrequency", 'S', HEAD R"("Antennas": [], "Radios": [{"Radio": 1}]})", "Radios[0]: \"Frequency\" is missing"},
    {"ConsoleHello", 'R', R"({   "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {       "Protocol" : "KEVA",)"
        R"(        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 3,)"
        R"( "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})", "Hello for station 3 radio 2"},
    {"AntennaBothSides", 'R', R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1,)"
        R"( "Radio" : 2, "Antennas" : [ {"TX" : 2, "Antenna" : 7 },  {"RX" : 2, "Antenna" : 7 } ] } })",
        "Antenna for station 1 radio 2: TX 2 on antenna 7, RX 2 on antenna 7"},
    {"AntennaNoEntries", 'R', R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1,)"
        R"( "Radio" : 1, "Antennas" : [ ] } })", "ignored \"Antenna\" names no side with an antenna"},
    {"Function", 'R', R"({"Message" : "Function", "Sequence" : 3, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1,)"
        R"( "Function" : 2, "State" : 1} })", "Function for station 1 radio 1: function 2 state 1"},
    {"DirectionStop", 'R', R"({"Message" : "Direction", "Sequence" : 6, "Version": 1, "Parameters" : {"Rotator" : 1, "Stop" : true} })", "Direction for rotator 1: stop"},
    {"HugeNumbersAreClamped", 'R', R"({"Message":"Direction","Parameters":{"Rotator":1,"Direction":-99999999999999999999}})", "Direction for rotator 1: turn to -2147483648"},
    {"LastMemberCounts", 'R', R"({"Message":"Radio","Parameters":{"Station":1,"Radio":1,"Frequency":1,"Frequency":2}})", "Radio for station 1 radio 1: 2 kHz"},
    {"UnknownMessage", 'R', R"({"Message":"Ping","Parameters":{}})", "ignored unknown message \"Ping\""},
    {"NoName", 'R', R"({"Parameters":{}})", "ignored a message without \"Message\""},
    {"NoParameters", 'R', R"({"Message":"Radio"})", "ignored \"Radio\" without \"Parameters\" object"},
    {"RequestRadioWithoutFrequency", 'R', R"({"Message":"Radio","Parameters":{"Station":1,"Radio":1}})", "ignored \"Radio\" without \"Station\", \"Radio\" or \"Frequency\""},
    {"DirectionWithoutBearing", 'R', R"({"Message":"Direction","Parameters":{"Rotator":1,"Stop":false}})", "ignored \"Direction\" without \"Direction\" or \"Stop\": true"},
    {"EveryValueIsKept", 'O', "--listen ::1 --port 0 --station x.json --log --chunk 3 --close-after 0 --bad-byte-after 5 --port 65535",
        "::1 port 65535 station 'x.json' log 1 help 0 chunk 3 close 0 bad 5"},
    {"Help", 'O', "-h", "127.0.0.1 port 12059 station '' log 0 help 1 chunk 0 close -1 bad -1"},
    {"StrayWord", 'O', "station.json", "unknown option station.json (see --help)"},
    {"MissingValue", 'O', "--port", "--port needs a value"},
    {"PortNegative", 'O', "--port -1", "--port needs a number from 0 to 65535, not -1"},
    {"PortHuge", 'O', "--port 99999999999999999999999", "--port needs a number from 0 to 65535, not 99999999999999999999999"},
    {"ChunkZero", 'O', "--chunk 0", "--chunk needs a number from 1 to 1000000000, not 0"},
    {"CloseAfterText", 'O', "--close-after x", "--close-after needs a number from 0 to 1000000000, not x"},
    {"BadByteAfterTooMany", 'O', "--bad-byte-after 1000000001", "--bad-byte-after needs a number from 0 to 1000000000, not 1000000001"},
};
// clang-format on

TEST(SimInputs, Read) {
    for (const auto& row : inputRows) {
        std::string out;
        if (row.kind == 'S') {
            StationDescription s;
            s.station = 77;
            EXPECT_FALSE(ParseStation(row.text, s, out)) << row.name;
            EXPECT_EQ(s.station, 77) << row.name;
        } else if (row.kind == 'R') {
            JsonReader reader(
                [&out](const JsonNode* root) { out = DescribeRequest(ReadRequest(root)); });
            EXPECT_EQ(reader.Feed(row.text, std::strlen(row.text)), JsonStatus::NeedMore)
                << row.name;
        } else {
            std::istringstream in(row.text);
            const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
            SimOptions o;
            std::ostringstream kept;
            const bool ok = ParseSimOptions(words, o, out);
            if (ok)
                kept << o.listenAddress << " port " << o.port << " station '" << o.stationFile
                     << "' log " << o.log << " help " << o.help << " chunk " << o.chunkBytes
                     << " close " << o.closeAfter.value_or(-1) << " bad "
                     << o.badByteAfter.value_or(-1);
            out += ok == out.empty() ? kept.str() : " (the result and the error disagree)";
        }
        EXPECT_EQ(out, row.expected) << row.name;
    }
    for (const char* option : {"--listen", "--port", "--station", "--log", "--help", "--chunk",
                               "--close-after", "--bad-byte-after"})
        EXPECT_NE(SimHelpText().find(option), std::string::npos) << option;
}

}  // namespace
