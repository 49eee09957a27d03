// A StationView for the receive road: keeps copies of what the face shows and notes any call
// that names a grid slot or rotator button that does not exist.
#pragma once

#include <array>
#include <string>

#include "model/rotator.h"
#include "model/station.h"
#include "model/station_view.h"

class CheckingView : public StationView {
public:
    struct GridButton {
        bool shown = false;
        std::string label;
    };
    struct RotatorButton {
        bool shown = false;
        std::string label;
        bool onGrid = false;
        bool inUse = false;
    };

    void Attach(const Station& station) { station_ = &station; }
    // The console's reset: every button hidden until the next grid rebuild or new rotator.
    void Reset();

    void ShowGridButton(int slot, const std::string& label) override;
    void HideGridButton(int slot) override;
    void SetGridButtonState(int slot, const GridButtonState& state) override;
    void ShowRotatorButton(int index, const std::string& label) override;
    void SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) override;
    void RotationChanged(int index) override;
    void SetLongNameLines(const std::string& tx, const std::string& rx) override;
    void SetWindowTitle(const std::string& title) override;
    void DisarmModeButtons() override {}

    // The first bad call, or empty.
    const std::string& breach() const { return breach_; }
    // The face matches the station: shown grid buttons carry their description's label (all of
    // them, unless a reset hid them since the last rebuild), rotator buttons their rotator's.
    std::string Compare() const;
    int ShownGridButtons() const;

private:
    bool SlotOk(int slot, const char* call);
    bool RotatorOk(int index, const char* call);

    const Station* station_ = nullptr;
    std::array<GridButton, GridSlots> grid_;
    std::array<RotatorButton, MaxRotators> rotators_;
    bool resetSinceRebuild_ = false;
    std::string breach_;
};
