// The rotator window: the compass on pixels and to assistive technology, and what it asks for.
#include <gtest/gtest.h>

#include <QAccessibleValueInterface>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <climits>
#include <cmath>
#include <memory>
#include <numbers>

#include "console/compass.h"
#include "console/compass_rose.h"
#include "console/rotator_window.h"
#include "console_test_support.h"

namespace {

// Rows shade from ccwLimit + rotation clockwise to ccwLimit, seen at bearings 22.5 + 45 k ('S'
// darkened to 63/255; no pixels checked if empty), draw the needle, and tell only changes.
// Then the buttons, the typed bearing and presses on the compass each ask for one direction.
TEST(RotatorWindow, CompassReadsAndEveryControlAsks) {
    CRotator rotator{.number = 7, .shortName = {}, .longName = {}, .hasStop = true};
    CRotatorWindow window(rotator, nullptr);
    QSignalSpy asked(&window, &CRotatorWindow::directionRequested);
    CCompass* compass = window.compass();
    Announced announced;
    announced.Watch(compass);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(compass);
    EXPECT_EQ(iface->role(), QAccessible::Dial);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Compass"));
    ASSERT_NE(iface->valueInterface(), nullptr);
    // clang-format off
    const Types None, Range = {QAccessible::DescriptionChanged}, Value = {QAccessible::ValueChanged}, Both = {QAccessible::ValueChanged, QAccessible::DescriptionChanged};
    const char *const noLimit = "no limit", *const from180 = "reachable from 180 clockwise through 450 degrees";
    const struct { const char* behaviour; int32_t ccwLimit, rotation, position; Types told; const char *value, *range, *shaded; } rows[] = {
        {"as it opens", 0, 360, NoPosition, None, "no position", noLimit, "........"},
        {"a full turn shades nothing; needle north", 0, 360, 0, Value, "0 degrees", noLimit, "........"},
        {"a bearing and a range; needle east", 180, 270, 90, Both, "90 degrees", from180, "..SS...."},
        {"the bearing only: 360 is north", 180, 270, 360, Value, "360 degrees", from180, "..SS...."},
        {"the range only: more than a full turn is no limit", 180, 450, 360, Range, "360 degrees", noLimit, "........"},
        {"three quarters reachable; needle over the shade", 0, 270, 0, Both, "0 degrees", "reachable from 0 clockwise through 270 degrees", "......SS"},
        {"half a turn from north shades the west half", 0, 180, NoPosition, Both, "no position", "reachable from 0 clockwise through 180 degrees", "....SSSS"},
        {"east to south reachable", 90, 90, NoPosition, Range, "no position", "reachable from 90 clockwise through 180 degrees", "SS..SSSS"},
        {"rotation 0 darkens the whole disc; 20000 draws no needle either", 123, 0, 20000, Range, "no position", "reachable from 123 clockwise through 123 degrees", "SSSSSSSS"},
        {"a full turn from elsewhere", 180, 360, 90, Both, "90 degrees", noLimit, "........"},
        {"the sum is taken in 64 bits", INT32_MAX, 359, 360, Both, "360 degrees", "reachable from 2147483647 clockwise through 2147484006 degrees", ""},
        {"the lowest server values", INT32_MIN, -1, INT32_MIN, Both, "-2147483648 degrees", "reachable from -2147483648 clockwise through -2147483649 degrees", ""},
    };
    // Logical pixels by distance along the needle and across it (positive to its right).
    const struct { int along, across; bool red; } needle[] = {
        {100, -3, true}, {100, 0, true},  {100, 3, true},  {100, -4, false}, {100, 4, false}, {-8, -3, true},  {-8, 3, true},
        {135, -1, true}, {135, 1, true},   {135, -2, false}, {135, 2, false}, {146, 0, false}, {-15, 0, false},
    };
    // clang-format on
    EXPECT_EQ(&CompassRoseImage(0), &CompassRoseImage()) << "an unusable ratio counts as 1";
    const QImage& fine = CompassRoseImage(2);  // drawn finer, not stretched
    int finerBlocks = 0;
    for (int i = 0; i < 360 * 360; ++i) {
        const QRgb first = Pixel(fine, 2 * (i % 360), 2 * (i / 360));
        finerBlocks += !AllOfBlock(fine, 2, i % 360, i / 360, [&](QRgb c) { return c == first; });
    }
    EXPECT_GT(finerBlocks, 3000);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        rotator.ccwLimit = row.ccwLimit;
        rotator.rotation = row.rotation;
        rotator.relativePosition = row.position;
        window.RotationChanged();
        const QVariant shown = row.position < 20000 ? QVariant(row.position) : QVariant();
        EXPECT_TRUE(row.told.empty() || row.told[0] != QAccessible::ValueChanged ||
                    std::get<2>(announced.told[0]) == shown);
        EXPECT_EQ(announced.Take(compass), row.told);
        EXPECT_EQ(iface->text(QAccessible::Value), row.value);
        EXPECT_EQ(iface->valueInterface()->currentValue(), shown);
        EXPECT_EQ(iface->text(QAccessible::Description), row.range);
        for (int r : {1, 2}) {
            const QImage image = RenderAt(*compass, r);  // drawn at the extremes too
            const QImage& rose = CompassRoseImage(r);
            for (int k = 0; row.shaded[0] != 0 && k < 8; ++k) {
                const int keep = row.shaded[k] == 'S' ? 63 : 255;
                const double bearing = (22.5 + 45 * k) * std::numbers::pi / 180;
                for (int radius = 20; radius < 175; radius += 5) {
                    const int x = r * (180 + int(std::lround(radius * std::sin(bearing))));
                    const int y = r * (180 - int(std::lround(radius * std::cos(bearing))));
                    const QRgb pixel = Pixel(image, x, y), under = Pixel(rose, x, y);
                    for (int shift : {0, 8, 16})
                        ASSERT_NEAR(pixel >> shift & 0xFF, (under >> shift & 0xFF) * keep / 255, 2)
                            << r << " " << 22.5 + 45 * k;
                }
            }
            const bool east = row.position == 90, drawn = row.position < 20000;
            for (const auto& p : needle) {
                // Red within rounding: the constants put a needle at 0 or 90 a hair off the axis.
                const auto red = [&](QRgb c) {
                    return (qRed(c) >= 250 && qGreen(c) <= 5 && qBlue(c) <= 5) == (p.red && drawn);
                };
                const int x = 180 + (east ? p.along : p.across),
                          y = east ? 180 + p.across : 180 - p.along;
                EXPECT_TRUE(row.shaded[0] == 0 || AllOfBlock(image, r, x, y, red))
                    << r << ": " << p.along << " along, " << p.across << " across";
            }
        }
    }
    // Setting the value from outside turns nothing and asks for nothing.
    iface->valueInterface()->setCurrentValue(90);
    EXPECT_EQ(asked.count(), 0);
    EXPECT_TRUE(iface->state().readOnly);
    // clang-format off
    // id 0: a press on the compass at `at`.
    const struct { int id; const char* typed; QPoint at; int bearing; bool stop = false; } asks[] = {
        {1004, "", {}, 45}, {1005, "", {}, 90}, {1006, "", {}, 180}, {1007, "", {}, 270}, {1008, "", {}, 330},
        {1003, "45deg", {}, 45}, {1003, "-30", {}, -30}, {1003, "", {}, 0}, {1003, "  +12x", {}, 12}, {1009, "", {}, 0, true},
        {0, "straight above, a hair below 360", {180, 80}, 360}, {0, "right of north", {181, 80}, 1}, {0, "left of north", {179, 80}, 359},
        {0, "the centre", {180, 180}, 90}, {0, "down", {180, 280}, 180}, {0, "left", {80, 180}, 270}, {0, "corner", {1, 1}, 315},
        {0, "below the rose", {0, 360}, 225},
    };
    // clang-format on
    for (const auto& row : asks) {
        asked.clear();
        window.bearingEdit()->setText(row.id != 0 ? QString::fromLatin1(row.typed) : QString());
        row.id != 0 ? window.button(row.id)->click()
                    : QTest::mouseClick(window.compass(), Qt::LeftButton, {}, row.at);
        EXPECT_EQ(asked, (QList<QVariantList>{{7, row.bearing, row.stop}})) << row.id << row.typed;
    }
}

