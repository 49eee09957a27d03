// How a screen reader says a label, without a display.
#include "console/accessible_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessibleTexts, LabelsReadAsTheFaceShowsThem) {
    const struct {
        const char* behaviour;
        std::string label, shown;
    } rows[] = {
        // clang-format off
        {"plain text stays", "Beam", "Beam"},
        {"the mnemonic mark is not shown", "&Beam", "Beam"},
        {"a doubled mark is one ampersand", "A&&B", "A&B"},
        {"a last lone mark is dropped", "Beam&", "Beam"},
        {"a doubled mark then a mnemonic", "&&&x", "&x"},
        {"a line feed shows as a blank", "Long\nwire", "Long wire"},
        {"UTF-8 bytes pass unharmed", "\xC3\xA9t\xC3\xA9 &1", "\xC3\xA9t\xC3\xA9 1"},
        {"empty stays empty", "", ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LabelAsShown(row.label), row.shown) << row.behaviour;
    }
}

}  // namespace
