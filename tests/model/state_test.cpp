// "State" through a Station: states on descriptions and buttons, rotator marks, long names.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

using Strings = std::vector<std::string>;

class StateTest : public StationTest {
protected:
    StateTest() {
        Rotators(R"({"Rotators":[{"Rotator":1,"ShortName":"North"},
                                 {"Rotator":2,"ShortName":"South"}]})");
        Configure(R"({"Antennas":[
            {"Antenna":1,"ShortName":"Yagi","Description":[{"Rotator":1}]},
            {"Antenna":2,"ShortName":"Quad","Description":[{"Rotator":2},{"Rotator":1}]},
            {"Antenna":3,"ShortName":"Twin"},
            {"Antenna":3,"ShortName":"Twin too"}],
          "Functions":[{"Function":1,"ShortName":"Amp"}]})");
        view.log.clear();
    }
};

TEST_F(StateTest, AntennaEntrySetsButtonAndMarksItsRotatorsInUse) {
    State(R"({"Antennas":[{"Antenna":2,"TX":2,"RX":1}]})");
    EXPECT_EQ(view.grid[1].state, (GridButtonState{2, 1, false}));
    EXPECT_EQ(station.DescriptionOnSlot(1)->txState, 2);
    EXPECT_EQ(station.DescriptionOnSlot(1)->rxState, 1);
    EXPECT_TRUE(station.rotators()[0]->inUse);
    EXPECT_TRUE(station.rotators()[1]->inUse);
    EXPECT_TRUE(view.rotatorButtons[0].inUse);
    EXPECT_TRUE(view.rotatorButtons[1].inUse);
    EXPECT_EQ(reports.texts, Strings{});
}

// Each entry clears the marks (refreshing the buttons that lose one), then sets them again from
// every antenna selected so far and refreshes the buttons in use.
TEST_F(StateTest, MarksAreRecomputedForEveryEntry) {
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":0},{"Antenna":2,"TX":1,"RX":1},
                          {"Antenna":1,"TX":1,"RX":1}]})");
    EXPECT_EQ(view.log, (Strings{"state 0 2 0", "refresh 0 11",                  //
                                 "state 1 1 1", "refresh 0 10", "refresh 0 11",  //
                                 "state 0 1 1", "refresh 0 10"}));
    EXPECT_FALSE(station.rotators()[0]->inUse);
}

TEST_F(StateTest, EveryButtonShowingTheNumberIsUpdated) {
    State(R"({"Antennas":[{"Antenna":3,"TX":1,"RX":2,"Highlight":true}]})");
    EXPECT_EQ(view.grid[2].state, (GridButtonState{1, 2, true}));
    EXPECT_EQ(view.grid[3].state, (GridButtonState{1, 2, true}));
}

TEST_F(StateTest, FunctionStateGoesToBothSidesAndKindsStayApart) {
    State(R"({"Functions":[{"Function":1,"State":2}]})");
    EXPECT_EQ(view.grid[4].state, (GridButtonState{2, 2, false}));
    EXPECT_EQ(station.DescriptionOnSlot(4)->rxState, 2);
    EXPECT_EQ(view.grid[0].state, GridButtonState{}) << "antenna 1 is not function 1";
}

TEST_F(StateTest, IncompleteEntriesAreSkippedSilently) {
    State(R"({"Antennas":[{"Antenna":1,"TX":2},{"Antenna":1,"TX":-1,"RX":2},{},
                          {"TX":2,"RX":2}],
              "Functions":[{"Function":1},{"State":1},{}]})");
    EXPECT_EQ(reports.texts, Strings{});
    EXPECT_TRUE(view.log.empty());
}

TEST_F(StateTest, StringHighlightDoesNotHighlight) {
    State(R"({"Antennas":[{"Antenna":1,"TX":1,"RX":1,"Highlight":"true"}]})");
    EXPECT_FALSE(view.grid[0].state.highlight);
}

TEST_F(StateTest, ReportStopsAfterTheEntriesBefore) {
    State(R"({"TXLongName":"Before"})");
    State(R"({"TXLongName":"After","Antennas":[{"Antenna":1,"TX":1,"RX":1},
                          {"Antenna":2,"TX":1,"RX":2},"three"]})");
    EXPECT_EQ(reports.texts, Strings{"Antenna parameters are not an object"});
    EXPECT_EQ(view.grid[0].state.txState, 1);
    EXPECT_EQ(view.grid[1].state.rxState, 2);
    EXPECT_EQ(view.txLine, "    Before");
}

TEST_F(StateTest, AntennaWithoutNumberTextIsNumberZero) {
    Configure(R"({"Antennas":[{"Antenna":0,"ShortName":"Zero"}]})");
    State(R"({"Antennas":[{"Antenna":true,"TX":1,"RX":2}]})");
    EXPECT_EQ(view.grid[0].state, (GridButtonState{1, 2, false}));
}

TEST_F(StateTest, LateRotatorGetsInUseAtTheNextEntryButOnGridOnlyAtTheNextConfiguration) {
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":2}]})");
    Rotators(R"({"Rotators":[{"Rotator":5,"ShortName":"Late"}]})");
    Configure(R"({"Antennas":[{"Antenna":1,"Description":[{"Rotator":5}]}]})");
    EXPECT_TRUE(station.rotators()[2]->onGrid);
    EXPECT_FALSE(station.rotators()[2]->inUse) << "the rebuild clears the in-use marks";
    Rotators(R"({"Rotators":[{"Rotator":6,"ShortName":"Later"}]})");
    Configure(R"({"Antennas":[{"Antenna":1,"Description":[{"Rotator":6}]}]})");
    Rotators(R"({"Rotators":[{"Rotator":7}]})");
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":0}]})");
    EXPECT_TRUE(station.rotators()[3]->inUse);
    EXPECT_TRUE(view.rotatorButtons[3].inUse);
    EXPECT_FALSE(station.rotators()[4]->onGrid);
    EXPECT_EQ(view.rotatorButtons[4].label, "Rotator 5");
}

TEST_F(StateTest, LongNameLinesThroughTheHandler) {
    State(R"({"RXLongName":"Rx only"})");
    EXPECT_EQ(view.txLine, "");
    EXPECT_EQ(view.rxLine, "");
    State(R"({"TXLongName":"Yagi","RXLongName":"Beverage"})");
    EXPECT_EQ(view.txLine, "TX: Yagi");
    EXPECT_EQ(view.rxLine, "RX: Beverage");
    State(R"({"TXLongName":"Yagi","TXLongName":"Quad"})");
    EXPECT_EQ(view.txLine, "    Quad");
    State(R"([1,2])");
    EXPECT_EQ(view.txLine, "");
    EXPECT_EQ(reports.texts, Strings{"Message parameters are not an object"});
}

}  // namespace
