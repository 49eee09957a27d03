// "Configuration" through a Station: descriptions, placement on the buttons, title, marks.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

using Strings = std::vector<std::string>;

std::string Antenna(int number, const std::string& extra = "") {
    return "{\"Antenna\":" + std::to_string(number) + ",\"ShortName\":\"A" +
           std::to_string(number) + "\"" + extra + "}";
}

TEST_F(StationTest, WorkedPlacementExample) {
    Configure(R"({"LowerFrequency":7000,"UpperFrequency":7300,
        "Antennas":[{"Antenna":1,"ShortName":"First","Row":0,"Column":0},
                    {"Antenna":2,"ShortName":"Second","Row":0,"Column":0},
                    {"Antenna":3,"ShortName":"Third"}],
        "Functions":[{"Function":9,"ShortName":"Amp","Row":4,"Column":2}]})");
    EXPECT_EQ(reports.texts, Strings{});
    EXPECT_EQ(station.buttonSlot(0), 0);
    EXPECT_EQ(station.buttonSlot(14), 3);
    EXPECT_EQ(station.buttonSlot(1), 1);
    EXPECT_EQ(station.buttonSlot(2), 2);
    EXPECT_EQ(view.grid[0].label, "First");
    EXPECT_EQ(view.grid[1].label, "Second");
    EXPECT_EQ(view.grid[2].label, "Third");
    EXPECT_EQ(view.grid[14].label, "Amp");
    for (int j = 0; j < GridSlots; ++j) {
        const bool shown = j <= 2 || j == 14;
        EXPECT_EQ(view.grid[j].shown, shown) << "slot " << j;
        EXPECT_EQ(station.buttonSlot(j) != -1, shown) << "slot " << j;
    }
    EXPECT_EQ(view.title, "[7000-7300] KEVA Windows Client - 127.0.0.1");
}

TEST_F(StationTest, SixteenDescriptionsShowFifteen) {
    std::string list;
    for (int i = 1; i <= 16; ++i) {
        list += (i > 1 ? "," : "") + Antenna(i);
    }
    Configure("{\"Antennas\":[" + list + "]}");
    EXPECT_EQ(reports.texts, Strings{"Too many buttons: 16"});
    ASSERT_EQ(station.descriptions().size(), 16u);
    for (int j = 0; j < GridSlots; ++j) {
        EXPECT_EQ(station.buttonSlot(j), j);
        EXPECT_TRUE(view.grid[j].shown);
    }
    // The sixteenth is in the list but takes no state: it is on no button.
    State(R"({"Antennas":[{"Antenna":16,"TX":2,"RX":2}]})");
    EXPECT_EQ(station.descriptions()[15]->txState, SwitchState::Unavailable);
}

TEST_F(StationTest, FunctionsListedFirstComeFirst) {
    Configure(R"({"Functions":[{"Function":1,"ShortName":"F"}],
                  "Antennas":[{"Antenna":1,"ShortName":"A"}]})");
    ASSERT_EQ(station.descriptions().size(), 2u);
    EXPECT_EQ(station.descriptions()[0]->kind, DescriptionKind::Function);
    EXPECT_EQ(station.descriptions()[1]->kind, DescriptionKind::Antenna);
    EXPECT_EQ(view.grid[0].label, "F");
    EXPECT_EQ(view.grid[1].label, "A");
}

struct FieldRow {
    const char* behaviour;
    const char* parameters;
    AntFuncDescription expected;
};

AntFuncDescription Described(DescriptionKind kind, int32_t number) {
    AntFuncDescription d;
    d.kind = kind;
    d.number = number;
    return d;
}

