// keva-sim's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keva-sim/sim_options.h"

namespace {

struct OptionRow {
    const char* name;
    std::vector<std::string> arguments;
    const char* result;  // the error, or the options kept
};

std::string Kept(const SimOptions& o) {
    auto number = [](const auto& n) { return n ? std::to_string(*n) : std::string("-"); };
    return o.listenAddress + " port " + std::to_string(o.port) + " station '" + o.stationFile +
           "' log " + std::to_string(o.log) + " help " + std::to_string(o.help) + " chunk " +
           std::to_string(o.chunkBytes) + " close " + number(o.closeAfter) + " bad " +
           number(o.badByteAfter);
}

// clang-format off
const OptionRow optionRows[] = {
    {"DefaultsAreLoopbackAndNoFaults", {}, "127.0.0.1 port 12059 station '' log 0 help 0 chunk 0 close - bad -"},
    {"EveryValueIsKept", {"--listen", "::1", "--port", "0", "--station", "x.json", "--log", "--chunk", "3", "--close-after", "0", "--bad-byte-after", "5", "--port", "65535"}, "::1 port 65535 station 'x.json' log 1 help 0 chunk 3 close 0 bad 5"},
    {"Help", {"-h"}, "127.0.0.1 port 12059 station '' log 0 help 1 chunk 0 close - bad -"},
    {"UnknownOption", {"--verbose"}, "unknown option --verbose (see --help)"},
    {"StrayWord", {"station.json"}, "unknown option station.json (see --help)"},
    {"MissingValue", {"--port"}, "--port needs a value"},
    {"PortTooLarge", {"--port", "65536"}, "--port needs a number from 0 to 65535, not 65536"},
    {"PortNegative", {"--port", "-1"}, "--port needs a number from 0 to 65535, not -1"},
    {"PortWithLetters", {"--port", "12059x"}, "--port needs a number from 0 to 65535, not 12059x"},
    {"PortHuge", {"--port", "99999999999999999999999"}, "--port needs a number from 0 to 65535, not 99999999999999999999999"},
    {"ChunkZero", {"--chunk", "0"}, "--chunk needs a number from 1 to 1000000000, not 0"},
    {"CloseAfterText", {"--close-after", "x"}, "--close-after needs a number from 0 to 1000000000, not x"},
    {"BadByteAfterTooMany", {"--bad-byte-after", "1000000001"}, "--bad-byte-after needs a number from 0 to 1000000000, not 1000000001"},
};
// clang-format on

TEST(SimOptions, Parse) {
    for (const OptionRow& row : optionRows) {
        SimOptions options;
        std::string error;
        const bool ok = ParseSimOptions(row.arguments, options, error);
        EXPECT_EQ(ok, error.empty()) << row.name;
        EXPECT_EQ(ok ? Kept(options) : error, row.result) << row.name;
    }
}

TEST(SimOptions, HelpNamesEveryOption) {
    const std::string help = SimHelpText();
    for (const char* option : {"--listen", "--port", "--station", "--log", "--help", "--chunk",
                               "--close-after", "--bad-byte-after"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

}  // namespace
