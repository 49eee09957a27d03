// Every text the four handlers report, word for word, and what each leaves behind.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

using Strings = std::vector<std::string>;

enum class Handler { Configuration, State, Rotators, Rotation };

struct ReportRow {
    const char* behaviour;
    Handler handler;
    const char* parameters;
    Strings expected;
};

const ReportRow kRows[] = {
    {"configuration: empty object",
     Handler::Configuration,
     "{}",
     {"Message parameters are empty or unreadable"}},
    {"configuration: a scalar",
     Handler::Configuration,
     "12",
     {"Message parameters are empty or unreadable"}},
    {"configuration: an array with elements",
     Handler::Configuration,
     "[1]",
     {"Message parameters are not an object"}},
    {"configuration: antennas not an array",
     Handler::Configuration,
     R"({"Antennas":{"a":1}})",
     {"Configuration antennas parameters are not an object"}},
    {"configuration: functions not an array",
     Handler::Configuration,
     R"({"Functions":"x"})",
     {"Configuration functions parameters are not an object"}},
    {"configuration: an antenna's description not an array",
     Handler::Configuration,
     R"({"Antennas":[{"Description":{"Rotator":1}},{"Description":null}]})",
     {"Configuration antenna description parameters are not an object",
      "Configuration antenna description parameters are not an object"}},
    {"configuration: member names are case-sensitive",
     Handler::Configuration,
     R"({"antennas":5,"FUNCTIONS":5})",
     {}},
    {"state: empty object", Handler::State, "{}", {"Message parameters are empty or unreadable"}},
    {"state: an array with elements",
     Handler::State,
     "[{}]",
     {"Message parameters are not an object"}},
    {"state: antennas not an array",
     Handler::State,
     R"({"Antennas":5,"Functions":5})",
     {"Message parameters are not an object"}},
    {"state: an antenna element not an object",
     Handler::State,
     R"({"Antennas":[{},5,6]})",
     {"Antenna parameters are not an object"}},
    {"state: functions not an array",
     Handler::State,
     R"({"Functions":{}})",
     {"Function parameters are not an object"}},
    {"state: a function element not an object",
     Handler::State,
     R"({"Functions":[[1]]})",
     {"Function child parameters are not an object"}},
    {"rotators: empty object",
     Handler::Rotators,
     "{}",
     {"Message parameters are empty or unreadable"}},
    {"rotators: an array with elements",
     Handler::Rotators,
     R"([{"Rotator":1}])",
     {"Rotator parameters are not an object"}},
    {"rotators: not an array",
     Handler::Rotators,
     R"({"Rotators":{"Rotator":1}})",
     {"Rotators parameters are not an array"}},
    {"rotators: an element not an object",
     Handler::Rotators,
     R"({"Rotators":[true]})",
     {"Rotators array member is not an object"}},
    {"rotation: empty object",
     Handler::Rotation,
     "{}",
     {"Rotation parameters are empty or unreadable"}},
    {"rotation: null", Handler::Rotation, "null", {"Rotation parameters are empty or unreadable"}},
    {"rotation: an array with elements",
     Handler::Rotation,
     R"(["Rotator",1])",
     {"Rotation parameters are not an object"}},
};

TEST_F(StationTest, ReportedTextsTable) {
    for (const ReportRow& row : kRows) {
        reports.texts.clear();
        const std::string json = row.parameters;
        switch (row.handler) {
            case Handler::Configuration:
                Configure(json);
                break;
            case Handler::State:
                State(json);
                break;
            case Handler::Rotators:
                Rotators(json);
                break;
            case Handler::Rotation:
                Rotation(json);
                break;
        }
        EXPECT_EQ(reports.texts, row.expected) << row.behaviour;
        EXPECT_TRUE(SlotsValid()) << row.behaviour;
    }
    EXPECT_TRUE(station.rotators().empty());
}

// What a stop leaves: the entries before it stay, the long-name lines are not written.
TEST_F(StationTest, StateStopsLeaveLinesAlone) {
    State(R"({"TXLongName":"Kept"})");
    for (const char* stop :
         {R"({"TXLongName":"New","Antennas":5})", R"({"TXLongName":"New","Functions":[7]})",
          R"({"TXLongName":"New","Antennas":["a"]})"}) {
        State(stop);
        EXPECT_EQ(view.txLine, "    Kept") << stop;
    }
}

TEST_F(StationTest, RotatorsStopKeepsEarlierElements) {
    Rotators(R"({"Rotators":[{"Rotator":1},{"Rotator":2},"three",{"Rotator":4}]})");
    EXPECT_EQ(reports.texts, Strings{"Rotators array member is not an object"});
    EXPECT_EQ(station.rotators().size(), 2u);
}

}  // namespace
