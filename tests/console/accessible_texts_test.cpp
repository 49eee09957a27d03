// The words a screen reader says of labels and rotator buttons, without a display.
#include "console/accessible_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessibleTexts, LabelsReadAsTheFaceShowsThem) {
    const struct {
        const char* behaviour;
        std::string label, shown;
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

}  // namespace
