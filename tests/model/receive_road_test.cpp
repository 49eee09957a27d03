// Streams replayed through the whole receive road (socket reads, reader, dispatch, station)
// with the fuzz target's invariant checks: its seed corpus, and two streams of our own.
#include <gtest/gtest.h>

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

const fs::path kSeeds = fs::path(KEVA_SOURCE_DIR) / "fuzz/seeds/receive_road";

std::vector<uint8_t> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each seed as stored, then with every kind of nested handling a message box may bring.
TEST(ReceiveRoad, SeedsRunCleanWithEveryReentry) {
    std::error_code error;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(kSeeds, error)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::vector<uint8_t> input = ReadBytes(entry.path());
        ASSERT_GE(input.size(), 2u);
        ++seeds;
        EXPECT_EQ(RunReceiveRoad(input.data(), input.size()), "") << "as stored";
        for (uint8_t switches = 1; switches < 16; ++switches) {
            input[0] = switches;
            EXPECT_EQ(RunReceiveRoad(input.data(), input.size()), "") << int(switches);
        }
    }
    ASSERT_FALSE(error) << kSeeds << ": " << error.message();
    EXPECT_GE(seeds, 1) << kSeeds << " holds no seed";
}

// A whole session arrives whatever the read sizes (switches 0, one read size, the stream):
// the station ends the same. Then a configuration that stops half-way, with a reconnection
// at its report (switches 1, no read sizes).
TEST(ReceiveRoad, SessionAtEveryReadSizeAndAStoppedConfiguration) {
    const std::vector<uint8_t> seed = ReadBytes(kSeeds / "session");
    ASSERT_GE(seed.size(), 2u + seed[1] % 16);
    std::vector<uint8_t> input{0, 1, 0};
    input.insert(input.end(), seed.begin() + 2 + seed[1] % 16, seed.end());
    for (uint8_t size = 1; size <= 31; ++size) {
        RoadSummary summary;
        input[2] = size;
        ASSERT_EQ(RunReceiveRoad(input.data(), input.size(), &summary), "") << int(size);
        EXPECT_EQ(std::tie(summary.reports, summary.documents, summary.descriptions,
                           summary.rotators, summary.shownGridButtons),
                  std::tuple(Strings{}, 6, 6u, 3u, 6))
            << "reports, documents, descriptions, rotators, shown buttons at read size "
            << int(size);
    }
    const std::string stopped =
        std::string("\x01", 2) +  // switches 1, no read sizes
        R"({"Message":"Rotators","Sequence":1,"Version":1,"Parameters":{"Rotators":[{"Rotator":1}]}})"
        R"({"Message":"Configuration","Sequence":2,"Version":1,"Parameters":{"Antennas":[)"
        R"({"Antenna":1,"Description":[{"Rotator":1}]},{"Antenna":2}],"Functions":3}})";
    RoadSummary summary;
    EXPECT_EQ(
        RunReceiveRoad(reinterpret_cast<const uint8_t*>(stopped.data()), stopped.size(), &summary),
        "");
    EXPECT_EQ(
        std::tie(summary.reports, summary.descriptions, summary.rotators, summary.shownGridButtons),
        std::tuple(Strings{"Configuration functions parameters are not an object"}, 2u, 0u, 2));
}

}  // namespace
