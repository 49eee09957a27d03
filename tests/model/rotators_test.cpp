// "Rotators" and "Rotation" through a Station.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

using Strings = std::vector<std::string>;

std::string RotatorList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i) {
        list += (i > 1 ? ",{\"Rotator\":" : "{\"Rotator\":") + std::to_string(i) + "}";
    }
    return "{\"Rotators\":[" + list + "]}";
}

TEST_F(StationTest, AtMostTenRotatorsOneReportPerExtraElement) {
    Rotators(RotatorList(12));
    EXPECT_EQ(station.rotators().size(), 10u);
    EXPECT_EQ(reports.texts, Strings(2, "Too many rotators, this client supports 10"));
    for (int i = 0; i < MaxRotators; ++i) {
        EXPECT_TRUE(view.rotatorButtons[i].shown);
        EXPECT_EQ(view.rotatorButtons[i].label, "Rotator " + std::to_string(i + 1));
    }
    reports.texts.clear();
    Rotators(RotatorList(1));
    EXPECT_EQ(reports.texts, Strings{"Too many rotators, this client supports 10"});
}

TEST_F(StationTest, ElevenRotatorsReportOnce) {
    Rotators(RotatorList(11));
    EXPECT_EQ(station.rotators().size(), 10u);
    EXPECT_EQ(reports.texts, Strings{"Too many rotators, this client supports 10"});
}

TEST_F(StationTest, RotatorRecordsAndPlaces) {
    Rotators(R"({"Rotators":[{"Rotator":4,"ShortName":"Tower","LongName":"Tower 30 m",
                              "HasStop":true},
                             {"ShortName":"No number"},{},
                             {"Rotator":9,"HasStop":"true"},
                             {"Rotator":"12","ShortName":"Mast"}]})");
    ASSERT_EQ(station.rotators().size(), 3u);
    const CRotator& tower = *station.rotators()[0];
    EXPECT_EQ(tower.number, 4);
    EXPECT_EQ(tower.longName, "Tower 30 m");
    EXPECT_TRUE(tower.hasStop);
    EXPECT_EQ(tower.relativePosition, NoPosition);
    EXPECT_EQ(station.rotators()[1]->shortName, "Rotator 2") << "a skipped object takes no place";
    EXPECT_FALSE(station.rotators()[1]->hasStop);
    EXPECT_EQ(station.rotators()[2]->number, 12);
    EXPECT_EQ(view.rotatorButtons[2].label, "Mast");
    EXPECT_FALSE(view.rotatorButtons[3].shown);
    Rotators(R"({"Rotators":[{"Rotator":1}]})");
    EXPECT_EQ(station.rotators()[3]->shortName, "Rotator 4") << "a second message appends";
}

struct RotationRow {
    const char* behaviour;
    const char* parameters;
    int32_t ccwLimit, rotation, position, relativePosition;
    const char* label;
};

TEST_F(StationTest, RotationTable) {
    const RotationRow rows[] = {
        {"45 against 180", R"({"Rotator":4,"Position":45,"CCWLimit":180})", 180, 360, 45, 225,
         "Tower\n225"},
        {"10000 is no position, but is stored", R"({"Rotator":4,"Position":10000})", 180, 360,
         10000, NoPosition, "Tower"},
        {"only Rotation", R"({"Rotator":4,"Rotation":450})", 180, 450, 10000, NoPosition, "Tower"},
        {"0 against 360 gives 360", R"({"Rotator":4,"Position":0,"CCWLimit":360})", 360, 450, 0,
         360, "Tower\n360"},
        {"a position alone is taken against the stored limit", R"({"Rotator":4,"Position":90})",
         360, 450, 90, 90, "Tower\n90"},
        {"-90 gives 270", R"({"Rotator":4,"Position":-90,"CCWLimit":0})", 0, 450, -90, 270,
         "Tower\n270"},
        {"extremes do not overflow",
         R"({"Rotator":4,"Position":-2147483648,"CCWLimit":2147483646,"Rotation":-5})", 2147483646,
         -5, -2147483647 - 1, 106, "Tower\n106"},
        {"beyond 32 bits the values clamp, and a limit of NoPosition counts as none",
         R"({"Rotator":4,"Position":-99999999999,"CCWLimit":99999999999})", 2147483646, -5,
         -2147483647 - 1, 106, "Tower\n106"},
        {"the first rotator with the number", R"({"Rotator":4,"Position":10,"CCWLimit":5})", 5, -5,
         10, 5, "Tower\n5"},
    };
    Rotators(
        R"({"Rotators":[{"Rotator":4,"ShortName":"Tower"},{"Rotator":4,"ShortName":"Twin"}]})");
    for (const RotationRow& row : rows) {
        view.log.clear();
        Rotation(row.parameters);
        const CRotator& r = *station.rotators()[0];
        EXPECT_EQ(r.ccwLimit, row.ccwLimit) << row.behaviour;
        EXPECT_EQ(r.rotation, row.rotation) << row.behaviour;
        EXPECT_EQ(r.position, row.position) << row.behaviour;
        EXPECT_EQ(r.relativePosition, row.relativePosition) << row.behaviour;
        EXPECT_EQ(view.rotatorButtons[0].label, row.label) << row.behaviour;
        EXPECT_EQ(view.log, (Strings{"compass 0", "refresh 0 00"})) << row.behaviour;
    }
    EXPECT_EQ(view.rotatorButtons[1].label, "Twin");
    EXPECT_EQ(station.rotators()[1]->relativePosition, NoPosition);
    EXPECT_EQ(reports.texts, Strings{});
}

