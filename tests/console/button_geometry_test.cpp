#include "console/button_geometry.h"

#include <gtest/gtest.h>

#include "console/relative_dialog.h"

namespace {

constexpr uint32_t U = 1;  // unavailable
constexpr uint32_t A = 2;  // available
constexpr uint32_t S = 3;  // selected
const ColorScheme kScheme{U, A, S, 4};

struct FaceRow {
    const char* behaviour;
    GridButtonState state;
    int height;
    std::vector<FaceFill> fills;
};

TEST(AntFuncFills, SplitTheFaceAndAddTheBarsOfSelectedSides) {
    const int w = 95;
    const FaceRow rows[] = {
        {"both unavailable", {0, 0, false}, 41, {{QRect(0, 0, w, 41), U}}},
        {"both available", {1, 1, false}, 41, {{QRect(0, 0, w, 41), A}}},
        {"TX only, odd height: lower 20..40 first, then upper 0..20",
         {1, 0, false},
         41,
         {{QRect(0, 20, w, 21), U}, {QRect(0, 0, w, 21), A}}},
        {"RX only, even height",
         {0, 1, false},
         40,
         {{QRect(0, 20, w, 20), A}, {QRect(0, 0, w, 20), U}}},
        {"TX selected: top bar",
         {2, 0, false},
         41,
         {{QRect(0, 20, w, 21), U}, {QRect(0, 0, w, 21), A}, {QRect(10, 6, w - 20, 3), S}}},
        {"both selected: both bars",
         {2, 2, true},
         41,
         {{QRect(0, 0, w, 41), A}, {QRect(10, 6, w - 20, 3), S}, {QRect(10, 32, w - 20, 3), S}}},
        {"state 3 is available without a bar", {3, 3, false}, 41, {{QRect(0, 0, w, 41), A}}},
    };
    for (const FaceRow& row : rows) {
        EXPECT_EQ(AntFuncFills(row.state, kScheme, QSize(w, row.height)), row.fills)
            << row.behaviour;
    }
}

TEST(ButtonGeometry, BarsRotatorAndModeFaces) {
    EXPECT_FALSE(TopBarRect(QSize(20, 41)).isValid());  // the bars of AntFuncFills are the others

    EXPECT_EQ(RotatorFills(false, true, kScheme, QSize(95, 41)),
              (std::vector<FaceFill>{
                  {QRect(0, 0, 95, 41), U}, {QRect(10, 6, 75, 3), S}, {QRect(10, 32, 75, 3), S}}));
    EXPECT_EQ(RotatorLabelBackground(false, true, kScheme), A);
    EXPECT_EQ(RotatorLabelBackground(true, false, kScheme), A);
    EXPECT_EQ(RotatorLabelBackground(false, false, kScheme), U);

    EXPECT_TRUE(TwoLineLabel("Beam\n45"));
    EXPECT_TRUE(TwoLineLabel("\n"));
    EXPECT_FALSE(TwoLineLabel("Beam 45"));
    EXPECT_EQ(TwoLineLabelTop(41, 13), 7);
}

TEST(RelativeRequestFor, MapsEachButtonToItsCodeAndAntenna) {
    const struct {
        int id;
        int32_t code, antenna;
    } rows[] = {{3, 5, 0}, {4, 5, 1}, {5, 5, 2}, {6, 5, 3},
                {8, 6, 0}, {7, 7, 0}, {1, 0, 0}, {2, 0, 0}};
    for (const auto& row : rows) {
        const RelativeRequest request = RelativeRequestFor(row.id);
        EXPECT_EQ(request.code, row.code) << row.id;
        EXPECT_EQ(request.antenna, row.antenna) << row.id;
    }
}

}  // namespace
