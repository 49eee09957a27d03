// The compass on pixels of the real control: the rose, the shaded range and the needle, at
// device pixel ratios 1 and 2 (the same geometry in logical pixels, the rose drawn for the finer
// pixels rather than stretched).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "console/compass.h"
#include "console/compass_rose.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

QImage CompassImage(int ratio, int32_t ccwLimit, int32_t rotation, int32_t relativePosition) {
    CRotator rotator;
    rotator.ccwLimit = ccwLimit;
    rotator.rotation = rotation;
    rotator.relativePosition = relativePosition;
    CRotatorWindow window(rotator, nullptr);
    return RenderAt(*window.compass(), ratio);
}

// Red within rounding: the constants put a needle at 0 or 90 a hair off the axis.
bool IsRed(QRgb pixel) {
    return qRed(pixel) >= 250 && qGreen(pixel) <= 5 && qBlue(pixel) <= 5;
}

// Darkened to black at 192/255: each channel keeps about 63/255 of the rose.
bool Darkened(QRgb pixel, QRgb rose) {
    auto near = [](int channel, int roseChannel) {
        return std::abs(channel - roseChannel * 63 / 255) <= 2;
    };
    return near(qRed(pixel), qRed(rose)) && near(qGreen(pixel), qGreen(rose)) &&
           near(qBlue(pixel), qBlue(rose));
}

TEST(Compass, ImageIsTheRoseDrawnForEachPixelRatio) {
    for (int ratio : {1, 2}) {
        const QImage image = CompassImage(ratio, 0, 360, NoPosition);
        const QImage& rose = CompassRoseImage(ratio);
        ASSERT_EQ(image.size(), QSize(360, 390) * ratio);
        ASSERT_EQ(rose.size(), QSize(360, 360) * ratio);
        EXPECT_EQ(&rose, &CompassRoseImage(ratio)) << "painted once per ratio";
        EXPECT_EQ(image.copy(0, 0, 360 * ratio, 360 * ratio),
                  rose.convertToFormat(QImage::Format_RGB32))
            << ratio;
    }
    EXPECT_EQ(&CompassRoseImage(0), &CompassRoseImage()) << "an unusable ratio counts as 1";
    // A rose stretched from 360 to 720 pixels would repeat each pixel in a 2 x 2 block; this
    // one draws its rings, ticks and letters at the finer pixels.
    const QImage& fine = CompassRoseImage(2);
    int finerBlocks = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            const QRgb first = Pixel(fine, 2 * x, 2 * y);
            finerBlocks += !AllOfBlock(fine, 2, x, y, [&](QRgb c) { return c == first; });
        }
    }
    EXPECT_GT(finerBlocks, 3000);
}

TEST(Compass, ShadesTheRangeFromCcwLimitPlusRotationClockwiseToCcwLimit) {
    const struct {
        const char* behaviour;
        int ratio;
        int32_t ccwLimit, rotation;
        double shadeFrom, shadeSpan;  // bearings, clockwise
    } rows[] = {
        {"a full turn shades nothing", 1, 0, 360, 0, 0},
        {"more than a full turn shades nothing", 1, 0, 450, 0, 0},
        {"a full turn from elsewhere shades nothing", 1, 180, 360, 0, 0},
        {"three quarters reachable", 1, 0, 270, 270, 90},
        {"three quarters reachable at ratio 2", 2, 0, 270, 270, 90},
        {"half a turn from north shades the west half", 1, 0, 180, 180, 180},
        {"east to south reachable at ratio 2", 2, 90, 90, 180, 270},
        {"rotation 0 darkens the whole disc", 1, 123, 0, 0, 360},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const int r = row.ratio;
        const QImage image = CompassImage(r, row.ccwLimit, row.rotation, NoPosition);
        const QImage& rose = CompassRoseImage(r);
        int brightShaded = 0;
        // Pixels of the disc by polar position, away from the wedge's edges; at ratio 2 both
        // device pixels on the diagonal of the logical one.
        for (int y = 0; y < 360; y += 3) {
            for (int x = 0; x < 360; x += 3) {
                const double dx = x - 180, dy = y - 180;
                const double bearing = std::atan2(dx, -dy) * 180 / std::numbers::pi;
                const double into = std::fmod(bearing - row.shadeFrom + 720, 360);
                const bool shaded = row.shadeSpan >= 360 || (into > 2 && into < row.shadeSpan - 2);
                const bool clear = row.shadeSpan <= 0 || (into > row.shadeSpan + 2 && into < 358);
                const double radius = std::hypot(dx, dy);
                if (radius <= 8 || radius >= 175 || (!shaded && !clear)) {
                    continue;
                }
                for (int d = 0; d < r; ++d) {
                    const QRgb pixel = Pixel(image, r * x + d, r * y + d);
                    const QRgb under = Pixel(rose, r * x + d, r * y + d);
                    ASSERT_TRUE(shaded ? Darkened(pixel, under) : pixel == under) << x << "," << y;
                    brightShaded += shaded && qGray(under) > 150;
                }
            }
        }
        // The rose shows enough there for the test to mean something.
        EXPECT_GT(brightShaded, row.shadeSpan > 0 ? 20 : -1);
        EXPECT_EQ(Pixel(image, 2, 2), Pixel(rose, 2, 2)) << "the corners lie outside the pie";
    }
}

TEST(Compass, NeedleSevenPixelsWideThenThreeAtItsTip) {
    const struct {
        const char* behaviour;
        int ratio;
        int32_t rotation, position;
        bool drawn;
    } rows[] = {
        {"north", 1, 360, 0, true},
        {"360 is north", 1, 360, 360, true},
        {"east", 1, 360, 90, true},
        {"north at ratio 2, drawn over the shaded range", 2, 270, 0, true},
        {"20000 is no position: no needle", 1, 360, 20000, false},
    };
    // Logical pixels by distance along the needle and across it (positive to its right).
    const struct {
        int along, across;
        bool red;
    } probes[] = {
        {100, -3, true}, {100, 0, true},  {100, 3, true},  {100, -4, false}, {100, 4, false},
        {-8, -3, true},  {-8, 3, true},   {135, -1, true}, {135, 1, true},   {135, -2, false},
        {135, 2, false}, {146, 0, false}, {-15, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const QImage image = CompassImage(row.ratio, 0, row.rotation, row.position);
        const bool east = row.position == 90;
        for (const auto& p : probes) {
            const int x = east ? 180 + p.along : 180 + p.across;
            const int y = east ? 180 + p.across : 180 - p.along;
            const bool red = p.red && row.drawn;
            EXPECT_TRUE(AllOfBlock(image, row.ratio, x, y, [&](QRgb c) { return IsRed(c) == red; }))
                << p.along << " along, " << p.across << " across";
        }
    }
}

}  // namespace
