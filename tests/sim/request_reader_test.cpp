// The console's requests, byte for byte as it sends them, read into typed requests.
#include <gtest/gtest.h>

#include <string>

#include "json/json_reader.h"
#include "json/report.h"
#include "keva-sim/request_reader.h"

namespace {

std::string Read(const std::string& text) {
    std::string summary = "(no document)";
    JsonReader reader(
        [&summary](const JsonNode* root) { summary = DescribeRequest(ReadRequest(root)); });
    EXPECT_EQ(reader.Feed(text.data(), text.size()), JsonStatus::NeedMore);
    return summary;
}

struct RequestRow {
    const char* name;
    const char* text;
    const char* summary;
};

// clang-format off
const RequestRow requestRows[] = {
    {"ConsoleHello", R"({   "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {       "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 3, "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})", "Hello for station 3 radio 2"},
    {"AntennaBothSides", R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 2, "Antennas" : [ {"TX" : 2, "Antenna" : 7 },  {"RX" : 2, "Antenna" : 7 } ] } })", "Antenna for station 1 radio 2: TX 2 on antenna 7, RX 2 on antenna 7"},
    {"AntennaRxOnly", R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Antennas" : [ {"RX" : 4, "Antenna" : 10 } ] } })", "Antenna for station 1 radio 1: RX 4 on antenna 10"},
    {"AntennaNoEntries", R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Antennas" : [ ] } })", "ignored \"Antenna\" names no side with an antenna"},
    {"Function", R"({"Message" : "Function", "Sequence" : 3, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Function" : 2, "State" : 1} })", "Function for station 1 radio 1: function 2 state 1"},
    {"Radio", R"({"Message" : "Radio", "Sequence" : 4, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Frequency" : -7050} })", "Radio for station 1 radio 1: -7050 kHz"},
    {"DirectionTurn", R"({"Message" : "Direction", "Sequence" : 5, "Version": 1, "Parameters" : {"Rotator" : 1, "Direction" : 360} })", "Direction for rotator 1: turn to 360"},
    {"DirectionStop", R"({"Message" : "Direction", "Sequence" : 6, "Version": 1, "Parameters" : {"Rotator" : 1, "Stop" : true} })", "Direction for rotator 1: stop"},
    {"HugeNumbersAreClamped", R"({"Message":"Direction","Parameters":{"Rotator":1,"Direction":-99999999999999999999}})", "Direction for rotator 1: turn to -2147483648"},
    {"LastMemberCounts", R"({"Message":"Radio","Parameters":{"Station":1,"Radio":1,"Frequency":1,"Frequency":2}})", "Radio for station 1 radio 1: 2 kHz"},
    {"UnknownMessage", R"({"Message":"Ping","Parameters":{}})", "ignored unknown message \"Ping\""},
    {"NoName", R"({"Parameters":{}})", "ignored a message without \"Message\""},
    {"NoParameters", R"({"Message":"Radio"})", "ignored \"Radio\" without \"Parameters\" object"},
    {"RadioWithoutFrequency", R"({"Message":"Radio","Parameters":{"Station":1,"Radio":1}})", "ignored \"Radio\" without \"Station\", \"Radio\" or \"Frequency\""},
    {"DirectionWithoutBearing", R"({"Message":"Direction","Parameters":{"Rotator":1,"Stop":false}})", "ignored \"Direction\" without \"Direction\" or \"Stop\": true"},
};
// clang-format on

TEST(RequestReader, ConsoleRequests) {
    for (const RequestRow& row : requestRows) {
        EXPECT_EQ(Read(row.text), row.summary) << row.name;
    }
}

}  // namespace
