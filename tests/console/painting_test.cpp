// The owner-drawn buttons and the compass on pixels, at device pixel ratios 1 and 2: each probe is
// a logical pixel, all of whose device pixels must pass.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <cmath>
#include <numbers>
#include <tuple>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/compass.h"
#include "console/compass_rose.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
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
    // clang-format off
    // state: Grid's; Mode's txState is the armed flag; Rotator's are onGrid and inUse.
    const struct { const char* behaviour; Kind kind; GridButtonState state; bool down; const char* label; std::vector<Probe> probes;
        QSize size = {95, 41}; ColorScheme scheme = {}; } rows[] = {
        {"odd height: rows 20..40 first, then rows 0..20 (the middle row is TX's)", Grid, {1, 0, false}, false, "", {{5, 0, A}, {5, 20, A}, {5, 21, U}, {5, 37, U}}},
        {"even height: rows 0..19 TX, 20..39 RX", Grid, {0, 1, false}, false, "", {{5, 19, U}, {5, 20, A}}, {95, 40}},
        {"bars on rows 6..8 and H-9..H-7, from x 10 to W-11", Grid, {2, 2, false}, false, "",
         {{10, 6, S}, {84, 8, S}, {10, 32, S}, {84, 34, S}, {9, 7, A}, {85, 33, A}, {40, 5, A}, {40, 9, A}, {40, 31, A}, {40, 35, A}}},
        {"highlight: dotted (x + y even) and inverted, three pixels inside", Grid, {1, 1, true}, false, "",
         {{3, 11, I}, {3, 12, A}, {2, 11, A}, {4, 11, A}, {41, 3, I}, {41, 2, A}, {91, 11, I}, {92, 11, A}, {41, 37, I}, {41, 38, A}}},
        {"raised edge on the bottom and right", Grid, {0, 0, false}, false, "",
         {{94, 20, Dark}, {93, 20, Shadow}, {40, 40, Dark}, {40, 39, Shadow}, {0, 20, U}, {40, 0, U}}},
        {"sunken edge on the top and left when pressed", Grid, {0, 0, false}, true, "",
         {{0, 20, Shadow}, {1, 20, Dark}, {40, 0, Shadow}, {40, 1, Dark}, {94, 20, U}, {40, 40, U}}},
        {"the colours are the given scheme's", Grid, {1, 2, false}, false, "", {{5, 5, Green}, {5, 30, Green}, {40, 33, S}}, {95, 41}, greenAvailable},
        {"rotator on the grid, not in use: no bars", Rotator, {1, 0}, false, "Beam", {{5, 20, A}, {12, 7, A}}},
        {"rotator in use off the grid: bars", Rotator, {0, 1}, false, "Beam\n245", {{5, 20, U}, {12, 7, S}, {12, 33, S}}},
        {"mode button armed", Mode, {1}, false, "TX", {{3, 3, S}, {3, 20, S}}, {50, 41}},
    };
    // clang-format on
    for (const auto& row : rows) {
        CAntFuncButton grid(5, row.scheme, nullptr);
        CRotatorButton rotator(20, row.scheme, nullptr);
        CTRButton mode(1009, row.scheme, nullptr);
        grid.SetState(row.state);
        rotator.SetLabelAndMarks(row.label, row.state.txState != 0, row.state.rxState != 0);
        mode.setText(QString::fromLatin1(row.label));
        mode.SetArmed(row.state.txState != 0);
        OwnerDrawButton& button = row.kind == Grid      ? static_cast<OwnerDrawButton&>(grid)
                                  : row.kind == Rotator ? static_cast<OwnerDrawButton&>(rotator)
                                                        : mode;
        button.resize(row.size);
        button.setDown(row.down);
        for (int ratio : {1, 2}) {
            const QImage image = RenderAt(button, ratio);
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

// Each row shades the range clockwise from ccwLimit + rotation to ccwLimit, seen at bearings
// 22.5 + 45 k ('S' darkened to 63/255 of the rose, '.' the rose), and draws the needle seven
// pixels wide, then three at its tip. The rose is drawn for the finer pixels, not stretched.
TEST(Compass, RangeAndNeedle) {
    // clang-format off
    const struct { const char* behaviour; int32_t ccwLimit, rotation, position; const char* shaded; } rows[] = {
        {"a full turn shades nothing; needle north", 0, 360, 0, "........"},
        {"more than a full turn shades nothing; 360 is north", 0, 450, 360, "........"},
        {"a full turn from elsewhere; needle east", 180, 360, 90, "........"},
        {"three quarters reachable; needle over the shade", 0, 270, 0, "......SS"},
        {"half a turn from north shades the west half", 0, 180, NoPosition, "....SSSS"},
        {"east to south reachable", 90, 90, NoPosition, "SS..SSSS"},
        {"rotation 0 darkens the whole disc; 20000 is no position", 123, 0, 20000, "SSSSSSSS"},
    };
    // Logical pixels by distance along the needle and across it (positive to its right).
    const struct { int along, across; bool red; } needle[] = {
        {100, -3, true}, {100, 0, true},  {100, 3, true},  {100, -4, false}, {100, 4, false}, {-8, -3, true},  {-8, 3, true},
        {135, -1, true}, {135, 1, true},   {135, -2, false}, {135, 2, false}, {146, 0, false}, {-15, 0, false},
    };
    // clang-format on
    EXPECT_EQ(&CompassRoseImage(0), &CompassRoseImage()) << "an unusable ratio counts as 1";
    const QImage& fine = CompassRoseImage(2);
    int finerBlocks = 0;
    for (int i = 0; i < 360 * 360; ++i) {
        const QRgb first = Pixel(fine, 2 * (i % 360), 2 * (i / 360));
        finerBlocks += !AllOfBlock(fine, 2, i % 360, i / 360, [&](QRgb c) { return c == first; });
    }
    EXPECT_GT(finerBlocks, 3000);
    for (const auto& row : rows) {
        for (int r : {1, 2}) {
            SCOPED_TRACE(testing::Message() << row.behaviour << " at ratio " << r);
            CRotator rotator;
            std::tie(rotator.ccwLimit, rotator.rotation, rotator.relativePosition) =
                std::tie(row.ccwLimit, row.rotation, row.position);
            CRotatorWindow window(rotator, nullptr);
            const QImage image = RenderAt(*window.compass(), r);
            const QImage& rose = CompassRoseImage(r);
            for (int k = 0; k < 8; ++k) {
                SCOPED_TRACE(testing::Message() << "bearing " << 22.5 + 45 * k);
                const int keep = row.shaded[k] == 'S' ? 63 : 255;
                const double bearing = (22.5 + 45 * k) * std::numbers::pi / 180;
                for (int radius = 20; radius < 175; radius += 5) {
                    const int x = r * (180 + int(std::lround(radius * std::sin(bearing))));
                    const int y = r * (180 - int(std::lround(radius * std::cos(bearing))));
                    const QRgb pixel = Pixel(image, x, y), under = Pixel(rose, x, y);
                    for (int shift : {0, 8, 16}) {
                        ASSERT_NEAR((pixel >> shift) & 0xFF, ((under >> shift) & 0xFF) * keep / 255,
                                    2);
                    }
                }
            }
            const bool east = row.position == 90, drawn = row.position < 20000;
            for (const auto& p : needle) {
                const int x = east ? 180 + p.along : 180 + p.across;
                const int y = east ? 180 + p.across : 180 - p.along;
                // Red within rounding: the constants put a needle at 0 or 90 a hair off the axis.
                EXPECT_TRUE(AllOfBlock(image, r, x, y,
                                       [&](QRgb c) {
                                           return (qRed(c) >= 250 && qGreen(c) <= 5 &&
                                                   qBlue(c) <= 5) == (p.red && drawn);
                                       }))
                    << p.along << " along, " << p.across << " across";
            }
        }
    }
}

}  // namespace
