// keva-sim's command line.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "keva-sim/sim_options.h"

namespace {

struct OptionRow {
    const char* name;
    std::vector<std::string> arguments;
    const char* error;  // empty when the line is good
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const OptionRow& row, std::ostream* out) {
    *out << row.name;
}

const OptionRow optionRows[] = {
    {"Help", {"-h"}, ""},
    {"UnknownOption", {"--verbose"}, "unknown option --verbose (see --help)"},
    {"StrayWord", {"station.json"}, "unknown option station.json (see --help)"},
    {"MissingValue", {"--port"}, "--port needs a value"},
    {"PortTooLarge", {"--port", "65536"}, "--port needs a number from 0 to 65535, not 65536"},
    {"PortNegative", {"--port", "-1"}, "--port needs a number from 0 to 65535, not -1"},
    {"PortWithLetters", {"--port", "12059x"}, "--port needs a number from 0 to 65535, not 12059x"},
    {"PortHuge",
     {"--port", "99999999999999999999999"},
     "--port needs a number from 0 to 65535, not 99999999999999999999999"},
    {"ChunkZero", {"--chunk", "0"}, "--chunk needs a number from 1 to 1000000000, not 0"},
    {"CloseAfterText",
     {"--close-after", "x"},
     "--close-after needs a number from 0 to 1000000000, not x"},
};

class SimOptionLines : public testing::TestWithParam<OptionRow> {};

TEST_P(SimOptionLines, Parse) {
    SimOptions options;
    std::string error;
    const bool ok = ParseSimOptions(GetParam().arguments, options, error);
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(ok, error.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, SimOptionLines, testing::ValuesIn(optionRows),
                         [](const testing::TestParamInfo<OptionRow>& info) {
                             return info.param.name;
                         });

TEST(SimOptions, DefaultsAreLoopbackAndNoFaults) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({}, options, error));
    EXPECT_EQ(options.listenAddress, "127.0.0.1");
    EXPECT_EQ(options.port, 12059);
    EXPECT_EQ(options.chunkBytes, 0);
    EXPECT_FALSE(options.closeAfter);
    EXPECT_FALSE(options.badByteAfter);
    EXPECT_FALSE(options.log);
}

TEST(SimOptions, EveryValueIsKept) {
    SimOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimOptions({"--listen", "::1", "--port", "0", "--station", "x.json", "--log",
                                 "--chunk", "3", "--close-after", "0", "--bad-byte-after", "5"},
                                options, error))
        << error;
    EXPECT_EQ(options.listenAddress, "::1");
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.stationFile, "x.json");
    EXPECT_TRUE(options.log);
    EXPECT_EQ(options.chunkBytes, 3);
    EXPECT_EQ(options.closeAfter, 0);
    EXPECT_EQ(options.badByteAfter, 5);
}

TEST(SimOptions, HelpNamesEveryOption) {
    const std::string help = SimHelpText();
    for (const char* option : {"--listen", "--port", "--station", "--log", "--help", "--chunk",
                               "--close-after", "--bad-byte-after"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

}  // namespace
