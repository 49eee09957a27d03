// The compass on pixels of the real control at device pixel ratios 1 and 2: the rose drawn for
// the finer pixels rather than stretched, the unreachable range darkened, and the needle.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "console/compass.h"
#include "console/compass_rose.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

// Each row shades the range clockwise from ccwLimit + rotation to ccwLimit, seen at eight
// bearings (22.5 + 45 k degrees, k = 0..7, 'S' darkened to 63/255 of the rose, '.' the rose),
// and draws the needle seven pixels wide, then three at its tip, seen at probes along it.
TEST(Compass, RangeAndNeedle) {
    const struct {
        const char* behaviour;
        int32_t ccwLimit, rotation, position;
        const char* shaded;
    } rows[] = {
        // clang-format off
        {"a full turn shades nothing; needle north", 0, 360, 0, "........"},
        {"more than a full turn shades nothing; 360 is north", 0, 450, 360, "........"},
        {"a full turn from elsewhere; needle east", 180, 360, 90, "........"},
        {"three quarters reachable; needle over the shade", 0, 270, 0, "......SS"},
        {"half a turn from north shades the west half", 0, 180, NoPosition, "....SSSS"},
        {"east to south reachable", 90, 90, NoPosition, "SS..SSSS"},
        {"rotation 0 darkens the whole disc; 20000 is no position", 123, 0, 20000, "SSSSSSSS"},
        // clang-format on
    };
    // Logical pixels by distance along the needle and across it (positive to its right).
    const struct {
        int along, across;
        bool red;
    } needle[] = {
        {100, -3, true}, {100, 0, true},  {100, 3, true},  {100, -4, false}, {100, 4, false},
        {-8, -3, true},  {-8, 3, true},   {135, -1, true}, {135, 1, true},   {135, -2, false},
        {135, 2, false}, {146, 0, false}, {-15, 0, false},
    };
    EXPECT_EQ(&CompassRoseImage(0), &CompassRoseImage()) << "an unusable ratio counts as 1";
    const QImage& fine = CompassRoseImage(2);  // drawn finer: not 2 x 2 blocks of the ratio-1 rose
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
