// The grid against keva-sim: what the station puts on it, and what clicks on it bring back.
#include <QTest>

#include "app/console_layout.h"
#include "console/ant_func_button.h"
#include "console/rotator_button.h"
#include "console/tr_button.h"
#include "e2e/console_e2e_fixture.h"
#include "e2e/radio_client.h"

namespace {

using GridEndToEnd = ConsoleEndToEnd;

TEST_F(GridEndToEnd, ShowsTheStationsNamesPlacesRotatorsAndTitle) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (const PlacedItem& item : StationGrid) {
        SCOPED_TRACE(item.label);
        CAntFuncButton* button = ButtonOfSlot(Slot(item.row, item.column));
        EXPECT_EQ(button->text().toStdString(), item.label);
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(SidesOfSlot(Slot(item.row, item.column)), item.first);
        const QColor face = item.first.tx == 0 ? UnavailableFace : AvailableFace;
        EXPECT_EQ(PixelOf(button, TopBarPixel(button)), face);
        EXPECT_EQ(PixelOf(button, BottomBarPixel(button)), face);
    }
    EXPECT_TRUE(ButtonOfSlot(EmptySlot)->isHidden());
    EXPECT_FALSE(ButtonOfSlot(EmptySlot)->isEnabled());

    struct RotatorRow {
        int index;
        const char* label;
    };
    for (const RotatorRow& row :
         {RotatorRow{TowerRotator, "Tower\n45"}, {MastRotator, "Mast\n300"}}) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(RotatorButton(row.index)->text().toStdString(), row.label);
        EXPECT_TRUE(RotatorButton(row.index)->isVisible());
        EXPECT_FALSE(RotatorButton(row.index)->inUse());
    }
    for (int index = 2; index < MaxRotators; ++index) {
        EXPECT_TRUE(RotatorButton(index)->isHidden()) << "rotator button " << index;
    }
    EXPECT_EQ(console->windowTitle().toStdString(), FullTitle());
}

TEST_F(GridEndToEnd, AClickSelectsAnAntennaAndTheNextStatePaintsIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ClickSlot(TribanderSlot);
    ASSERT_TRUE(WaitFor([this] { return SidesOfSlot(TribanderSlot) == Sides{2, 2}; }));
    EXPECT_EQ(
        sim.CountLogged("Antenna for station 1 radio 1: TX 1 on antenna 5, RX 1 on antenna 5"), 1)
        << sim.log();

    CAntFuncButton* button = ButtonOfSlot(TribanderSlot);
    EXPECT_EQ(PixelOf(button, TopBarPixel(button)), SelectedBar);
    EXPECT_EQ(PixelOf(button, BottomBarPixel(button)), SelectedBar);
    EXPECT_EQ(PixelOf(button, QPoint(3, button->height() / 2)), AvailableFace);
    // The same name on both sides goes on the TX line alone, after four blanks.
    EXPECT_EQ(LineText(TxLabelId), "    20/15/10 m Tribander (tower)");
    EXPECT_EQ(LineText(RxLabelId), "");
    EXPECT_TRUE(RotatorButton(TowerRotator)->inUse());
    EXPECT_FALSE(RotatorButton(MastRotator)->inUse());
}