TEST_F(StationTest, DescriptionFieldsTable) {
    auto antenna = [](int32_t n) { return Described(DescriptionKind::Antenna, n); };
    auto function = [](int32_t n) { return Described(DescriptionKind::Function, n); };
    AntFuncDescription full = antenna(4);
    full.shortName = "Yagi";
    full.longName = "Five element \\u00e9";
    full.row = 2;
    full.column = 1;
    full.additive = true;
    AntFuncDescription stringRow = antenna(-1);
    stringRow.row = 2;
    stringRow.column = 0;
    AntFuncDescription numberName = antenna(1);
    numberName.shortName = "5";
    AntFuncDescription rotators = antenna(1);
    rotators.rotators = {2, 2};
    AntFuncDescription twoLists = antenna(1);
    twoLists.rotators = {3, 7, 3};
    AntFuncDescription flags = function(2);
    flags.momentary = true;
    flags.alternate = true;
    AntFuncDescription later = antenna(9);
    later.shortName = "Second";

    const FieldRow rows[] = {
        {"every field", R"({"Antenna":4,"ShortName":"Yagi","LongName":"Five element \u00e9",
            "Row":2,"Column":1,"Additive":true})",
         full},
        {"empty element keeps the defaults", R"({})", antenna(-1)},
        {"non-object element keeps the defaults", R"(5)", antenna(-1)},
        {"a string flag is false", R"({"Additive":"true"})", antenna(-1)},
        {"a string row is read, a true column is 0", R"({"Row":"2","Column":true})", stringRow},
        {"a number short name is its literal", R"({"Antenna":1,"ShortName":5})", numberName},
        {"rotators: the last Rotator of an entry, none for -1 or missing",
         R"({"Antenna":1,"Description":[{"Rotator":2},{"Rotator":8,"Rotator":2},{},
            {"Rotator":-1},7]})",
         rotators},
        {"a second Description appends",
         R"({"Antenna":1,"Description":[{"Rotator":3}],"Description":[{"Rotator":7},{"Rotator":3}]})",
         twoLists},
        {"later occurrences replace earlier ones",
         R"({"Antenna":1,"ShortName":"First","Function":9,"ShortName":"Second"})", later},
    };
    for (const FieldRow& row : rows) {
        Configure(std::string("{\"Antennas\":[") + row.parameters + "]}");
        ASSERT_EQ(station.descriptions().size(), 1u) << row.behaviour;
        const AntFuncDescription& d = *station.descriptions()[0];
        const AntFuncDescription& e = row.expected;
        EXPECT_EQ(d.kind, e.kind) << row.behaviour;
        EXPECT_EQ(d.number, e.number) << row.behaviour;
        EXPECT_EQ(d.shortName, e.shortName) << row.behaviour;
        EXPECT_EQ(d.longName, e.longName) << row.behaviour;
        EXPECT_EQ(d.row, e.row) << row.behaviour;
        EXPECT_EQ(d.column, e.column) << row.behaviour;
        EXPECT_EQ(d.additive, e.additive) << row.behaviour;
        EXPECT_EQ(d.rotators, e.rotators) << row.behaviour;
    }
    Configure(R"({"Functions":[{"Antenna":2,"Momentary":true,"Alternate":true,
                                "Description":5}]})");
    ASSERT_EQ(station.descriptions().size(), 1u);
    EXPECT_EQ(station.descriptions()[0]->number, flags.number);
    EXPECT_TRUE(station.descriptions()[0]->momentary);
    EXPECT_TRUE(station.descriptions()[0]->alternate);
    EXPECT_TRUE(station.descriptions()[0]->rotators.empty());
    EXPECT_EQ(reports.texts, Strings{}) << "a function's Description is never examined";
}

TEST_F(StationTest, DescriptionNotAnArraySkipsTheRestOfThatElement) {
    Configure(R"({"Antennas":[{"Antenna":1,"ShortName":"A","Description":5,"Row":3},
                              {"Antenna":2,"Row":1}]})");
    EXPECT_EQ(reports.texts,
              Strings{"Configuration antenna description parameters are not an object"});
    ASSERT_EQ(station.descriptions().size(), 2u);
    EXPECT_EQ(station.descriptions()[0]->shortName, "A");
    EXPECT_EQ(station.descriptions()[0]->row, -1);
    EXPECT_EQ(station.descriptions()[1]->row, 1);
}

TEST_F(StationTest, ConfigurationStoppedHalfWayRebuildsFromWhatWasRead) {
    Configure("{\"Antennas\":[" + Antenna(1) + "," + Antenna(2) + "," + Antenna(3) + "," +
              Antenna(4) + "]}");
    view.disarms = 0;
    Configure(R"({"LowerFrequency":3500,"UpperFrequency":3800,
                  "Antennas":[{"Antenna":7,"ShortName":"Only","Row":2,"Column":2}],
                  "Functions":7, "Antennas":[{"Antenna":8}]})");
    EXPECT_EQ(reports.texts, Strings{"Configuration functions parameters are not an object"});
    ASSERT_EQ(station.descriptions().size(), 1u);
    EXPECT_TRUE(SlotsValid());
    EXPECT_EQ(station.buttonSlot(12), 0);
    for (int j = 0; j < GridSlots; ++j) {
        EXPECT_EQ(view.grid[j].shown, j == 12) << "slot " << j;
        if (j != 12) {
            EXPECT_EQ(station.DescriptionOnSlot(j), nullptr);
        }
    }
    EXPECT_EQ(view.title, "[3500-3800] KEVA Windows Client - 127.0.0.1");
    EXPECT_EQ(view.disarms, 1);

    reports.texts.clear();
    Configure(R"({"Antennas":7})");
    EXPECT_EQ(reports.texts, Strings{"Configuration antennas parameters are not an object"});
    EXPECT_TRUE(station.descriptions().empty());
    EXPECT_TRUE(SlotsValid());
    EXPECT_EQ(station.DescriptionOnSlot(12), nullptr);
    EXPECT_FALSE(view.grid[12].shown);
}

