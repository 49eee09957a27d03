// The station file: the example loads and is what it claims to be; bad files give one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "keva-sim/station_file.h"

namespace {

const std::string examplePath = std::string(KEVA_SOURCE_DIR) + "/examples/station.json";

TEST(StationFile, ExampleStationLoads) {
    StationDescription s;
    std::string error;
    ASSERT_TRUE(LoadStationFile(examplePath, s, error)) << error;
    EXPECT_EQ(s.station, 1);
    EXPECT_EQ(s.lowerFrequency, 1800);
    EXPECT_EQ(s.upperFrequency, 29700);
    EXPECT_GE(s.antennas.size(), 9u);
    EXPECT_EQ(s.radios.size(), 2u);

    // Grid places on the console's 5 x 3 grid, each used once.
    std::set<std::pair<int32_t, int32_t>> places;
    auto place = [&places](int32_t row, int32_t column) {
        EXPECT_TRUE(row >= 0 && row < 5 && column >= 0 && column < 3);
        EXPECT_TRUE(places.insert({row, column}).second) << row << "," << column;
    };
    for (const AntennaSetup& a : s.antennas) {
        place(a.row, a.column);
    }
    for (const FunctionSetup& f : s.functions) {
        place(f.row, f.column);
    }

    // Every HF band from 160 to 10 m is covered by some antenna that can transmit.
    for (int32_t khz : {1830, 3525, 7025, 10110, 14025, 18080, 21025, 24900, 28025}) {
        EXPECT_TRUE(std::ranges::any_of(s.antennas, [khz](const AntennaSetup& a) {
            return !a.receiveOnly && a.Covers(khz);
        })) << khz;
    }
    EXPECT_EQ(
        std::ranges::count_if(s.antennas, [](auto& a) { return a.additive && a.receiveOnly; }), 2);
    ASSERT_EQ(s.functions.size(), 3u);
    EXPECT_EQ(std::ranges::count_if(s.functions, [](auto& f) { return f.momentary; }), 1);
    EXPECT_EQ(std::ranges::count_if(s.functions, [](auto& f) { return f.alternate; }), 1);

    ASSERT_EQ(s.rotators.size(), 2u);
    EXPECT_EQ(s.rotators[0].ccwLimit, 180);
    EXPECT_EQ(s.rotators[0].rotation, 450);
    EXPECT_TRUE(s.rotators[0].hasStop);
    EXPECT_EQ(s.rotators[1].rotation, 360);
    EXPECT_FALSE(s.rotators[1].hasStop);
}

TEST(StationFile, DefaultsForOptionalMembers) {
    StationDescription s;
    std::string error;
    ASSERT_TRUE(ParseStation(R"({"LowerFrequency": 1800, "UpperFrequency": 2000,
        "Antennas": [{"Antenna": 0, "ShortName": "A", "Bands": [[1800, 2000]]}],
        "Rotators": [{"Rotator": 3, "ShortName": "R", "CCWLimit": 90, "Rotation": 360}]})",
                             s, error))
        << error;
    EXPECT_EQ(s.station, 1);
    ASSERT_EQ(s.antennas.size(), 1u);
    EXPECT_EQ(s.antennas[0].longName, "A");
    EXPECT_EQ(s.antennas[0].row, -1);
    EXPECT_EQ(s.antennas[0].column, -1);
    EXPECT_FALSE(s.antennas[0].additive);
    EXPECT_TRUE(s.functions.empty());
    ASSERT_EQ(s.rotators.size(), 1u);
    EXPECT_EQ(s.rotators[0].startBearing, 90);
    EXPECT_EQ(s.rotators[0].speed, 6);
    EXPECT_FALSE(s.rotators[0].hasStop);
}

struct BadRow {
    const char* name;
    const char* text;
    const char* error;  // the one line, in full
};

// Tests are named after their rows; print the name, not the bytes.
void PrintTo(const BadRow& row, std::ostream* out) {
    *out << row.name;
}

#define HEAD R"({"LowerFrequency": 1800, "UpperFrequency": 29700, )"
#define ANT(extra) R"({"Antenna": 1, "ShortName": "A", "Bands": [[1800, 2000]])" extra "}"

