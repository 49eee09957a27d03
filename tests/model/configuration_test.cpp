// "Configuration" through a Station: descriptions, placement on the buttons, title, marks.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

std::string Antenna(int number, const std::string& extra = "") {
    return "{\"Antenna\":" + std::to_string(number) + ",\"ShortName\":\"A" +
           std::to_string(number) + "\"" + extra + "}";
}

std::string Antennas(int first, int last) {
    std::string list;
    for (int i = first; i <= last; ++i) {
        list += (i > first ? "," : "") + Antenna(i);
    }
    return "{\"Antennas\":[" + list + "]}";
}

// Two at (0,0), one unplaced without a short name, a function at (4,2).
TEST_F(StationTest, WorkedPlacementExample) {
    Configure(R"({"LowerFrequency":7000,"UpperFrequency":7300,
        "Antennas":[{"Antenna":1,"ShortName":"First","Row":0,"Column":0},
                    {"Antenna":2,"ShortName":"Second","Row":0,"Column":0},{"Antenna":3}],
        "Functions":[{"Function":9,"ShortName":"Amp","Row":4,"Column":2}]})");
    EXPECT_EQ(reports.texts, Strings{});
    EXPECT_EQ(Grid(), "0=0:First 1=1:Second 2=2: 14=3:Amp");
    EXPECT_EQ(view.title, "[7000-7300] KEVA Windows Client - 127.0.0.1");
}

TEST_F(StationTest, FunctionsListedFirstComeFirst) {
    Configure(R"({"Functions":[{"Function":1,"ShortName":"F"}],
                  "Antennas":[{"Antenna":1,"ShortName":"A"}]})");
    EXPECT_EQ(Grid(), "0=0:F 1=1:A");
    EXPECT_EQ(station.descriptions()[0]->kind, DescriptionKind::Function);
}

// Only the first fifteen are placed, and only placed antennas mark their rotators on the grid.
TEST_F(StationTest, TooManyButtons) {
    Rotators(R"({"Rotators":[{"Rotator":1},{"Rotator":2},{"Rotator":3},{"Rotator":1}]})");
    // The function's list is never read; the last antenna lists rotator 3 but is on no button.
    std::string list = Antenna(20, R"(,"Description":[{"Rotator":1},{"Rotator":99}])");
    for (int i = 1; i <= 15; ++i) {
        list += "," + Antenna(i);
    }
    Configure(R"({"Functions":[{"Function":1,"Description":[{"Rotator":2}]}],"Antennas":[)" + list +
              "," + Antenna(16, R"(,"Description":[{"Rotator":3}])") + "]}");
    EXPECT_EQ(reports.texts, Strings{"Too many buttons: 18"});
    ASSERT_EQ(station.descriptions().size(), 18u);
    for (int j = 0; j < GridSlots; ++j) {
        EXPECT_EQ(station.buttonSlot(j), j);
        EXPECT_TRUE(view.grid[j].shown);
    }
    EXPECT_EQ(Marks(), "10 00 00 00") << "a repeated number marks the first rotator only";
    // The last is in the list but takes no state.
    State(R"({"Antennas":[{"Antenna":16,"TX":2,"RX":2}]})");
    EXPECT_EQ(station.descriptions()[17]->txState, SwitchState::Unavailable);
    // The next configuration lists no rotator: every mark is cleared and every button redrawn.
    Configure(R"({"Antennas":[{"Antenna":20}]})");
    EXPECT_EQ(Marks(), "00 00 00 00");
}

// One line per description: kind and number, names ("-" for none), place, flags, rotators.
std::string Render(const AntFuncDescription& d) {
    auto name = [](const std::optional<std::string>& n) { return n ? "'" + *n + "'" : "-"; };
    std::string text = (d.kind == DescriptionKind::Function ? "F" : "A") +
                       std::to_string(d.number) + " " + name(d.shortName) + " " + name(d.longName) +
                       " " + std::to_string(d.row) + "," + std::to_string(d.column);
    text += std::string(d.additive ? " additive" : "") + (d.momentary ? " momentary" : "") +
            (d.alternate ? " alternate" : "");
    for (int32_t rotator : d.rotators) {
        text += " R" + std::to_string(rotator);
    }
    return text;
}