TEST_F(StationTest, ArrayParametersActAsAnEmptyConfiguration) {
    Configure("{\"Antennas\":[" + Antenna(1) + "]}");
    Configure(R"(["Antennas",[{"Antenna":1}]])");
    EXPECT_EQ(reports.texts, Strings{"Message parameters are not an object"});
    EXPECT_TRUE(station.descriptions().empty());
    EXPECT_FALSE(view.grid[0].shown);
    EXPECT_EQ(view.title, "KEVA Windows Client - 127.0.0.1");
}

TEST_F(StationTest, EmptyParametersChangeNothing) {
    Configure("{\"Antennas\":[" + Antenna(1) + "]}");
    for (const char* empty : {"{}", "[]", "5", "\"text\"", "null"}) {
        reports.texts.clear();
        Configure(empty);
        EXPECT_EQ(reports.texts, Strings{"Message parameters are empty or unreadable"}) << empty;
        EXPECT_EQ(station.descriptions().size(), 1u) << empty;
        EXPECT_EQ(station.buttonSlot(0), 0) << empty;
    }
}

TEST_F(StationTest, TitleNeedsBothFrequencies) {
    Configure(R"({"Antennas":[],"LowerFrequency":7000})");
    EXPECT_TRUE(station.descriptions().empty());
    EXPECT_EQ(view.title, "KEVA Windows Client - 127.0.0.1");
    for (int j = 0; j < GridSlots; ++j) {
        EXPECT_FALSE(view.grid[j].shown);
    }
}

TEST_F(StationTest, ConfigurationDisarmsModesAndForgetsLastClick) {
    station.lastClickTxArmed = true;
    station.lastClickRxArmed = true;
    Configure(R"({"Antennas":[]})");
    EXPECT_EQ(view.disarms, 1);
    EXPECT_FALSE(station.lastClickTxArmed);
    EXPECT_FALSE(station.lastClickRxArmed);
}

TEST_F(StationTest, NoShortNameShowsAnEmptyLabel) {
    Configure(R"({"Antennas":[{"Antenna":1}]})");
    EXPECT_TRUE(view.grid[0].shown);
    EXPECT_EQ(view.grid[0].label, "");
}

TEST_F(StationTest, ButtonKeepsItsLookUntilAStateNamesTheNewDescription) {
    Configure("{\"Antennas\":[" + Antenna(1) + "]}");
    State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":1,"Highlight":true}]})");
    Configure("{\"Antennas\":[" + Antenna(5) + "]}");
    EXPECT_EQ(view.grid[0].label, "A5");
    EXPECT_EQ(view.grid[0].state, (GridButtonState{2, 1, true}));
    EXPECT_EQ(station.DescriptionOnSlot(0)->txState, SwitchState::Unavailable);
}

TEST_F(StationTest, OnGridMarksFollowPlacedAntennas) {
    Rotators(R"({"Rotators":[{"Rotator":1},{"Rotator":2},{"Rotator":3},{"Rotator":1}]})");
    std::string list;
    for (int i = 1; i <= 15; ++i) {
        list += Antenna(i) + ",";
    }
    // The sixteenth lists rotator 3 but is on no button; the function's list is never read.
    list += Antenna(16, R"(,"Description":[{"Rotator":3}])");
    Configure(R"({"Functions":[{"Function":1,"Description":[{"Rotator":2}]}],
                  "Antennas":[)" +
              Antenna(20, R"(,"Description":[{"Rotator":1},{"Rotator":99}])") + "," + list + "]}");
    EXPECT_EQ(reports.texts, Strings{"Too many buttons: 18"});
    const auto& r = station.rotators();
    EXPECT_TRUE(r[0]->onGrid);
    EXPECT_FALSE(r[1]->onGrid);
    EXPECT_FALSE(r[2]->onGrid);
    EXPECT_FALSE(r[3]->onGrid) << "a repeated number marks the first rotator only";
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view.rotatorButtons[i].onGrid, r[i]->onGrid);
        EXPECT_FALSE(view.rotatorButtons[i].inUse);
    }
    // The next configuration lists no rotator: every mark is cleared and every button redrawn.
    Configure(R"({"Antennas":[{"Antenna":20}]})");
    EXPECT_FALSE(r[0]->onGrid);
    EXPECT_FALSE(view.rotatorButtons[0].onGrid);
}

}  // namespace
