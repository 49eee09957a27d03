// What keva-sim reads from outside: the console's requests, byte for byte as it sends them, read
// into typed requests; and its command line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "json/json_reader.h"
#include "json/report.h"
#include "keva-sim/request_reader.h"
#include "keva-sim/sim_options.h"

namespace {

// clang-format off
const struct {
    const char *name, *text, *summary;
} requestRows[] = {
    {"ConsoleHello", R"({   "Message" : "Hello",    "Sequence" : 1,    "Version": 1,    "Parameters" : {       "Protocol" : "KEVA",        "Name" : "Windows Client",        "Bidirectional" : true,        "Radios": [            {"Station" : 3, "Radio" : 2}        ],        "Rows" : 5,        "Columns" : 3    }})", "Hello for station 3 radio 2"},
    {"AntennaBothSides", R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 2, "Antennas" : [ {"TX" : 2, "Antenna" : 7 },  {"RX" : 2, "Antenna" : 7 } ] } })", "Antenna for station 1 radio 2: TX 2 on antenna 7, RX 2 on antenna 7"},
    {"AntennaNoEntries", R"({"Message" : "Antenna", "Sequence" : 2, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Antennas" : [ ] } })", "ignored \"Antenna\" names no side with an antenna"},
    {"Function", R"({"Message" : "Function", "Sequence" : 3, "Version": 1, "Parameters" : {"Station" : 1, "Radio" : 1, "Function" : 2, "State" : 1} })", "Function for station 1 radio 1: function 2 state 1"},
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
    for (const auto& row : requestRows) {
        std::string summary = "(no document)";
        JsonReader reader(
            [&summary](const JsonNode* root) { summary = DescribeRequest(ReadRequest(root)); });
        EXPECT_EQ(reader.Feed(row.text, std::strlen(row.text)), JsonStatus::NeedMore) << row.name;
        EXPECT_EQ(summary, row.summary) << row.name;
    }
}

// clang-format off
const struct {
    const char* name;
    std::vector<std::string> arguments;
    const char* result;  // the error, or the options kept
} optionRows[] = {
    {"EveryValueIsKept", {"--listen", "::1", "--port", "0", "--station", "x.json", "--log", "--chunk", "3", "--close-after", "0", "--bad-byte-after", "5", "--port", "65535"}, "::1 port 65535 station 'x.json' log 1 help 0 chunk 3 close 0 bad 5"},
    {"Help", {"-h"}, "127.0.0.1 port 12059 station '' log 0 help 1 chunk 0 close - bad -"},
    {"StrayWord", {"station.json"}, "unknown option station.json (see --help)"},
    {"MissingValue", {"--port"}, "--port needs a value"},
    {"PortNegative", {"--port", "-1"}, "--port needs a number from 0 to 65535, not -1"},
    {"PortHuge", {"--port", "99999999999999999999999"}, "--port needs a number from 0 to 65535, not 99999999999999999999999"},
    {"ChunkZero", {"--chunk", "0"}, "--chunk needs a number from 1 to 1000000000, not 0"},
    {"CloseAfterText", {"--close-after", "x"}, "--close-after needs a number from 0 to 1000000000, not x"},
    {"BadByteAfterTooMany", {"--bad-byte-after", "1000000001"}, "--bad-byte-after needs a number from 0 to 1000000000, not 1000000001"},
};
// clang-format on

TEST(SimOptions, Parse) {
    auto number = [](const auto& n) { return n ? std::to_string(*n) : std::string("-"); };
    for (const auto& row : optionRows) {
        SimOptions o;
        std::string error;
        const bool ok = ParseSimOptions(row.arguments, o, error);
        EXPECT_EQ(ok, error.empty()) << row.name;
        EXPECT_EQ(ok ? o.listenAddress + " port " + std::to_string(o.port) + " station '" +
                           o.stationFile + "' log " + std::to_string(o.log) + " help " +
                           std::to_string(o.help) + " chunk " + std::to_string(o.chunkBytes) +
                           " close " + number(o.closeAfter) + " bad " + number(o.badByteAfter)
                     : error,
                  row.result)
            << row.name;
    }
    for (const char* option : {"--listen", "--port", "--station", "--log", "--help", "--chunk",
                               "--close-after", "--bad-byte-after"}) {
        EXPECT_NE(SimHelpText().find(option), std::string::npos) << option;
    }
}

}  // namespace
