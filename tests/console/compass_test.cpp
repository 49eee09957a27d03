// The compass on pixels of the grabbed control: the rose, the shaded range and the needle.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <numbers>

#include "console/compass.h"
#include "console/compass_drawing.h"
#include "console/compass_rose.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

QImage CompassImage(int32_t ccwLimit, int32_t rotation, int32_t relativePosition) {
    CRotator rotator;
    rotator.ccwLimit = ccwLimit;
    rotator.rotation = rotation;
    rotator.relativePosition = relativePosition;
    CRotatorWindow window(rotator, nullptr);
    return Grab(*window.compass());
}

QRgb RosePixel(int x, int y) {
    return CompassRoseImage().pixel(x, y) & 0xFFFFFFu;
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

// Pixels of the rose by polar position, away from the wedge's edges.
struct Sample {
    int x, y;
    double bearing;
};
std::vector<Sample> DiscSamples() {
    std::vector<Sample> samples;
    for (int y = 0; y < 360; y += 3) {
        for (int x = 0; x < 360; x += 3) {
            const double dx = x - 180, dy = y - 180;
            const double radius = std::hypot(dx, dy);
            if (radius > 8 && radius < 175) {
                double bearing = std::atan2(dx, -dy) * 180 / std::numbers::pi;
                samples.push_back({x, y, bearing < 0 ? bearing + 360 : bearing});
            }
        }
    }
    return samples;
}

TEST(Compass, ImageIsTheRoseAndTheSizeOfTheControl) {
    const QImage image = CompassImage(0, 360, NoPosition);
    ASSERT_EQ(image.size(), QSize(360, 390));
    const QImage& rose = CompassRoseImage();
    ASSERT_EQ(rose.size(), QSize(360, 360));
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            ASSERT_EQ(Pixel(image, x, y), RosePixel(x, y)) << x << "," << y;
        }
    }
}

TEST(Compass, NoShadingForAFullTurnOrMore) {
    for (auto [ccw, rotation] : {std::pair{0, 360}, std::pair{0, 450}, std::pair{180, 360}}) {
        const QImage image = CompassImage(ccw, rotation, NoPosition);
        for (const Sample& s : DiscSamples()) {
            ASSERT_EQ(Pixel(image, s.x, s.y), RosePixel(s.x, s.y)) << ccw << " " << rotation;
        }
    }
}

TEST(Compass, ShadesTheRangeFromCcwLimitPlusRotationClockwiseToCcwLimit) {
    const QImage image = CompassImage(0, 270, NoPosition);
    int brightShaded = 0;
    for (const Sample& s : DiscSamples()) {
        const QRgb rose = RosePixel(s.x, s.y);
        if (s.bearing > 272 && s.bearing < 358) {
            ASSERT_TRUE(Darkened(Pixel(image, s.x, s.y), rose)) << s.x << "," << s.y;
            brightShaded += qGray(rose) > 150;
        } else if (s.bearing > 2 && s.bearing < 268) {
            ASSERT_EQ(Pixel(image, s.x, s.y), rose) << s.x << "," << s.y;
        }
    }
    EXPECT_GT(brightShaded, 20);  // the rose shows enough there for the test to mean something
}

TEST(Compass, RotationZeroDarkensTheWholeDisc) {
    const QImage image = CompassImage(123, 0, NoPosition);
    for (const Sample& s : DiscSamples()) {
        ASSERT_TRUE(Darkened(Pixel(image, s.x, s.y), RosePixel(s.x, s.y))) << s.x << "," << s.y;
    }
    EXPECT_EQ(Pixel(image, 2, 2), RosePixel(2, 2));  // the corners lie outside the pie
}

TEST(Compass, NeedleSevenPixelsWideThenThreeAtItsTip) {
    for (int32_t position : {0, 360}) {
        const QImage image = CompassImage(0, 360, position);
        for (int x = 177; x <= 183; ++x) {
            EXPECT_TRUE(IsRed(Pixel(image, x, 80))) << position << " " << x;   // 100 out
            EXPECT_TRUE(IsRed(Pixel(image, x, 188))) << position << " " << x;  // behind
        }
        EXPECT_FALSE(IsRed(Pixel(image, 176, 80)));
        EXPECT_FALSE(IsRed(Pixel(image, 184, 80)));
        for (int x = 179; x <= 181; ++x) {
            EXPECT_TRUE(IsRed(Pixel(image, x, 45))) << position << " " << x;  // 135 out
        }
        EXPECT_FALSE(IsRed(Pixel(image, 178, 45)));
        EXPECT_FALSE(IsRed(Pixel(image, 182, 45)));
        EXPECT_FALSE(IsRed(Pixel(image, 180, 34)));   // 146 out: past the tip
        EXPECT_FALSE(IsRed(Pixel(image, 180, 195)));  // 15 behind: past the tail
    }

    const QImage right = CompassImage(0, 360, 90);
    for (int y = 177; y <= 183; ++y) {
        EXPECT_TRUE(IsRed(Pixel(right, 280, y))) << y;
    }
    EXPECT_FALSE(IsRed(Pixel(right, 280, 176)));
    EXPECT_FALSE(IsRed(Pixel(right, 180, 80)));
}

TEST(Compass, NoNeedleWithoutAPosition) {
    const QImage image = CompassImage(0, 270, NoPosition);
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            ASSERT_FALSE(IsRed(Pixel(image, x, y))) << x << "," << y;
        }
    }
}

// Not a check: leaves pictures of the rose and of a compass with a wedge and a needle for a
// person to look at.
TEST(Compass, SavesPicturesForReview) {
    const QString folder = qEnvironmentVariable("KEVA_BINARY_DIR", QStringLiteral("/tmp"));
    EXPECT_TRUE(CompassRoseImage().save(folder + QStringLiteral("/compass-rose.png")));
    QImage compass(360, 360, QImage::Format_RGB32);
    QPainter painter(&compass);
    DrawCompassFace(painter, 45, 270, 120);
    painter.end();
    EXPECT_TRUE(compass.save(folder + QStringLiteral("/compass-example.png")));
}

}  // namespace
