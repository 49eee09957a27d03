// The words a screen reader says of the console's controls, without a display.
#include <gtest/gtest.h>

#include <climits>

#include "console/accessible_texts.h"
#include "model/rotator.h"

namespace {

TEST(AccessibleTexts, LabelsReadAsTheFaceShowsThem) {
    const struct {
        const char* behaviour;
        std::string label;
        std::string shown;
    } rows[] = {
        {"plain text stays", "Beam", "Beam"},
        {"the mnemonic mark is not shown", "&Beam", "Beam"},
        {"a doubled mark is one ampersand", "A&&B", "A&B"},
        {"a last lone mark is dropped", "Beam&", "Beam"},
        {"a doubled mark then a mnemonic", "&&&x", "&x"},
        {"a line feed shows as a blank", "Long\nwire", "Long wire"},
        {"UTF-8 bytes pass unharmed", "\xC3\xA9t\xC3\xA9 &1", "\xC3\xA9t\xC3\xA9 1"},
        {"empty stays empty", "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LabelAsShown(row.label), row.shown) << row.behaviour;
    }
}

TEST(AccessibleTexts, GridButtonsSayWhatTheirColoursShow) {
    using K = DescriptionKind;
    const struct {
        const char* behaviour;
        DescriptionKind kind;
        GridButtonState state;
        std::string words;
    } rows[] = {
        {"antenna, both sides", K::Antenna, {2, 1, false}, "TX selected, RX available"},
        {"antenna, nothing yet", K::Antenna, {0, 0, false}, "TX unavailable, RX unavailable"},
        {"antenna, RX selected only", K::Antenna, {0, 2, false}, "TX unavailable, RX selected"},
        {"codes outside 0..2 read as available",
         K::Antenna,
         {3, -1, false},
         "TX available, RX available"},
        {"antenna highlighted", K::Antenna, {2, 2, true}, "TX selected, RX selected, highlighted"},
        {"function selected", K::Function, {2, 2, false}, "selected"},
        {"function available, highlighted", K::Function, {1, 1, true}, "available, highlighted"},
        {"function unavailable", K::Function, {0, 0, false}, "unavailable"},
        {"function with an unknown code", K::Function, {7, 7, false}, "available"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GridButtonDescription(row.kind, row.state), row.words) << row.behaviour;
    }
}

TEST(AccessibleTexts, RotatorButtonsSayTheirBearingAndMarks) {
    const struct {
        const char* behaviour;
        std::string label;
        bool onGrid, inUse;
        std::string name, description;
    } rows[] = {
        {"name and bearing, both marks", "Beam\n225", true, true, "Beam 225",
         "bearing 225 degrees, on the grid, in use"},
        {"no position, no marks", "Beam", false, false, "Beam", ""},
        {"on the grid only", "Beam", true, false, "Beam", "on the grid"},
        {"in use only", "Beam\n360", false, true, "Beam 360", "bearing 360 degrees, in use"},
        {"two-line labels draw '&' as itself", "A&B\n0", false, false, "A&B 0",
         "bearing 0 degrees"},
        {"one-line labels follow the mnemonic rules", "&Beam", false, false, "Beam", ""},
        {"only a line feed", "\n", false, false, " ", ""},
        {"a last line that is no number", "Beam\nnorth", false, false, "Beam north", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RotatorButtonName(row.label), row.name) << row.behaviour;
        EXPECT_EQ(RotatorButtonDescription(row.label, row.onGrid, row.inUse), row.description)
            << row.behaviour;
    }
}

TEST(AccessibleTexts, CompassSaysItsBearingAndReachableRange) {
    EXPECT_EQ(CompassValueText(225), "225 degrees");
    EXPECT_EQ(CompassValueText(0), "0 degrees");
    EXPECT_EQ(CompassValueText(360), "360 degrees");
    EXPECT_EQ(CompassValueText(NoPosition), "no position");
    EXPECT_EQ(CompassValueText(20000), "no position");  // no needle is drawn there either

    EXPECT_EQ(CompassRangeText(180, 270), "reachable from 180 clockwise through 450 degrees");
    EXPECT_EQ(CompassRangeText(123, 0), "reachable from 123 clockwise through 123 degrees");
    EXPECT_EQ(CompassRangeText(0, 360), "no limit");
    EXPECT_EQ(CompassRangeText(0, 450), "no limit");
    // Server values at the ends of the range: the sum is taken in 64 bits.
    EXPECT_EQ(CompassRangeText(INT32_MAX, 359),
              "reachable from 2147483647 clockwise through 2147484006 degrees");
    EXPECT_EQ(CompassRangeText(INT32_MIN, -1),
              "reachable from -2147483648 clockwise through -2147483649 degrees");
}

}  // namespace
