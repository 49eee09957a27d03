// A StationView that remembers what the console face would show, and counts every call that
// names a grid slot or rotator button that does not exist.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/rotator.h"
#include "model/station.h"
#include "model/station_view.h"

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

    // Rotator indexes are checked against this station's records when set.
    const Station* station = nullptr;

    std::array<GridButton, GridSlots> grid;
    std::array<RotatorButton, MaxRotators> rotatorButtons;
    std::string txLine = "TX";
    std::string rxLine = "RX";
    std::string title;
    int disarms = 0;
    int badCalls = 0;
    // "refresh i label onGrid inUse", "compass i", "state j tx rx h": the order of redraws.
    std::vector<std::string> log;

    void ShowGridButton(int slot, const std::string& label) override {
        if (SlotOk(slot)) {
            grid[slot].shown = true;
            grid[slot].label = label;
        }
    }
    void HideGridButton(int slot) override {
        if (SlotOk(slot)) {
            grid[slot].shown = false;
        }
    }
    void SetGridButtonState(int slot, const GridButtonState& state) override {
        if (SlotOk(slot)) {
            grid[slot].state = state;
            log.push_back("state " + std::to_string(slot) + " " + std::to_string(state.txState) +
                          " " + std::to_string(state.rxState) + (state.highlight ? " h" : ""));
        }
    }
    void ShowRotatorButton(int index, const std::string& label) override {
        if (RotatorOk(index)) {
            rotatorButtons[index].shown = true;
            rotatorButtons[index].label = label;
        }
    }
    void SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) override {
        if (RotatorOk(index)) {
            rotatorButtons[index].label = label;
            rotatorButtons[index].onGrid = onGrid;
            rotatorButtons[index].inUse = inUse;
            log.push_back("refresh " + std::to_string(index) + " " + std::to_string(onGrid) +
                          std::to_string(inUse));
        }
    }
    void RotationChanged(int index) override {
        if (RotatorOk(index)) {
            log.push_back("compass " + std::to_string(index));
        }
    }
    void SetLongNameLines(const std::string& tx, const std::string& rx) override {
        txLine = tx;
        rxLine = rx;
    }
    void SetWindowTitle(const std::string& t) override { title = t; }
    void DisarmModeButtons() override { ++disarms; }

private:
    bool SlotOk(int slot) {
        const bool ok = slot >= 0 && slot < GridSlots;
        badCalls += ok ? 0 : 1;
        return ok;
    }
    bool RotatorOk(int index) {
        const bool ok = index >= 0 && index < MaxRotators &&
                        (!station || static_cast<std::size_t>(index) < station->rotators().size());
        badCalls += ok ? 0 : 1;
        return ok;
    }
};
