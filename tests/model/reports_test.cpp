// Every text the four handlers report, word for word, and what each leaves behind.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

enum class Handler { Configuration, State, Rotators, Rotation };
using enum Handler;

struct ReportRow {
    const char* behaviour;
    Handler handler;
    const char* parameters;
    const char* text;  // reported `times` times
    int times = 1;
};

const char* const kUnreadable = "Message parameters are empty or unreadable";
const char* const kNotObject = "Message parameters are not an object";
const char* const kDescription = "Configuration antenna description parameters are not an object";

const ReportRow kRows[] = {
    {"configuration: empty object", Configuration, "{}", kUnreadable},
    {"configuration: a scalar", Configuration, "12", kUnreadable},
    {"configuration: an array with elements", Configuration, "[1]", kNotObject},
    {"configuration: antennas not an array", Configuration, R"({"Antennas":{"a":1}})",
     "Configuration antennas parameters are not an object"},
    {"configuration: functions not an array", Configuration, R"({"Functions":"x"})",
     "Configuration functions parameters are not an object"},
    {"configuration: an antenna's description not an array", Configuration,
     R"({"Antennas":[{"Description":{"Rotator":1}},{"Description":null}]})", kDescription, 2},
    {"configuration: member names are case-sensitive", Configuration,
     R"({"antennas":5,"FUNCTIONS":5})", "", 0},
    {"state: empty object", State, "{}", kUnreadable},
    {"state: an array with elements", State, "[{}]", kNotObject},
    {"state: antennas not an array", State, R"({"Antennas":5,"Functions":5})", kNotObject},
    {"state: an antenna element not an object", State, R"({"Antennas":[{},5,6]})",
     "Antenna parameters are not an object"},
    {"state: functions not an array", State, R"({"Functions":{}})",
     "Function parameters are not an object"},
    {"state: a function element not an object", State, R"({"Functions":[[1]]})",
     "Function child parameters are not an object"},
    {"rotators: empty object", Rotators, "{}", kUnreadable},
    {"rotators: an array with elements", Rotators, R"([{"Rotator":1}])",
     "Rotator parameters are not an object"},
    {"rotators: not an array", Rotators, R"({"Rotators":{"Rotator":1}})",
     "Rotators parameters are not an array"},
    {"rotators: an element not an object stops after the elements before it", Rotators,
     R"({"Rotators":[{"Rotator":1},{"Rotator":2},true,{"Rotator":4}]})",
     "Rotators array member is not an object"},
    {"rotation: empty object", Rotation, "{}", "Rotation parameters are empty or unreadable"},
    {"rotation: null", Rotation, "null", "Rotation parameters are empty or unreadable"},
    {"rotation: an array with elements", Rotation, R"(["Rotator",1])",
     "Rotation parameters are not an object"},
};

TEST_F(StationTest, ReportedTextsTable) {
    const auto handle = std::array{&StationTest::Configure, &StationTest::State,
                                   &StationTest::Rotators, &StationTest::Rotation};
    for (const ReportRow& row : kRows) {
        SCOPED_TRACE(row.behaviour);
        reports.texts.clear();
        (this->*handle[static_cast<int>(row.handler)])(row.parameters);
        EXPECT_EQ(reports.texts, Strings(row.times, row.text));
        EXPECT_TRUE(SlotsValid());
    }
    EXPECT_EQ(station.rotators().size(), 2u) << "only the two before the stop";
}

}  // namespace
