#include "station_fixture.h"

#include "json/json_reader.h"

namespace {

void Deliver(const std::string& json, void (Station::*handler)(const JsonNode*), Station& station) {
    int documents = 0;
    JsonReader reader([&](const JsonNode* root) {
        ++documents;
        (station.*handler)(ValueOf(root->firstChild.get()));
    });
    const std::string wrapped = "{\"Parameters\":" + json + "}";
    EXPECT_EQ(reader.Feed(wrapped.data(), wrapped.size()), JsonStatus::NeedMore) << json;
    EXPECT_EQ(documents, 1) << json;
}

}  // namespace

StationTest::StationTest() {
    view.station = &station;
    station.SetConnectedTitle("KEVA Windows Client - 127.0.0.1");
    previousSink_ = SetReportSink([this](const std::string& text) {
        reports.texts.push_back(text);
        if (reports.onReport) {
            reports.onReport(text);
        }
    });
}

StationTest::~StationTest() {
    SetReportSink(previousSink_);
    EXPECT_EQ(view.badCalls, 0);
}

void StationTest::Configure(const std::string& json) {
    Deliver(json, &Station::HandleConfiguration, station);
}
void StationTest::State(const std::string& json) {
    Deliver(json, &Station::HandleState, station);
}
void StationTest::Rotators(const std::string& json) {
    Deliver(json, &Station::HandleRotators, station);
}
void StationTest::Rotation(const std::string& json) {
    Deliver(json, &Station::HandleRotation, station);
}

bool StationTest::SlotsValid() const {
    for (int j = 0; j < GridSlots; ++j) {
        const int32_t i = station.buttonSlot(j);
        if (i != -1 && (i < 0 || static_cast<std::size_t>(i) >= station.descriptions().size())) {
            return false;
        }
    }
    return true;
}

std::string StationTest::Grid() const {
    std::string text;
    for (int j = 0; j < GridSlots; ++j) {
        if (view.grid[j].shown || station.buttonSlot(j) != -1 || station.DescriptionOnSlot(j)) {
            text += (text.empty() ? "" : " ") + std::to_string(j) + "=" +
                    std::to_string(station.buttonSlot(j)) +
                    (view.grid[j].shown ? ":" + view.grid[j].label : " hidden");
        }
    }
    return text;
}

std::string StationTest::Marks() const {
    std::string text;
    for (std::size_t i = 0; i < station.rotators().size(); ++i) {
        const CRotator& r = *station.rotators()[i];
        const RecordingView::RotatorButton& b = view.rotatorButtons[i];
        text += (i ? " " : "") + std::to_string(r.onGrid) + std::to_string(r.inUse);
        if (b.onGrid != r.onGrid || b.inUse != r.inUse) {
            text += "!" + std::to_string(b.onGrid) + std::to_string(b.inUse);
        }
    }
    return text;
}
