// Streams replayed through the whole receive road (socket reads, reader, dispatch, station),
// with the same invariant checks as the fuzz target: the seed corpus and every input that once
// broke the road.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "receive_road/receive_road.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const fs::path kSource = KEVA_SOURCE_DIR;

std::vector<uint8_t> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> Inputs() {
    std::vector<fs::path> files;
    for (const char* folder : {"fuzz/seeds/receive_road", "tests/model/receive_road_regressions"}) {
        std::error_code missing;  // the regressions folder may not exist
        for (const auto& entry : fs::directory_iterator(kSource / folder, missing)) {
            if (entry.is_regular_file() && entry.path().filename() != "README") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The stream of a stored input, without its switches and read sizes.
std::string StreamOf(const std::vector<uint8_t>& input) {
    const std::size_t head = 2 + input.at(1) % 16;
    return std::string(input.begin() + static_cast<std::ptrdiff_t>(head), input.end());
}

std::vector<uint8_t> Input(uint8_t switches, const std::vector<uint8_t>& sizes,
                           const std::string& stream) {
    std::string bytes{static_cast<char>(switches), static_cast<char>(sizes.size())};
    bytes.append(sizes.begin(), sizes.end());
    bytes += stream;
    return {bytes.begin(), bytes.end()};
}

class ReceiveRoadReplay : public ::testing::TestWithParam<fs::path> {};

// As stored, then with every kind of nested handling a message box may bring, at every report.
TEST_P(ReceiveRoadReplay, RunsCleanWithEveryReentry) {
    std::vector<uint8_t> input = ReadBytes(GetParam());
    ASSERT_GE(input.size(), 2u);
    EXPECT_EQ(RunReceiveRoad(input.data(), input.size()), "") << "as stored";
    for (uint8_t switches = 1; switches < 16; ++switches) {
        input[0] = switches;
        EXPECT_EQ(RunReceiveRoad(input.data(), input.size()), "") << "switches " << int(switches);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, ReceiveRoadReplay, ::testing::ValuesIn(Inputs()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                             std::string name = info.param.parent_path().filename().string() + "_" +
                                                info.param.filename().string();
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// A whole session arrives whatever the read sizes: the station ends the same.
TEST(ReceiveRoad, SessionAtEveryReadSize) {
    const std::string stream = StreamOf(ReadBytes(kSource / "fuzz/seeds/receive_road/session"));
    for (uint8_t size = 1; size <= 31; ++size) {
        const std::vector<uint8_t> input = Input(0, {size}, stream);
        RoadSummary summary;
        ASSERT_EQ(RunReceiveRoad(input.data(), input.size(), &summary), "") << int(size);
        EXPECT_EQ(summary.reports, Strings{}) << int(size);
        EXPECT_EQ(std::tie(summary.documents, summary.descriptions, summary.rotators,
                           summary.shownGridButtons),
                  std::tuple(6, 6u, 3u, 6))
            << "documents, descriptions, rotators, shown buttons at read size " << int(size);
    }
}

// A configuration that stops half-way, with a nested reconnection at each report.
TEST(ReceiveRoad, StoppedConfigurationWithReconnections) {
    const std::string stream =
        R"({"Message":"Rotators","Sequence":1,"Version":1,"Parameters":{"Rotators":[{"Rotator":1}]}})"
        R"({"Message":"Configuration","Sequence":2,"Version":1,"Parameters":{"Antennas":[)"
        R"({"Antenna":1,"Description":[{"Rotator":1}]},{"Antenna":2}],"Functions":3}})";
    const std::vector<uint8_t> input = Input(0x01, {}, stream);
    RoadSummary summary;
    EXPECT_EQ(RunReceiveRoad(input.data(), input.size(), &summary), "");
    EXPECT_EQ(summary.reports, Strings{"Configuration functions parameters are not an object"});
    EXPECT_EQ(std::tie(summary.descriptions, summary.rotators, summary.shownGridButtons),
              std::tuple(2u, 0u, 2));
}

}  // namespace