TEST_F(StationTest, RotationForAnUnknownNumberOrWithoutOneIsIgnored) {
    Rotators(R"({"Rotators":[{"Rotator":1}]})");
    view.log.clear();
    Rotation(R"({"Rotator":2,"Position":10})");
    Rotation(R"({"Position":10,"CCWLimit":0})");
    Rotation(R"({"Rotator":-1,"Position":10})");
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(station.rotators()[0]->position, NoPosition);
}

// A report runs a nested event loop in the console, in which a reconnection drops every
// rotator: what the handler does next must not touch the old records.
TEST_F(StationTest, ReconnectionInsideTooManyRotatorsReport) {
    reports.onReport = [&](const std::string&) { station.ClearRotators(); };
    Rotators(RotatorList(12));
    EXPECT_EQ(reports.texts, Strings{"Too many rotators, this client supports 10"});
    EXPECT_EQ(station.rotators().size(), 1u) << "the twelfth fits after the reset";
    EXPECT_EQ(station.rotators()[0]->number, 12);
}

TEST_F(StationTest, ReconnectionInsideTooManyButtonsReport) {
    Rotators(R"({"Rotators":[{"Rotator":1},{"Rotator":2}]})");
    reports.onReport = [&](const std::string&) { station.ClearRotators(); };
    std::string list;
    for (int i = 0; i < 16; ++i) {
        list += R"({"Antenna":1,"Description":[{"Rotator":2}]},)";
    }
    Configure("{\"Antennas\":[" + list + "{}]}");
    EXPECT_EQ(reports.texts, Strings{"Too many buttons: 17"});
    EXPECT_TRUE(station.rotators().empty());
    EXPECT_TRUE(SlotsValid());
}

// A nested Configuration inside a report of the outer one: the grid must end up consistent
// with whatever list is left.
TEST_F(StationTest, NestedConfigurationInsideAReport) {
    reports.onReport = [&](const std::string& text) {
        if (text == "Configuration antenna description parameters are not an object") {
            reports.onReport = nullptr;
            Configure(R"({"Antennas":[{"Antenna":5},{"Antenna":6},{"Antenna":7}]})");
        }
    };
    Configure(R"({"Antennas":[{"Antenna":1,"Description":0},{"Antenna":2}]})");
    EXPECT_TRUE(SlotsValid());
    EXPECT_EQ(station.descriptions().size(), 5u);
    for (int j = 0; j < GridSlots; ++j) {
        EXPECT_EQ(view.grid[j].shown, j < 5);
    }
}

// While a Configuration is being read the old descriptions are gone: a click or a State handled
// in a report's nested loop must find nothing on the buttons.
TEST_F(StationTest, NoButtonReachesADescriptionWhileAConfigurationIsRead) {
    Configure(R"({"Antennas":[{"Antenna":1},{"Antenna":2},{"Antenna":3}]})");
    int emptySlots = 0;
    reports.onReport = [&](const std::string&) {
        for (int j = 0; j < GridSlots; ++j) {
            emptySlots += station.DescriptionOnSlot(j) == nullptr ? 1 : 0;
        }
        view.log.clear();
        State(R"({"Antennas":[{"Antenna":1,"TX":2,"RX":2}]})");
        EXPECT_TRUE(view.log.empty());
    };
    Configure(R"({"Antennas":[{"Antenna":1},{"Antenna":1,"Description":"x"}]})");
    EXPECT_EQ(emptySlots, GridSlots);
    EXPECT_EQ(station.descriptions()[0]->txState, SwitchState::Unavailable);
}

TEST_F(StationTest, LookupsOutsideTheRecordsFindNothing) {
    Rotators(R"({"Rotators":[{"Rotator":1}]})");
    Configure(R"({"Antennas":[{"Antenna":1}]})");
    view.log.clear();
    EXPECT_EQ(station.DescriptionOnSlot(-1), nullptr);
    EXPECT_EQ(station.DescriptionOnSlot(GridSlots), nullptr);
    EXPECT_EQ(station.buttonSlot(GridSlots), -1);
    EXPECT_EQ(station.RotatorAt(1), nullptr);
    EXPECT_EQ(station.RotatorAt(-1), nullptr);
    station.ClearRotators();
    station.RefreshRotatorButton(0);
    station.UpdateRotation(1, 0, 360, 45);
    station.ApplyState(1, 2, 2, false, DescriptionKind::Antenna);
    EXPECT_EQ(view.log, (std::vector<std::string>{"state 0 2 2"}));
}

}  // namespace
