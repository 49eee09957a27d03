// "Rotators" and "Rotation" through a Station.
#include <gtest/gtest.h>

#include "station_fixture.h"

namespace {

std::string RotatorList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i) {
        list += (i > 1 ? ",{\"Rotator\":" : "{\"Rotator\":") + std::to_string(i) + "}";
    }
    return "{\"Rotators\":[" + list + "]}";
}

// One report per element beyond the tenth, also in a later message.
TEST_F(StationTest, AtMostTenRotators) {
    Rotators(RotatorList(12));
    EXPECT_EQ(station.rotators().size(), 10u);
    EXPECT_EQ(reports.texts, Strings(2, "Too many rotators, this client supports 10"));
    for (int i = 0; i < MaxRotators; ++i) {
        EXPECT_TRUE(view.rotatorButtons[i].shown);
        EXPECT_EQ(view.rotatorButtons[i].label, "Rotator " + std::to_string(i + 1));
    }
    Rotators(RotatorList(1));
    EXPECT_EQ(reports.texts, Strings(3, "Too many rotators, this client supports 10"));
}

TEST_F(StationTest, RotatorRecordsAndPlaces) {
    Rotators(R"({"Rotators":[{"Rotator":4,"ShortName":"Tower","LongName":"Tower 30 m",
                              "HasStop":true},
                             {"ShortName":"No number"},{},
                             {"Rotator":9,"HasStop":"true"},
                             {"Rotator":"12","ShortName":"Mast"}]})");
    std::string records;  // number, names, stop and relative position of each
    for (const auto& r : station.rotators()) {
        records += std::to_string(r->number) + " " + r->shortName + "/" +
                   r->longName.value_or("-") + (r->hasStop ? " stop " : " ") +
                   std::to_string(r->relativePosition) + "; ";
    }
    // A skipped object takes no place: the second is named for the place it takes.
    EXPECT_EQ(records,
              "4 Tower/Tower 30 m stop 2147483647; 9 Rotator 2/- 2147483647; "
              "12 Mast/- 2147483647; ");
    EXPECT_EQ(view.rotatorButtons[2].label, "Mast");
    EXPECT_FALSE(view.rotatorButtons[3].shown);
    Rotators(R"({"Rotators":[{"Rotator":1}]})");
    EXPECT_EQ(station.rotators()[3]->shortName, "Rotator 4") << "a second message appends";
}

// Rows run in turn on two rotators with the same number; each expects "ccwLimit rotation
// position relativePosition|label" of the first (the arithmetic itself is in
// RelativePosition.Table).
TEST_F(StationTest, RotationTable) {
    const char* const rows[][3] = {
        {"45 against 180", R"({"Rotator":4,"Position":45,"CCWLimit":180})",
         "180 360 45 225|Tower\n225"},
        {"10000 is no position, but is stored", R"({"Rotator":4,"Position":10000})",
         "180 360 10000 2147483647|Tower"},
        {"only Rotation", R"({"Rotator":4,"Rotation":450})", "180 450 10000 2147483647|Tower"},
        {"a position alone is taken against the stored limit", R"({"Rotator":4,"Position":90})",
         "180 450 90 270|Tower\n270"},
        {"extremes do not overflow",
         R"({"Rotator":4,"Position":-2147483648,"CCWLimit":2147483646,"Rotation":-5})",
         "2147483646 -5 -2147483648 106|Tower\n106"},
        {"beyond 32 bits the values clamp, and a limit of NoPosition counts as none",
         R"({"Rotator":4,"Position":-99999999999,"CCWLimit":99999999999})",
         "2147483646 -5 -2147483648 106|Tower\n106"},
        {"0 is a position and a limit", R"({"Rotator":4,"Position":0,"CCWLimit":0})",
         "0 -5 0 0|Tower\n0"},
    };
    Rotators(
        R"({"Rotators":[{"Rotator":4,"ShortName":"Tower"},{"Rotator":4,"ShortName":"Twin"}]})");
    for (const auto& [behaviour, parameters, expected] : rows) {
        SCOPED_TRACE(behaviour);
        view.log.clear();
        Rotation(parameters);
        const CRotator& r = *station.rotators()[0];
        EXPECT_EQ(std::to_string(r.ccwLimit) + " " + std::to_string(r.rotation) + " " +
                      std::to_string(r.position) + " " + std::to_string(r.relativePosition) + "|" +
                      view.rotatorButtons[0].label,
                  expected);
        EXPECT_EQ(view.log, (Strings{"compass 0", "refresh 0 00"}));
    }
    EXPECT_EQ(view.rotatorButtons[1].label, "Twin") << "only the first with the number";
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
    EXPECT_EQ(Grid(), "0=0: 1=1: 2=2: 3=3: 4=4:");
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
    EXPECT_EQ(view.log, Strings{"state 0 2 2"});
}

}  // namespace
