// Rotator windows against keva-sim: a preset turns the rotator, which reports its way round
// until it stops at the bearing; Stop halts it on the way.
#include <QPushButton>
#include <QTest>

#include "console/compass.h"
#include "console/rotator_button.h"
#include "console/rotator_window.h"
#include "e2e/console_e2e_fixture.h"

namespace {

using RotatorEndToEnd = ConsoleEndToEnd;

// Control ids of the rotator window.
constexpr int Preset90 = 1005;
constexpr int Preset180 = 1006;
constexpr int Preset270 = 1007;
constexpr int StopButton = 1009;

// The compass centre, and a point on the needle's thick part for bearing 90 and for bearing 0.
constexpr QPoint EastOnNeedle(180 + 100, 180);
constexpr QPoint NorthOnNeedle(180, 180 - 100);

bool Red(const QColor& color) {
    return color.red() > 200 && color.green() < 60 && color.blue() < 60;
}

void Click(CRotatorWindow& window, int id) {
    QPushButton* button = window.button(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The Tower starts at 45 and turns clockwise to 90 at 6 degrees a second. Every "Rotation"
// repaints the compass, so the recorder sees the whole way.
TEST_F(RotatorEndToEnd, APresetTurnsTheNeedleUntilItStopsAtTheBearing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_EQ(Bearing(TowerRotator), 45);
    std::vector<int32_t> way;
    bool northRed = true;
    bool eastRed = false;
    WithRotatorWindow(TowerRotator, [&](CRotatorWindow& window) {
        EXPECT_EQ(window.windowTitle().toStdString(), "Rotator - Tower");
        EXPECT_FALSE(window.button(StopButton)->isHidden());
        PaintRecorder needle(window.compass(), [&window] {
            return window.rotator() == nullptr ? NoPosition : window.rotator()->relativePosition;
        });
        Click(window, Preset90);
        ASSERT_TRUE(WaitFor([this] { return Bearing(TowerRotator) == 90; }, 40000))
            << "the needle stands at " << Bearing(TowerRotator);
        way = needle.values();
        const QImage compass = window.compass()->grab().toImage();
        eastRed = Red(compass.pixelColor(EastOnNeedle));
        northRed = Red(compass.pixelColor(NorthOnNeedle));
        window.compass()->removeEventFilter(&needle);
    });
    EXPECT_EQ(sim.CountLogged("Direction for rotator 1: turn to 90"), 1);
    ASSERT_GE(way.size(), 3u) << "the needle should pass through bearings on the way";
    EXPECT_EQ(way.front(), 45);
    EXPECT_EQ(way.back(), 90);
    EXPECT_TRUE(std::is_sorted(way.begin(), way.end())) << ::testing::PrintToString(way);
    EXPECT_TRUE(eastRed);
    EXPECT_FALSE(northRed);
    EXPECT_EQ(RotatorButton(TowerRotator)->text().toStdString(), "Tower\n90");
}

// The Tower turns from 45 toward 180 (over two minutes' worth of its speed away); Stop halts it.
// That it stays halted is measured against the Mast turning meanwhile: the Mast's reports come
// after the Stop on the same connection, and a Tower still turning would report alongside them.
TEST_F(RotatorEndToEnd, StopHaltsTheRotatorBeforeItsTarget) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WithRotatorWindow(TowerRotator, [&](CRotatorWindow& window) {
        Click(window, Preset180);
        ASSERT_TRUE(WaitFor([this] { return Bearing(TowerRotator) >= 48; }));
        Click(window, StopButton);
    });
    ASSERT_TRUE(WaitFor([this] { return sim.CountLogged("Direction for rotator 1: stop") == 1; }))
        << sim.log();

    int32_t towerWhenMastSetOff = NoPosition;
    int32_t towerLater = NoPosition;
    WithRotatorWindow(MastRotator, [&](CRotatorWindow& window) {
        EXPECT_TRUE(window.button(StopButton)->isHidden()) << "the Mast has no Stop";
        Click(window, Preset270);
        ASSERT_TRUE(WaitFor([this] { return Bearing(MastRotator) <= 299; }));
        towerWhenMastSetOff = Bearing(TowerRotator);
        // Five degrees of the Mast are more than a second of the simulator's clock.
        ASSERT_TRUE(WaitFor([this] { return Bearing(MastRotator) <= 295; }));
        towerLater = Bearing(TowerRotator);
    });
    EXPECT_GE(towerWhenMastSetOff, 48);
    EXPECT_LT(towerWhenMastSetOff, 180);
    EXPECT_EQ(towerLater, towerWhenMastSetOff);
}

}  // namespace