// clang-format off
const BadRow badRows[] = {
    {"Empty", "", "station: the file holds no complete JSON object"},
    {"Unclosed", "{\"LowerFrequency\": 1", "station: the file holds no complete JSON object"},
    {"NotJson", "station", "station: JSON: Unexpected character 's' in object"},
    {"TopLevelArray", "[1]", "station: JSON: Found start of object when expecting an object"},
    {"TwoObjects", "{} {}", "station: JSON: Found start of object after end of document"},
    {"EmptyObject", "{}", "station: \"LowerFrequency\" is missing"},
    {"NoAntennas", HEAD R"("Functions": []})", "station: \"Antennas\" is missing"},
    {"FrequencyText", R"({"LowerFrequency": "1800"})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"FrequencyFraction", R"({"LowerFrequency": 1800.5})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"FrequencyHuge", R"({"LowerFrequency": 99999999999999999999999999})", "station: \"LowerFrequency\" must be a whole number from 0 to 2147483646"},
    {"RangeUpsideDown", R"({"LowerFrequency": 3000, "UpperFrequency": 2000, "Antennas": []})", "station: \"LowerFrequency\" is above \"UpperFrequency\""},
    {"UnknownMember", HEAD R"("Antennas": [], "Colour": 1})", "station: unknown member \"Colour\""},
    {"RepeatedMember", HEAD R"("Antennas": [], "Antennas": []})", "station: \"Antennas\" appears twice"},
    {"AntennaNotObject", HEAD R"("Antennas": [5]})", "Antennas[0]: must be an object"},
    {"AntennaWithoutBands", HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A"}]})", "Antennas[0]: \"Bands\" is missing"},
    {"AntennaNoBand", HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": []}]})", "Antennas[0]: \"Bands\" must name at least one band"},
    {"BandUpsideDown", HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": [[2000, 1800]]}]})", "Antennas[0]: each band must be [low, high] in kHz, low not above high"},
    {"BandOfThree", HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "A", "Bands": [[1800, 1900, 2000]]}]})", "Antennas[0]: each band must be [low, high] in kHz, low not above high"},
    {"EmptyName", HEAD R"("Antennas": [{"Antenna": 1, "ShortName": "", "Bands": [[1, 2]]}]})", "Antennas[0]: \"ShortName\" must be a non-empty string without control characters"},
    {"RowOffTheGrid", HEAD R"("Antennas": [)" ANT(R"(, "Row": 5)") "]}", "Antennas[0]: \"Row\" must be a whole number from -1 to 4"},
    {"FlagAsText", HEAD R"("Antennas": [)" ANT(R"(, "Additive": "yes")") "]}", "Antennas[0]: \"Additive\" must be true or false"},
    {"NegativeAntennaNumber", HEAD R"("Antennas": [{"Antenna": -1, "ShortName": "A", "Bands": [[1, 2]]}]})", "Antennas[0]: \"Antenna\" must be a whole number from 0 to 2147483646"},
    {"TwoAntennasOneNumber", HEAD R"("Antennas": [)" ANT("") "," ANT("") "]}", "station: two antennas are numbered 1"},
    {"UnknownRotator", HEAD R"("Antennas": [)" ANT(R"(, "Rotators": [2])") "]}", "station: antenna 1 names rotator 2, which the station does not have"},
    {"CcwLimitOfAFullCircle", HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 360, "Rotation": 360}]})", "Rotators[0]: \"CCWLimit\" must be a whole number from 0 to 359"},
    {"NoRotation", HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 0, "Rotation": 0}]})", "Rotators[0]: \"Rotation\" must be a whole number from 1 to 720"},
    {"StartOutsideTheRange", HEAD R"("Antennas": [], "Rotators": [{"Rotator": 1, "ShortName": "R", "CCWLimit": 0, "Rotation": 270, "StartBearing": 300}]})", "Rotators[0]: \"StartBearing\" is outside the rotator's range"},
    {"FunctionUnknownMember", HEAD R"("Antennas": [], "Functions": [{"Function": 1, "ShortName": "F", "Additive": true}]})", "Functions[0]: unknown member \"Additive\""},
    {"RadioWithoutFrequency", HEAD R"("Antennas": [], "Radios": [{"Radio": 1}]})", "Radios[0]: \"Frequency\" is missing"},
};
// clang-format on

#undef ANT
#undef HEAD

class BadStationFiles : public testing::TestWithParam<BadRow> {};

TEST_P(BadStationFiles, GiveOneLine) {
    StationDescription s;
    s.station = 77;
    std::string error;
    EXPECT_FALSE(ParseStation(GetParam().text, s, error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_EQ(s.station, 77);  // left as it was
}

INSTANTIATE_TEST_SUITE_P(Rows, BadStationFiles, testing::ValuesIn(badRows),
                         [](const testing::TestParamInfo<BadRow>& info) {
                             return info.param.name;
                         });

}  // namespace
