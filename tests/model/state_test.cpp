// "State" through a Station: states on descriptions and buttons, rotator marks, long names.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

class StateTest : public StationTest {
protected:
    StateTest() {
        Rotators(R"({"Rotators":[{"Rotator":1,"ShortName":"North"},
                                 {"Rotator":2,"ShortName":"South"}]})");
        Configure(R"({"Antennas":[
            {"Antenna":1,"ShortName":"Yagi","Description":[{"Rotator":1}]},
            {"Antenna":2,"ShortName":"Quad","Description":[{"Rotator":2},{"Rotator":1}]},
            {"Antenna":3,"ShortName":"Twin"},
            {"Antenna":3,"ShortName":"Twin too"},
            {"Antenna":0,"ShortName":"Zero"}],
          "Functions":[{"Function":1,"ShortName":"Amp"}]})");
        view.log.clear();
    }
};

struct StateRow {
    const char* behaviour;
    const char* parameters;
    const char* states;  // the buttons repainted, in order
    const char* marks;   // of the two rotators afterwards
};

// Rows run in turn on one station.
TEST_F(StateTest, EntriesTable) {
    const StateRow rows[] = {
        {"an antenna entry sets its button and its rotators are in use",
         R"({"Antennas":[{"Antenna":2,"TX":2,"RX":1}]})", "1 2 1;", "11 11"},
        {"every button showing the number is updated",
         R"({"Antennas":[{"Antenna":3,"TX":1,"RX":2,"Highlight":true}]})", "2 1 2 h;3 1 2 h;",
         "11 11"},
        {"a function state goes to both sides; antenna 1 is not function 1",
         R"({"Functions":[{"Function":1,"State":2}]})", "5 2 2;", "11 11"},
        {"incomplete entries are skipped silently",
         R"({"Antennas":[{"Antenna":1,"TX":2},{"Antenna":1,"TX":-1,"RX":2},{},{"TX":2,"RX":2}],
             "Functions":[{"Function":1},{"State":1},{}]})",
         "", "11 11"},
        {"a string highlight does not highlight",
         R"({"Antennas":[{"Antenna":1,"TX":1,"RX":1,"Highlight":"true"}]})", "0 1 1;", "11 11"},
        {"an antenna number that is not a number is 0",
         R"({"Antennas":[{"Antenna":true,"TX":1,"RX":2}]})", "4 1 2;", "11 11"},
        {"an antenna no longer selected frees its rotators",
         R"({"Antennas":[{"Antenna":2,"TX":1,"RX":0}]})", "1 1 0;", "10 10"},
    };
    for (const StateRow& row : rows) {
        SCOPED_TRACE(row.behaviour);
        view.log.clear();
        State(row.parameters);
        std::string states;
        for (const std::string& line : view.log) {
            states += line.starts_with("state ") ? line.substr(6) + ";" : "";
        }
        EXPECT_EQ(states, row.states);
        EXPECT_EQ(view.log.empty(), states.empty()) << "no entry applied, nothing redrawn";
        EXPECT_EQ(Marks(), row.marks);
        for (int j = 0; j < 6; ++j) {  // each description holds what its button shows
            const AntFuncDescription* d = station.DescriptionOnSlot(j);
            const GridButtonState& shown = view.grid[j].state;
            EXPECT_EQ(d->txState * 10 + d->rxState, shown.txState * 10 + shown.rxState) << j;
        }
    }
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

// A stop keeps the entries before it but writes no long-name lines.
TEST_F(StateTest, StopsKeepEarlierEntriesAndLeaveTheLines) {
    State(R"({"TXLongName":"Kept"})");
    for (const char* stop :
         {R"({"TXLongName":"New","Antennas":5})", R"({"TXLongName":"New","Functions":[7]})",
          R"({"TXLongName":"New","Antennas":[{"Antenna":1,"TX":1,"RX":1},
                                             {"Antenna":2,"TX":1,"RX":2},"three"]})"}) {
        State(stop);
        EXPECT_EQ(view.txLine, "    Kept") << stop;
    }
    EXPECT_EQ(view.grid[0].state.txState, 1);
    EXPECT_EQ(view.grid[1].state.rxState, 2);
}

TEST_F(StateTest, LateRotatorGetsInUseAtTheNextEntryButOnGridOnlyAtTheNextConfiguration) {
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":2}]})");
    Rotators(R"({"Rotators":[{"Rotator":5,"ShortName":"Late"}]})");
    Configure(R"({"Antennas":[{"Antenna":1,"Description":[{"Rotator":5}]}]})");
    EXPECT_EQ(Marks(), "00 00 10") << "the rebuild clears the in-use marks";
    Rotators(R"({"Rotators":[{"Rotator":6,"ShortName":"Later"}]})");
    Configure(R"({"Antennas":[{"Antenna":1,"Description":[{"Rotator":6}]}]})");
    Rotators(R"({"Rotators":[{"Rotator":7}]})");
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":0}]})");
    EXPECT_EQ(Marks(), "00 00 00 11 00");
    EXPECT_EQ(view.rotatorButtons[4].label, "Rotator 5");
}

TEST_F(StateTest, LongNameLinesThroughTheHandler) {
    State(R"({"RXLongName":"Rx only"})");
    EXPECT_EQ(view.txLine + "|" + view.rxLine, "|");
    State(R"({"TXLongName":"Yagi","RXLongName":"Beverage"})");
    EXPECT_EQ(view.txLine + "|" + view.rxLine, "TX: Yagi|RX: Beverage");
    State(R"({"TXLongName":"Yagi","TXLongName":"Quad"})");
    EXPECT_EQ(view.txLine, "    Quad");
    State(R"([1,2])");
    EXPECT_EQ(view.txLine, "");
    EXPECT_EQ(reports.texts, Strings{"Message parameters are not an object"});
}

}  // namespace
