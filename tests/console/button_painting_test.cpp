// The owner-drawn buttons on pixels, in the scheme each is given, at device pixel ratios 1 and
// 2: every probe is a logical pixel, all of whose device pixels must have the colour.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/rotator_button.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

const QRgb U = 0x8080FF, A = 0x0000FF, S = 0xFF0000;  // unavailable, available, selected
const QRgb I = A ^ 0xFFFFFFu, Green = 0x00FF00;       // available inverted
const QRgb Dark = 0x696969, Shadow = 0xA0A0A0, Text = 0xFFFF78;

TEST(ButtonPainting, FacesBarsEdgesAndHighlight) {
    ColorScheme greenAvailable;
    greenAvailable.availableColor = 0x00FF00u;
    enum Kind { Grid, Rotator, Mode };
    struct Probe {
        int x, y;
        QRgb colour;
    };
    const struct {
        const char* behaviour;
        Kind kind;
        GridButtonState state;  // Grid; Mode: tx is the armed flag
        bool down;
        const char* label;  // Rotator, with onGrid = state.txState, inUse = state.rxState
        std::vector<Probe> probes;
        QSize size = {95, 41};
        ColorScheme scheme = {};
    } rows[] = {
        // clang-format off
        {"odd height: rows 20..40 first, then rows 0..20 (the middle row is TX's)", Grid, {1, 0, false},
         false, "", {{5, 0, A}, {5, 20, A}, {5, 21, U}, {5, 37, U}}},
        {"even height: rows 0..19 TX, 20..39 RX", Grid, {0, 1, false}, false, "", {{5, 19, U}, {5, 20, A}},
         {95, 40}},
        {"bars on rows 6..8 and H-9..H-7, from x 10 to W-11", Grid, {2, 2, false}, false, "",
         {{10, 6, S}, {84, 8, S}, {10, 32, S}, {84, 34, S}, {9, 7, A}, {85, 33, A}, {40, 5, A},
          {40, 9, A}, {40, 31, A}, {40, 35, A}}},
        {"highlight: dotted (x + y even) and inverted, three pixels inside", Grid, {1, 1, true}, false, "",
         {{3, 11, I}, {3, 12, A}, {2, 11, A}, {4, 11, A}, {41, 3, I}, {41, 2, A}, {91, 11, I},
          {92, 11, A}, {41, 37, I}, {41, 38, A}}},
        {"raised edge on the bottom and right", Grid, {0, 0, false}, false, "",
         {{94, 20, Dark}, {93, 20, Shadow}, {40, 40, Dark}, {40, 39, Shadow}, {0, 20, U}, {40, 0, U}}},
        {"sunken edge on the top and left when pressed", Grid, {0, 0, false}, true, "",
         {{0, 20, Shadow}, {1, 20, Dark}, {40, 0, Shadow}, {40, 1, Dark}, {94, 20, U}, {40, 40, U}}},
        {"the colours are the given scheme's", Grid, {1, 2, false}, false, "",
         {{5, 5, Green}, {5, 30, Green}, {40, 33, S}}, {95, 41}, greenAvailable},
        {"rotator on the grid, not in use: no bars", Rotator, {1, 0}, false, "Beam", {{5, 20, A}, {12, 7, A}}},
        {"rotator in use off the grid: bars", Rotator, {0, 1}, false, "Beam\n245",
         {{5, 20, U}, {12, 7, S}, {12, 33, S}}},
        {"mode button armed", Mode, {1}, false, "TX", {{3, 3, S}, {3, 20, S}}, {50, 41}},
        // clang-format on
    };
    for (const auto& row : rows) {
        std::unique_ptr<OwnerDrawButton> button;
        if (row.kind == Grid) {
            auto grid = std::make_unique<CAntFuncButton>(5, row.scheme, nullptr);
            grid->SetState(row.state);
            button = std::move(grid);
        } else if (row.kind == Rotator) {
            auto rotator = std::make_unique<CRotatorButton>(20, row.scheme, nullptr);
            rotator->SetLabelAndMarks(row.label, row.state.txState != 0, row.state.rxState != 0);
            button = std::move(rotator);
        } else {
            auto mode = std::make_unique<CTRButton>(1009, row.scheme, nullptr);
            mode->setText(QString::fromLatin1(row.label));
            mode->SetArmed(row.state.txState != 0);
            button = std::move(mode);
        }
        button->resize(row.size);
        button->setDown(row.down);
        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(*button, ratio);
            ASSERT_EQ(image.size(), row.size * ratio);
            for (const Probe& p : row.probes) {
                EXPECT_TRUE(
                    AllOfBlock(image, ratio, p.x, p.y, [&](QRgb c) { return c == p.colour; }))
                    << row.behaviour << " at ratio " << ratio << ": " << p.x << "," << p.y;
            }
        }
    }
}

// A rotator's two-line label sits on available cells (in use or on the grid), one line height
// either side of the middle row.
TEST(ButtonPainting, RotatorLabelCellsAroundTheMiddleRow) {
    const ColorScheme scheme;
    CRotatorButton button(20, scheme, nullptr);
    button.resize(95, 41);
    button.SetLabelAndMarks("Beam\n245", false, true);
    const QImage image = RenderAt(button);
    const int lineHeight = QFontMetrics(button.font()).height();
    int availableRows = 0, textPixels = 0;
    for (int y = 0; y < 41; ++y) {
        bool available = false;
        for (int x = 0; x < 95; ++x) {
            available |= Pixel(image, x, y) == A;
            textPixels += Pixel(image, x, y) == Text;
        }
        availableRows += available;
        EXPECT_TRUE(!available || (y >= 20 - lineHeight && y < 20 + lineHeight)) << y;
    }
    EXPECT_EQ(availableRows, 2 * lineHeight);
    EXPECT_GT(textPixels, 0);
}

}  // namespace
