// The station file: the example loads and is what it claims to be; bad files give one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "keva-sim/station_file.h"

namespace {

// The example file loads, covers 160 to 10 m and shows two kinds of rotator; a file's optional
// members take their defaults.
TEST(StationFile, Loads) {
    StationDescription s;
    std::string error;
    ASSERT_TRUE(LoadStationFile(std::string(KEVA_SOURCE_DIR) + "/examples/station.json", s, error))
        << error;
    EXPECT_EQ(std::tie(s.station, s.lowerFrequency, s.upperFrequency), std::tuple(1, 1800, 29700));
    for (int32_t khz : {1830, 3525, 7025, 10110, 14025, 18080, 21025, 24900, 28025}) {
        EXPECT_TRUE(std::ranges::any_of(s.antennas, [khz](auto& a) { return a.Covers(khz); }))
            << khz;
    }
    ASSERT_EQ(s.rotators.size(), 2u);
    EXPECT_EQ(std::tie(s.rotators[0].ccwLimit, s.rotators[0].rotation, s.rotators[0].hasStop,
                       s.rotators[1].hasStop),
              std::tuple(180, 450, true, false));
    ASSERT_TRUE(ParseStation(R"({"LowerFrequency": 1800, "UpperFrequency": 2000,
        "Antennas": [{"Antenna": 0, "ShortName": "A", "Bands": [[1800, 2000]]}],
        "Rotators": [{"Rotator": 3, "ShortName": "R", "CCWLimit": 90, "Rotation": 360}]})",
                             s, error))
        << error;
    ASSERT_EQ(s.antennas.size() + s.rotators.size(), 2u);
    const AntennaSetup& a = s.antennas[0];
    const RotatorSetup& r = s.rotators[0];
    EXPECT_EQ(std::tie(s.station, a.longName, a.row, a.column, a.additive, r.startBearing, r.speed,
                       r.hasStop),
              std::tuple(1, "A", -1, -1, false, 90, 6, false));
    EXPECT_TRUE(s.functions.empty());
}

struct BadRow {
    const char* name;
    const char* text;
    const char* error;  // the one line, in full
};

#define HEAD R"({"LowerFrequency": 1800, "UpperFrequency": 29700, )"
#define ANT(extra) R"({"Antenna": 1, "ShortName": "A", "Bands": [[1800, 2000]])" extra "}"

// clang-format off
const BadRow badRows[] = {
    {"Unclosed", "{\"LowerFrequency\": 1", "station: the file holds no complete JSON object"},
    {"TwoObjects", "{} {}", "station: JSON: Found start of object after end of document"},
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

TEST(StationFile, BadFilesGiveOneLine) {
    for (const BadRow& row : badRows) {
        StationDescription s;
        s.station = 77;
        std::string error;
        EXPECT_FALSE(ParseStation(row.text, s, error)) << row.name;
        EXPECT_EQ(error, row.error) << row.name;
        EXPECT_EQ(s.station, 77) << row.name;  // left as it was
    }
}

}  // namespace
