// The owner-drawn buttons on pixels of grabbed images, in the scheme each is given, and at a
// device pixel ratio of 2.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/rotator_button.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

const QRgb U = Rgb(128, 128, 255);  // unavailable
const QRgb A = Rgb(0, 0, 255);      // available
const QRgb S = Rgb(255, 0, 0);      // selected
const QRgb I = A ^ 0xFFFFFFu;       // available, inverted
const QRgb Text = Rgb(255, 255, 120);
const QRgb DarkShadow = Rgb(105, 105, 105);
const QRgb Shadow = Rgb(160, 160, 160);
const QRgb Green = Rgb(0, 255, 0);

TEST(ButtonPainting, GridButtonFaces) {
    ColorScheme greenAvailable;
    greenAvailable.availableColor = 0x00FF00u;
    struct Probe {
        int x, y;
        QRgb colour;
    };
    const struct {
        const char* behaviour;
        GridButtonState state;
        bool down;
        std::vector<Probe> probes;
        int height = 41;
        ColorScheme scheme = {};
    } rows[] = {
        // clang-format off
        {"odd height: rows 20..40 first, then rows 0..20 (the middle row is TX's)", {1, 0, false},
         false, {{5, 0, A}, {5, 20, A}, {5, 21, U}, {5, 37, U}}},
        {"the middle row is TX's for RX too", {0, 2, false}, false, {{5, 20, U}, {5, 21, A}}},
        {"even height: rows 0..19 TX, 20..39 RX", {0, 1, false}, false, {{5, 19, U}, {5, 20, A}},
         40},
        {"bars on rows 6..8 and H-9..H-7, from x 10 to W-11", {2, 2, false}, false,
         {{10, 6, S}, {84, 8, S}, {10, 32, S}, {84, 34, S}, {9, 7, A}, {85, 33, A}, {40, 5, A},
          {40, 9, A}, {40, 31, A}, {40, 35, A}}},
        {"TX selected: the top bar only", {2, 0, false}, false, {{40, 7, S}, {40, 33, U}}},
        {"state 3 is available without a bar", {3, 3, false}, false,
         {{40, 7, A}, {40, 33, A}, {5, 20, A}}},
        {"highlight: dotted (x + y even) and inverted, three pixels inside", {1, 1, true}, false,
         {{3, 11, I}, {3, 12, A}, {2, 11, A}, {4, 11, A}, {41, 3, I}, {41, 2, A}, {91, 11, I},
          {92, 11, A}, {41, 37, I}, {41, 38, A}}},
        {"raised edge on the bottom and right", {0, 0, false}, false,
         {{94, 20, DarkShadow}, {93, 20, Shadow}, {40, 40, DarkShadow}, {40, 39, Shadow},
          {0, 20, U}, {40, 0, U}}},
        {"sunken edge on the top and left when pressed", {0, 0, false}, true,
         {{0, 20, Shadow}, {1, 20, DarkShadow}, {40, 0, Shadow}, {40, 1, DarkShadow}, {94, 20, U},
          {40, 40, U}}},
        {"the colours are the given scheme's", {1, 2, false}, false,
         {{5, 5, Green}, {5, 30, Green}, {40, 33, S}}, 41, greenAvailable},
        // clang-format on
    };
    for (const auto& row : rows) {
        CAntFuncButton button(5, row.scheme, nullptr);
        button.resize(95, row.height);
        button.SetState(row.state);
        button.setDown(row.down);
        const QImage image = RenderAt(button);
        for (const Probe& p : row.probes) {
            EXPECT_EQ(Pixel(image, p.x, p.y), p.colour)
                << row.behaviour << ": " << p.x << "," << p.y;
        }
    }
}

