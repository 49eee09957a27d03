// Painting at a device pixel ratio of 2 (a screen scaled by 2): the same geometry in logical
// pixels, each logical pixel two device pixels wide, and the compass rose drawn for the finer
// pixels rather than stretched.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "console/ant_func_button.h"
#include "console/color_scheme.h"
#include "console/compass.h"
#include "console/compass_rose.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "console/tr_button.h"
#include "console_test_support.h"

namespace {

constexpr int Ratio = 2;

// The widget rendered as on a screen of pixel ratio 2.
QImage RenderAtRatio2(QWidget& widget) {
    QImage image(widget.size() * Ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(Ratio);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

QImage CompassAtRatio2(int32_t ccwLimit, int32_t rotation, int32_t relativePosition) {
    CRotator rotator;
    rotator.ccwLimit = ccwLimit;
    rotator.rotation = rotation;
    rotator.relativePosition = relativePosition;
    CRotatorWindow window(rotator, nullptr);
    return RenderAtRatio2(*window.compass());
}

bool IsRed(QRgb pixel) {
    return qRed(pixel) >= 250 && qGreen(pixel) <= 5 && qBlue(pixel) <= 5;
}

bool Darkened(QRgb pixel, QRgb rose) {
    auto near = [](int channel, int roseChannel) {
        return std::abs(channel - roseChannel * 63 / 255) <= 2;
    };
    return near(qRed(pixel), qRed(rose)) && near(qGreen(pixel), qGreen(rose)) &&
           near(qBlue(pixel), qBlue(rose));
}

// Whether all four device pixels of logical pixel (x, y) satisfy `test`.
bool AllOfBlock(const QImage& image, int x, int y, const std::function<bool(QRgb)>& test) {
    for (int dy = 0; dy < Ratio; ++dy) {
        for (int dx = 0; dx < Ratio; ++dx) {
            if (!test(Pixel(image, Ratio * x + dx, Ratio * y + dy))) {
                return false;
            }
        }
    }
    return true;
}
bool NoneOfBlock(const QImage& image, int x, int y, const std::function<bool(QRgb)>& test) {
    return AllOfBlock(image, x, y, [&](QRgb pixel) { return !test(pixel); });
}

TEST(HighDpi, CompassRoseIsPaintedForTheFinerPixels) {
    const QImage image = CompassAtRatio2(0, 360, NoPosition);
    ASSERT_EQ(image.size(), QSize(720, 780));
    const QImage& rose = CompassRoseImage(Ratio);
    ASSERT_EQ(rose.size(), QSize(720, 720));
    EXPECT_EQ(rose.devicePixelRatio(), Ratio);
    EXPECT_EQ(&rose, &CompassRoseImage(Ratio)) << "painted once per ratio";
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 720; ++x) {
            ASSERT_EQ(Pixel(image, x, y), rose.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
        }
    }

    // A rose of 360 pixels stretched to 720 repeats each pixel in a 2 x 2 block; this one draws
    // its rings, ticks and letters at the finer pixels, so many blocks are not uniform, and it
    // differs from the stretched picture.
    const QImage stretched =
        CompassRoseImage().scaled(720, 720, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int finerBlocks = 0;
    int differing = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            const QRgb first = Pixel(image, 2 * x, 2 * y);
            finerBlocks += !AllOfBlock(image, x, y, [&](QRgb pixel) { return pixel == first; });
        }
    }
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 720; ++x) {
            const QRgb a = Pixel(image, x, y);
            const QRgb b = Pixel(stretched, x, y);
            differing += std::abs(qGray(a) - qGray(b)) > 40;
        }
    }
    EXPECT_GT(finerBlocks, 3000);
    EXPECT_GT(differing, 3000);
}

TEST(HighDpi, NeedleAndWedgeStandWhereTheLogicalGeometryPutsThem) {
    const QImage image = CompassAtRatio2(0, 270, 0);
    const QImage& rose = CompassRoseImage(Ratio);
    auto red = [](QRgb pixel) { return IsRed(pixel); };

    // The needle at 0: 7 logical pixels wide up to 130 out, 3 wide to 143, 10 behind the centre.
    for (int x = 177; x <= 183; ++x) {
        EXPECT_TRUE(AllOfBlock(image, x, 80, red)) << x;
        EXPECT_TRUE(AllOfBlock(image, x, 188, red)) << x;
    }
    EXPECT_TRUE(NoneOfBlock(image, 176, 80, red));
    EXPECT_TRUE(NoneOfBlock(image, 184, 80, red));
    for (int x = 179; x <= 181; ++x) {
        EXPECT_TRUE(AllOfBlock(image, x, 45, red)) << x;
    }
    EXPECT_TRUE(NoneOfBlock(image, 178, 45, red));
    EXPECT_TRUE(NoneOfBlock(image, 182, 45, red));
    EXPECT_TRUE(NoneOfBlock(image, 180, 34, red));
    EXPECT_TRUE(NoneOfBlock(image, 180, 195, red));

    // The wedge: bearings 270 clockwise to 360 darkened, the rest the rose as it is.
    int shaded = 0;
    for (int y = 0; y < 360; y += 3) {
        for (int x = 0; x < 360; x += 3) {
            const double dx = x - 180, dy = y - 180;
            const double radius = std::hypot(dx, dy);
            if (radius < 14 || radius > 175 || std::abs(dx) < 6) {
                continue;  // the centre, the edge and the needle's column
            }
            double bearing = std::atan2(dx, -dy) * 180 / std::numbers::pi;
            bearing = bearing < 0 ? bearing + 360 : bearing;
            for (int d = 0; d < Ratio; ++d) {
                const int px = Ratio * x + d, py = Ratio * y + d;
                const QRgb rosePixel = rose.pixel(px, py) & 0xFFFFFFu;
                if (bearing > 272 && bearing < 358) {
                    ASSERT_TRUE(Darkened(Pixel(image, px, py), rosePixel)) << x << "," << y;
                    ++shaded;
                } else if (bearing > 2 && bearing < 268) {
                    ASSERT_EQ(Pixel(image, px, py), rosePixel) << x << "," << y;
                }
            }
        }
    }
    EXPECT_GT(shaded, 500);
}

// Fills, bars, edges and the dotted highlight of each button: every logical pixel away from the
// label becomes a 2 x 2 block of the colour it has at ratio 1.
TEST(HighDpi, ButtonFacesKeepTheirGeometryInLogicalPixels) {
    CurrentColorScheme() = ColorScheme{};
    CAntFuncButton grid(5, nullptr);
    grid.resize(95, 41);
    grid.setText(QStringLiteral("Beam"));
    grid.SetState({2, 0, true});
    CRotatorButton rotator(20, nullptr);
    rotator.resize(95, 41);
    rotator.SetLabelAndMarks("Beam\n225", false, true);
    CTRButton mode(1009, nullptr);
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
        QWidget* button = row.button;
        const QImage atOne = Grab(*button);
        const QImage atTwo = RenderAtRatio2(*button);
        ASSERT_EQ(atTwo.size(), button->size() * 2);
        const int w = button->width();
        const int h = button->height();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (row.label.contains(x, y)) {
                    continue;
                }
                const QRgb expected = Pixel(atOne, x, y);
                ASSERT_TRUE(AllOfBlock(atTwo, x, y, [&](QRgb pixel) { return pixel == expected; }))
                    << button->metaObject()->className() << " " << x << "," << y;
            }
        }
    }
}

}  // namespace
