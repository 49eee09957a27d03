// What the station model asks of the console face. The console window implements it; the fuzz
// target and the model tests implement it with a recorder. Every call names a slot (0..14) or a
// rotator index that exists, and each redraw happens before the call returns.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int GridRows = 5;
inline constexpr int GridColumns = 3;
inline constexpr int GridSlots = GridRows * GridColumns;

// The fields a grid button paints from.
struct GridButtonState {
    int32_t txState = 0;
    int32_t rxState = 0;
    bool highlight = false;
    bool operator==(const GridButtonState&) const = default;
};

class StationView {
public:
    virtual ~StationView() = default;

    // Grid button of slot j (id 5 + j): enable, show and label it / disable and hide it.
    virtual void ShowGridButton(int slot, const std::string& label) = 0;
    virtual void HideGridButton(int slot) = 0;
    // Store the button's state fields and repaint it now.
    virtual void SetGridButtonState(int slot, const GridButtonState& state) = 0;

    // Rotator button of index i (id 20 + i): enable, show and label it (a new rotator).
    virtual void ShowRotatorButton(int index, const std::string& label) = 0;
    // Copy label and marks to the button and repaint it.
    virtual void SetRotatorButton(int index, const std::string& label, bool onGrid, bool inUse) = 0;
    // The rotator's position or limits changed: repaint its compass if its window is open.
    virtual void RotationChanged(int index) = 0;

    // The TX and RX long-name lines above the grid.
    virtual void SetLongNameLines(const std::string& tx, const std::string& rx) = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    // Disarm the RX mode button and redraw it, then the TX mode button.
    virtual void DisarmModeButtons() = 0;
};