TEST_F(StationTest, DescriptionFieldsTable) {
    struct {
        const char* behaviour;
        const char* list;
        const char* element;
        const char* expected;
    } const rows[] = {
        {"every field", "Antennas", R"({"Antenna":4,"ShortName":"Yagi",
            "LongName":"Five element \u00e9","Row":2,"Column":1,"Additive":true})",
         R"(A4 'Yagi' 'Five element \u00e9' 2,1 additive)"},
        {"empty element keeps the defaults", "Antennas", "{}", "A-1 - - -1,-1"},
        {"non-object element keeps the defaults", "Antennas", "5", "A-1 - - -1,-1"},
        {"a string flag is false", "Antennas", R"({"Additive":"true"})", "A-1 - - -1,-1"},
        {"a string row is read, a true column is 0", "Antennas", R"({"Row":"2","Column":true})",
         "A-1 - - 2,0"},
        {"a number short name is its literal", "Antennas", R"({"Antenna":1,"ShortName":5})",
         "A1 '5' - -1,-1"},
        {"rotators: the last Rotator of an entry, none for -1 or missing", "Antennas",
         R"({"Antenna":1,"Description":[{"Rotator":2},{"Rotator":8,"Rotator":2},{},
            {"Rotator":-1},7]})",
         "A1 - - -1,-1 R2 R2"},
        {"a second Description appends", "Antennas",
         R"({"Antenna":1,"Description":[{"Rotator":3}],"Description":[{"Rotator":7},{"Rotator":3}]})",
         "A1 - - -1,-1 R3 R7 R3"},
        {"later occurrences replace earlier ones", "Antennas",
         R"({"Antenna":1,"ShortName":"First","Function":9,"ShortName":"Second"})",
         "A9 'Second' - -1,-1"},
        {"a Description that is not an array ends the element (the one report)", "Antennas",
         R"({"Antenna":1,"ShortName":"A","Description":5,"Row":3})", "A1 'A' - -1,-1"},
        {"a function's flags; its Description is never examined", "Functions",
         R"({"Antenna":2,"Momentary":true,"Alternate":true,"Description":5})",
         "F2 - - -1,-1 momentary alternate"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        Configure("{\"" + std::string(row.list) + "\":[" + row.element + "]}");
        ASSERT_EQ(station.descriptions().size(), 1u);
        EXPECT_EQ(Render(*station.descriptions()[0]), row.expected);
    }
    EXPECT_EQ(reports.texts,
              Strings{"Configuration antenna description parameters are not an object"});
}

TEST_F(StationTest, ConfigurationStoppedHalfWayRebuildsFromWhatWasRead) {
    Configure(Antennas(1, 4));
    Configure(R"({"LowerFrequency":3500,"UpperFrequency":3800,
                  "Antennas":[{"Antenna":7,"ShortName":"Only","Row":2,"Column":2}],
                  "Functions":7, "Antennas":[{"Antenna":8}]})");
    EXPECT_EQ(reports.texts, Strings{"Configuration functions parameters are not an object"});
    EXPECT_TRUE(SlotsValid());
    EXPECT_EQ(Grid(), "12=0:Only");
    EXPECT_EQ(view.title, "[3500-3800] KEVA Windows Client - 127.0.0.1");
    EXPECT_EQ(view.disarms, 2);
}

// Each row starts from one antenna, a frequency range and a click made with both modes armed;
// each expects the grid, the title, the disarms and whether the click is still remembered.
TEST_F(StationTest, MessagesThatKeepOrEmptyTheGrid) {
    const char* const unreadable = "Message parameters are empty or unreadable";
    const char* const rows[][4] = {
        {"empty parameters change nothing", "{}", unreadable, "0=0:A1|[1-2] C|0 armed"},
        {"an empty array changes nothing", "[]", unreadable, "0=0:A1|[1-2] C|0 armed"},
        {"a number changes nothing", "5", unreadable, "0=0:A1|[1-2] C|0 armed"},
        {"a text changes nothing", "\"text\"", unreadable, "0=0:A1|[1-2] C|0 armed"},
        {"null changes nothing", "null", unreadable, "0=0:A1|[1-2] C|0 armed"},
        {"array parameters act as an empty configuration", R"(["Antennas",[{"Antenna":1}]])",
         "Message parameters are not an object", "|C|1"},
        {"an empty list: no buttons; the range needs both frequencies",
         R"({"Antennas":[],"LowerFrequency":7000})", "", "|C|1"},
        {"a list that is not an array: the old descriptions are gone", R"({"Antennas":7})",
         "Configuration antennas parameters are not an object", "|C|1"},
    };
    station.SetConnectedTitle("C");
    for (const auto& [behaviour, parameters, report, after] : rows) {
        SCOPED_TRACE(behaviour);
        Configure(R"({"LowerFrequency":1,"UpperFrequency":2,"Antennas":[)" + Antenna(1) + "]}");
        station.lastClickTxArmed = station.lastClickRxArmed = true;
        view.disarms = 0;
        reports.texts.clear();
        Configure(parameters);
        EXPECT_EQ(reports.texts, *report ? Strings{report} : Strings{});
        EXPECT_TRUE(SlotsValid());
        const bool armed = station.lastClickTxArmed || station.lastClickRxArmed;
        EXPECT_EQ(Grid() + "|" + view.title + "|" + std::to_string(view.disarms) +
                      (armed ? " armed" : ""),
                  after);
    }
}

TEST_F(StationTest, ButtonKeepsItsLookUntilAStateNamesTheNewDescription) {
    Configure(Antennas(1, 1));
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":1,"Highlight":true}]})");
    Configure(Antennas(5, 5));
    EXPECT_EQ(view.grid[0].label, "A5");
    EXPECT_EQ(view.grid[0].state, (GridButtonState{2, 1, true}));
    EXPECT_EQ(station.DescriptionOnSlot(0)->txState, SwitchState::Unavailable);
}

}  // namespace
