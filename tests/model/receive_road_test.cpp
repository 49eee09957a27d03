// The fuzz target's seed corpus replayed through the whole receive road (socket reads, reader,
// dispatch, station) with the fuzz target's invariant checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "receive_road/receive_road.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSeeds = fs::path(KEVA_SOURCE_DIR) / "fuzz/seeds/receive_road";

// Each seed as stored, then with every kind of nested handling a message box may bring.
TEST(ReceiveRoad, SeedsRunCleanWithEveryReentry) {
    std::error_code error;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(kSeeds, error)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> input{std::istreambuf_iterator<char>(in), {}};
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

}  // namespace
