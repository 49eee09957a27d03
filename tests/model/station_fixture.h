// A Station wired to a recording view and a recording report sink.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/station.h"
#include "model_test_support.h"
#include "recording_view.h"

class StationTest : public ::testing::Test {
protected:
    StationTest() {
        view.station = &station;
        station.SetConnectedTitle("KEVA Windows Client - 127.0.0.1");
    }
    ~StationTest() override { EXPECT_EQ(view.badCalls, 0); }

    void Configure(const std::string& json) {
        Deliver(json, [&](const JsonNode* p) { station.HandleConfiguration(p); });
    }
    void State(const std::string& json) {
        Deliver(json, [&](const JsonNode* p) { station.HandleState(p); });
    }
    void Rotators(const std::string& json) {
        Deliver(json, [&](const JsonNode* p) { station.HandleRotators(p); });
    }
    void Rotation(const std::string& json) {
        Deliver(json, [&](const JsonNode* p) { station.HandleRotation(p); });
    }

    // Every buttonSlot entry is -1 or an index into the descriptions.
    bool SlotsValid() const {
        for (int j = 0; j < GridSlots; ++j) {
            const int32_t i = station.buttonSlot(j);
            if (i != -1 &&
                (i < 0 || static_cast<std::size_t>(i) >= station.descriptions().size())) {
                return false;
            }
        }
        return true;
    }

    RecordingView view;
    ReportRecorder reports;
    Station station{view};
};
