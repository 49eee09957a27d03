// The console's menu commands against keva-sim: the radio's frequency, and relative antennas
// that the simulator resolves.
#include <QPushButton>
#include <QTest>
#include <set>

#include "app/console_menu.h"
#include "console/ant_func_button.h"
#include "console/relative_dialog.h"
#include "e2e/console_e2e_fixture.h"

namespace {

using CommandsEndToEnd = ConsoleEndToEnd;

TEST_F(CommandsEndToEnd, TheFrequencyCommandMakesAntennasOutsideTheBandUnavailable) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ReportFrequency(QStringLiteral("7100"));
    // At 7100 kHz only the two 40 m antennas are usable.
    ASSERT_TRUE(WaitFor([this] { return SidesOfSlot(Slot(0, 2)) == Sides{1, 1}; })) << sim.log();
    EXPECT_EQ(sim.CountLogged("Radio for station 1 radio 1: 7100 kHz"), 1);
    // Functions do not depend on the frequency.
    const std::set<std::string> usable = {"40 Yagi", "40 Dipole", "Amp", "Tune", "Stack"};
    for (const PlacedItem& item : StationGrid) {
        SCOPED_TRACE(item.label);
        const Sides expected = usable.count(item.label) != 0 ? Sides{1, 1} : Sides{0, 0};
        EXPECT_EQ(SidesOfSlot(Slot(item.row, item.column)), expected);
    }
    CAntFuncButton* tribander = ButtonOfSlot(TribanderSlot);
    EXPECT_EQ(PixelOf(tribander, TopBarPixel(tribander)), UnavailableFace);
}

// At 14025 kHz the usable antennas are, in station order, the Tribander and the 20 m
// monobander; "Next" and "Previous" step between them on both sides, wrapping round.
TEST_F(CommandsEndToEnd, RelativeRequestsStepThroughTheUsableAntennas) {
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Row {
        const char* behaviour;
        int button;
        Sides tribander;
        Sides twentyMono;
    };
    const Row rows[] = {
        {"Next with nothing selected takes the first", 8, {2, 2}, {1, 1}},
        {"Next again steps on", 8, {1, 1}, {2, 2}},
        {"Previous steps back", 7, {2, 2}, {1, 1}},
        {"Previous from the first wraps round to the last", 7, {1, 1}, {2, 2}},
    };
    WithModal<CRelative>([this] { console->OnSysCommand(IdSysRelative); },
                         [&](CRelative& relative) {
                             for (const Row& row : rows) {
                                 SCOPED_TRACE(row.behaviour);
                                 QTest::mouseClick(relative.button(row.button), Qt::LeftButton);
                                 ASSERT_TRUE(WaitFor([&] {
                                     return SidesOfSlot(TribanderSlot) == row.tribander &&
                                            SidesOfSlot(TwentyMonoSlot) == row.twentyMono;
                                 }));
                             }
                             QTest::mouseClick(relative.button(1), Qt::LeftButton);  // OK
                         });
    EXPECT_EQ(
        sim.CountLogged("Antenna for station 1 radio 1: TX 6 on antenna 0, RX 6 on antenna 0"), 2);
    EXPECT_EQ(
        sim.CountLogged("Antenna for station 1 radio 1: TX 7 on antenna 0, RX 7 on antenna 0"), 2);
}

}  // namespace