// Run modally, and once detached with its records deleted.
TEST(RotatorWindow, ModalFlows) {
    for (bool detach : {false, true}) {
        auto rotator = std::make_unique<CRotator>(CRotator{
            .number = 7, .shortName = detach ? "Beam" : "", .longName = {}, .hasStop = detach});
        CRotatorWindow window(*rotator, nullptr);
        QSignalSpy spy(&window, &CRotatorWindow::directionRequested);
        WhenModal<CRotatorWindow>([&](CRotatorWindow& running) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&running));
            EXPECT_EQ(running.windowTitle(), detach ? "Rotator - Beam" : "Rotator");
            EXPECT_EQ(
                std::tuple(running.size(), running.compass()->geometry(),
                           running.button(1009)->isVisible(), running.button(1009)->isEnabled()),
                std::tuple(QSize(381, 533), QRect(11, 11, 360, 390), detach, detach));
            PaintLog counter;
            running.compass()->installEventFilter(&counter);
            rotator->relativePosition = 90;
            running.RotationChanged();
            EXPECT_EQ(counter.painted.size(), 1u);
            if (detach) {
                // Tab runs from the edit through the buttons to the compass, which then shows a
                // dotted focus rectangle (pixels with x + y even inverted on the rose's border).
                EXPECT_EQ(QAccessible::queryAccessibleInterface(running.bearingEdit())
                              ->text(QAccessible::Name),
                          "Bearing");
                const QImage unfocused = RenderAt(*running.compass());
                for (int id = 1003; id <= 1010; ++id) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                    EXPECT_EQ(
                        QApplication::focusWidget(),
                        id < 1010 ? static_cast<QWidget*>(running.button(id)) : running.compass());
                }
                const QImage focused = RenderAt(*running.compass());
                // clang-format off
                const struct { int x, y; bool dotted; } probes[] = {{0, 0, true}, {2, 0, true}, {0, 180, true}, {359, 359, true},
                    {1, 0, false}, {0, 1, false}, {1, 1, false}, {180, 180, false}};
                // clang-format on
                for (const auto& p : probes)
                    EXPECT_EQ(Pixel(focused, p.x, p.y),
                              Pixel(unfocused, p.x, p.y) ^ (p.dotted ? 0xFFFFFFu : 0u))
                        << p.x << "," << p.y;
                // A press turns the rotator and leaves the focus where it is.
                running.bearingEdit()->setFocus(Qt::TabFocusReason);
                QTest::mouseClick(running.compass(), Qt::LeftButton, {}, QPoint(280, 180));
                EXPECT_TRUE(running.bearingEdit()->hasFocus());
                EXPECT_EQ(RenderAt(*running.compass()), unfocused);
                // The console deletes the records right after: nothing may touch them.
                running.CloseAndDetach();
                rotator.reset();
                EXPECT_EQ(running.rotator(), nullptr);
                running.RotationChanged();
                RenderAt(*running.compass());
                for (int id : {1004, 1009, 1003})
                    running.button(id)->click();
                QTest::mouseClick(running.compass(), Qt::LeftButton, {}, QPoint(10, 10));
                return;
            }
            // No button is or looks like the default, wherever the focus goes; Enter on a
            // focused button clicks it (Shift+Return is not Enter), and in the edit closes
            // without asking.
            for (QWidget* focus : std::initializer_list<QWidget*>{
                     running.bearingEdit(), running.button(1004), running.button(1003)}) {
                focus->setFocus(Qt::TabFocusReason);
                EXPECT_TRUE(QTest::qWaitFor([&] { return focus->hasFocus(); }, 10000));
                for (int id = 1003; id <= 1009; ++id)
                    EXPECT_FALSE(running.button(id)->isDefault());
            }
            QTest::keyClick(running.button(1003), Qt::Key_Return);
            QTest::keyClick(running.button(1003), Qt::Key_Return, Qt::ShiftModifier);
            EXPECT_TRUE(running.isVisible());
            running.bearingEdit()->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(running.bearingEdit(), QStringLiteral("90"));
            QTest::keyClick(running.bearingEdit(), Qt::Key_Return);
        });
        EXPECT_EQ(window.exec(), detach ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_EQ(spy, (QList<QVariantList>{{7, detach ? 90 : 0, false}}));
    }
}

}  // namespace