// Each row arms a mode, clicks an antenna and checks the side it selected; the selections add
// up, since the other side of each antenna stays as it was.
TEST_F(GridEndToEnd, TxAndRxModesSelectOneSideOnly) {
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Row {
        const char* behaviour;
        int modeButton;
        int slot;
        Sides expected;
        const char* logged;
    };
    const Row rows[] = {
        {"TX armed selects the 20 m monobander for transmit",
         TxModeButtonId,
         TwentyMonoSlot,
         {2, 1},
         "Antenna for station 1 radio 1: TX 1 on antenna 7"},
        {"RX armed selects the Tribander for receive",
         RxModeButtonId,
         TribanderSlot,
         {1, 2},
         "Antenna for station 1 radio 1: RX 1 on antenna 5"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        auto* mode = qobject_cast<CTRButton*>(console->control(row.modeButton));
        ClickControl(row.modeButton);
        EXPECT_TRUE(mode->armed());
        ClickSlot(row.slot);
        EXPECT_FALSE(mode->armed()) << "an armed mode lasts for one click";
        ASSERT_TRUE(WaitFor([&] { return SidesOfSlot(row.slot) == row.expected; }))
            << ::testing::PrintToString(SidesOfSlot(row.slot));
        EXPECT_EQ(sim.CountLogged(std::string(row.logged) + "\n"), 1) << sim.log();
        CAntFuncButton* button = ButtonOfSlot(row.slot);
        EXPECT_EQ(PixelOf(button, TopBarPixel(button)),
                  row.expected.tx == 2 ? SelectedBar : AvailableFace);
        EXPECT_EQ(PixelOf(button, BottomBarPixel(button)),
                  row.expected.rx == 2 ? SelectedBar : AvailableFace);
    }
    EXPECT_EQ(SidesOfSlot(TwentyMonoSlot), (Sides{2, 1}));
    EXPECT_EQ(LineText(TxLabelId), "TX: 20 m 5-el Monobander (mast)");
    EXPECT_EQ(LineText(RxLabelId), "RX: 20/15/10 m Tribander (tower)");
}

// The second console is a plain socket on radio 2, tuned to 20 m so that the two radios compete
// for the same antennas.
TEST_F(GridEndToEnd, ASecondConsoleOnRadio2SeesTheLockOut) {
    ASSERT_NO_FATAL_FAILURE(Start());
    RadioClient radio2(1, 2);
    ASSERT_TRUE(radio2.Connect(sim.port()));
    radio2.SendRadio(14200);
    ASSERT_TRUE(WaitFor([&] { return radio2.Antenna(5) == RadioClient::Sides{1, 1}; }));

    // Radio 1 transmits on the Tribander: radio 2 may still receive on it.
    ClickSlot(TribanderSlot);
    ASSERT_TRUE(WaitFor([&] {
        return radio2.Antenna(5) == RadioClient::Sides{0, 1};
    })) << "radio 2 sees TX "
        << radio2.Antenna(5).tx << " RX " << radio2.Antenna(5).rx;

    // Radio 2 transmits on the 20 m monobander: the console shows its TX side unavailable,
    // the upper half of the face in the unavailable colour and the lower half available.
    radio2.SendAntenna(1, 7, 0);
    ASSERT_TRUE(WaitFor([this] { return SidesOfSlot(TwentyMonoSlot) == Sides{0, 1}; }));
    CAntFuncButton* button = ButtonOfSlot(TwentyMonoSlot);
    EXPECT_EQ(PixelOf(button, TopBarPixel(button)), UnavailableFace);
    EXPECT_EQ(PixelOf(button, BottomBarPixel(button)), AvailableFace);
    EXPECT_EQ(SidesOfSlot(TribanderSlot), (Sides{2, 2}));
}

// A function click asks for the next state; the momentary one falls back by itself.
TEST_F(GridEndToEnd, FunctionClicksAndTheMomentaryFallBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    struct Row {
        const char* behaviour;
        int slot;
        std::vector<int32_t> painted;  // the TX states the button showed, in order
        bool clickAgainWhenSelected;
    };
    const Row rows[] = {
        {"a plain function switches on and, clicked again, off", AmpSlot, {1, 2, 1}, true},
        {"a momentary function switches on and falls back to Available",
         TuneSlot,
         {1, 2, 1},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.behaviour);
        CAntFuncButton* button = ButtonOfSlot(row.slot);
        PaintRecorder painted(button, [button] { return button->txState(); });
        ClickSlot(row.slot);
        ASSERT_TRUE(WaitFor([&] { return painted.values().size() >= 2; }));
        if (row.clickAgainWhenSelected) {
            ClickSlot(row.slot);
        }
        ASSERT_TRUE(WaitFor([&] { return painted.values().size() >= row.painted.size(); }))
            << ::testing::PrintToString(painted.values());
        EXPECT_EQ(painted.values(), row.painted);
        EXPECT_EQ(SidesOfSlot(row.slot), (Sides{1, 1}));
        button->removeEventFilter(&painted);
    }
    EXPECT_EQ(sim.CountLogged("Function for station 1 radio 1: function 2 state 1"), 1);
}

// What a real double click delivers: press, release, a double-click press, release. The first
// press clicks (switch on), the second asks for the second mode, shown as the highlight: a
// dotted frame three pixels in, every other pixel inverted.
TEST_F(GridEndToEnd, ADoubleClickOnAnAlternateFunctionTogglesItsSecondMode) {
    ASSERT_NO_FATAL_FAILURE(Start());
    CAntFuncButton* stack = ButtonOfSlot(StackSlot);
    QTest::mouseClick(stack, Qt::LeftButton);
    QTest::mouseDClick(stack, Qt::LeftButton);
    QTest::mouseRelease(stack, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([stack] { return stack->txState() == 2 && stack->highlight(); }));
    EXPECT_EQ(sim.CountLogged("Function for station 1 radio 1: function 3 state 1\n"), 1);
    EXPECT_EQ(sim.CountLogged("Function for station 1 radio 1: function 3 state 3\n"), 1);
    EXPECT_EQ(PixelOf(stack, QPoint(3, 3)), QColor(255, 255, 0));  // the face, inverted
    EXPECT_EQ(PixelOf(stack, QPoint(4, 3)), AvailableFace);
}

}  // namespace
