// A Station wired to a view that records what the console face would show and a sink that
// records every report, fed with messages parsed by the real reader.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "json/report.h"
#include "model/rotator.h"
#include "model/station.h"
#include "model/station_view.h"

using Strings = std::vector<std::string>;

// Counts every call that names a grid slot or rotator button that does not exist.
class RecordingView : public StationView {
public:
    struct GridButton {
        bool shown = false;
        std::string label = "Not initialized";
        GridButtonState state;
    };
    struct RotatorButton {
        bool shown = false;
        std::string label = "Not initialized";
        bool onGrid = false;
        bool inUse = false;
    };

    const Station* station = nullptr;  // rotator indexes are checked against it
    std::array<GridButton, GridSlots> grid;
    std::array<RotatorButton, MaxRotators> rotatorButtons;
    std::string txLine = "TX";
    std::string rxLine = "RX";
    std::string title;
    int disarms = 0;
    int badCalls = 0;
    // "refresh i onGrid inUse", "compass i", "state j tx rx h": the order of redraws.
    Strings log;

    void ShowGridButton(int slot, const std::string& label) override {
        GridButton& button = Slot(slot);
        button = {true, label, button.state};
    }
    void HideGridButton(int slot) override { Slot(slot).shown = false; }
    void SetGridButtonState(int slot, const GridButtonState& state) override {
        Slot(slot).state = state;
        log.push_back("state " + std::to_string(slot) + " " + std::to_string(state.txState) + " " +
                      std::to_string(state.rxState) + (state.highlight ? " h" : ""));
    }
    void ShowRotatorButton(int index, const std::string& label) override {
        RotatorButton& button = Rotator(index);
        button = {true, label, button.onGrid, button.inUse};
    }
    void SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) override {
        RotatorButton& button = Rotator(index);
        button = {button.shown, label, onGrid, inUse};
        log.push_back("refresh " + std::to_string(index) + " " + std::to_string(onGrid) +
                      std::to_string(inUse));
    }
    void RotationChanged(int index) override {
        Rotator(index);
        log.push_back("compass " + std::to_string(index));
    }
    void SetLongNameLines(const std::string& tx, const std::string& rx) override {
        txLine = tx;
        rxLine = rx;
    }
    void SetWindowTitle(const std::string& t) override { title = t; }
    void DisarmModeButtons() override { ++disarms; }

private:
    // The button named, or (counted as a bad call) a spare one.
    GridButton& Slot(int slot) {
        return Check(slot >= 0 && slot < GridSlots) ? grid[slot] : spareGrid_;
    }
    RotatorButton& Rotator(int index) {
        const bool ok = index >= 0 && index < MaxRotators &&
                        static_cast<std::size_t>(index) < station->rotators().size();
        return Check(ok) ? rotatorButtons[index] : spareRotator_;
    }
    bool Check(bool ok) {
        badCalls += ok ? 0 : 1;
        return ok;
    }
    GridButton spareGrid_;
    RotatorButton spareRotator_;
};

class StationTest : public ::testing::Test {
public:
    // Each parses `json` (any JSON value) and hands it over as the envelope's "Parameters".
    void Configure(const std::string& json);
    void State(const std::string& json);
    void Rotators(const std::string& json);
    void Rotation(const std::string& json);

protected:
    StationTest();
    ~StationTest() override;

    // Every buttonSlot entry is -1 or an index into the descriptions.
    bool SlotsValid() const;
    // "slot=index:label" for every button shown or placed ("hidden" instead of a label).
    std::string Grid() const;
    // "onGrid inUse" of every rotator as two digits, with "!" and the button's own marks where
    // its button shows others.
    std::string Marks() const;

    RecordingView view;
    Station station{view};
    struct {
        Strings texts;
        // Runs inside the report, where the console would run its nested event loop.
        std::function<void(const std::string&)> onReport;
    } reports;

private:
    ReportSink previousSink_;
};