TEST(ButtonPainting, RotatorShowsBarsWhileInUseAndItsLabelOnAvailableCells) {
    const ColorScheme scheme;
    CRotatorButton button(20, scheme, nullptr);
    button.resize(95, 41);
    button.SetLabelAndMarks("Beam", true, false);
    const QImage onGrid = RenderAt(button);
    EXPECT_EQ(Pixel(onGrid, 5, 20), A);
    EXPECT_EQ(Pixel(onGrid, 12, 7), A) << "no bars while not in use";

    button.SetLabelAndMarks("Beam\n245", false, true);
    const QImage image = RenderAt(button);
    EXPECT_EQ(Pixel(image, 5, 20), U);
    EXPECT_EQ(Pixel(image, 12, 7), S);
    EXPECT_EQ(Pixel(image, 12, 33), S);
    // The label's cells: available behind the letters, centred, around the middle row.
    const int lineHeight = QFontMetrics(button.font()).height();
    int availableRows = 0;
    bool textSeen = false;
    for (int y = 0; y < 41; ++y) {
        bool rowHasAvailable = false;
        for (int x = 0; x < 95; ++x) {
            rowHasAvailable |= Pixel(image, x, y) == A;
            textSeen |= Pixel(image, x, y) == Text;
        }
        if (rowHasAvailable) {
            ++availableRows;
            EXPECT_GE(y, 41 / 2 - lineHeight) << y;
            EXPECT_LT(y, 41 / 2 + lineHeight) << y;
        }
    }
    EXPECT_EQ(availableRows, 2 * lineHeight);
    EXPECT_TRUE(textSeen);
}

TEST(ButtonPainting, ModeButtonFaceAndLabelCellFollowTheArmedFlag) {
    const ColorScheme scheme;
    CTRButton button(1009, scheme, nullptr);
    button.setText(QStringLiteral("TX"));
    button.resize(50, 41);
    EXPECT_EQ(Pixel(RenderAt(button), 3, 3), A);
    button.SetArmed(true);
    const QImage image = RenderAt(button);
    EXPECT_EQ(Pixel(image, 3, 3), S);
    bool textSeen = false;
    for (int x = 0; x < 50; ++x) {
        EXPECT_NE(Pixel(image, x, 20), A) << x;
        textSeen |= Pixel(image, x, 20) == Text;
    }
    EXPECT_TRUE(textSeen);
}

// Fills, bars, edges and the dotted highlight at ratio 2: every logical pixel away from the
// label becomes a 2 x 2 block of the colour it has at ratio 1.
TEST(ButtonPainting, FacesKeepTheirGeometryInLogicalPixelsAtRatio2) {
    const ColorScheme scheme;
    CAntFuncButton grid(5, scheme, nullptr);
    grid.resize(95, 41);
    grid.setText(QStringLiteral("Beam"));
    grid.SetState({2, 0, true});
    CRotatorButton rotator(20, scheme, nullptr);
    rotator.resize(95, 41);
    rotator.SetLabelAndMarks("Beam\n225", false, true);
    CTRButton mode(1009, scheme, nullptr);
    mode.resize(50, 41);
    mode.setText(QStringLiteral("TX"));
    mode.SetArmed(true);
    // Where each label may fall, text metrics differing at the finer pixels: the rotator's two
    // lines reach into the bars' rows.
    const struct {
        QWidget* button;
        QRect label;
    } rows[] = {
        {&grid, QRect(12, 10, 95 - 24, 41 - 20)},
        {&rotator, QRect(25, 5, 95 - 50, 41 - 10)},
        {&mode, QRect(12, 10, 50 - 24, 41 - 20)},
    };
    for (const auto& row : rows) {
        const QImage atOne = RenderAt(*row.button);
        const QImage atTwo = RenderAt(*row.button, 2);
        ASSERT_EQ(atTwo.size(), row.button->size() * 2);
        for (int y = 0; y < row.button->height(); ++y) {
            for (int x = 0; x < row.button->width(); ++x) {
                const QRgb expected = Pixel(atOne, x, y);
                ASSERT_TRUE(row.label.contains(x, y) ||
                            AllOfBlock(atTwo, 2, x, y, [&](QRgb c) { return c == expected; }))
                    << row.button->metaObject()->className() << " " << x << "," << y;
            }
        }
    }
}

}  // namespace
